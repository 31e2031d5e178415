# The two commands a newcomer needs: `make play` and `make test`.
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?= -DWARNINGS_AS_ERRORS=ON
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: play test test-asan bench build clean

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS)

build: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# The game reads its pictures from the current directory.
play: $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target game
	cd data && ../$(BUILD)/game

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The tests again, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) $(CMAKE_FLAGS) -DSANITIZE=ON -DBUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/console_bench
	$(BUILD)/bench/runtime_bench
	$(BUILD)/bench/game_bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
