# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/main/build/tests/console_tests[1]_include.cmake")
include("/work/main/build/tests/presenter_tests[1]_include.cmake")
include("/work/main/build/tests/terminal_tests[1]_include.cmake")
include("/work/main/build/tests/runtime_tests[1]_include.cmake")
include("/work/main/build/tests/game_tests[1]_include.cmake")
include("/work/main/build/tests/play_tests[1]_include.cmake")
