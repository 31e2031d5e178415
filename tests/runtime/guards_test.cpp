// The guards at their boundaries. A failing guard ends the process, and in
// a test process no exception layer runs, so the fallback report names the
// run-time error and the exit status is its number.
#include <gtest/gtest.h>

#include "runtime/checked_int.h"
#include "runtime/dyn_array.h"

namespace rt {
namespace {

TEST(Guards, Int16StoresInsideTheRange) {
  for (int32_t v : {-32768, -1, 0, 1, 32767}) EXPECT_EQ(Int16(v).Value(), v);
  Int16 x = 32766;
  x = x + 1;
  EXPECT_EQ(x.Value(), 32767);
  for (uint32_t v : {0u, 255u}) EXPECT_EQ(Byte(static_cast<int32_t>(v)).Value(), v);
}

TEST(GuardsDeathTest, StoresOutsideTheRangeAre201) {
  EXPECT_EXIT(Int16(32768), testing::ExitedWithCode(201), "");
  EXPECT_EXIT(Int16(-32769), testing::ExitedWithCode(201), "");
  EXPECT_EXIT({ Int16 x = 32767; x = x + 1; }, testing::ExitedWithCode(201), "");
  EXPECT_EXIT(Byte(256), testing::ExitedWithCode(201), "");
  EXPECT_EXIT(Byte(-1), testing::ExitedWithCode(201), "");
}

TEST(GuardsDeathTest, Int32OverflowIs215) {
  volatile int32_t max = 2147483647, min = -2147483647 - 1;
  EXPECT_EQ((Int32(max) + -1).Value(), max - 1);
  EXPECT_EXIT(Int32(max) + 1, testing::ExitedWithCode(215), "");
  EXPECT_EXIT(Int32(min) - 1, testing::ExitedWithCode(215), "");
  EXPECT_EXIT(Int32(65536) * 32768, testing::ExitedWithCode(215), "");
  EXPECT_EXIT(-Int32(min), testing::ExitedWithCode(215), "");
}

TEST(GuardsDeathTest, DynamicArrayBounds) {
  DynArray<Int16> items;
  EXPECT_EXIT(items[0], testing::ExitedWithCode(201), "") << "empty";
  items.SetLength(3);
  items[2] = 7;
  EXPECT_EQ(items[2].Value(), 7);
  EXPECT_EQ(items[0].Value(), 0) << "new elements are zero";
  EXPECT_EXIT(items[3], testing::ExitedWithCode(201), "");
  EXPECT_EXIT(items[-1], testing::ExitedWithCode(201), "");
  EXPECT_EXIT(items.SetLength(-1), testing::ExitedWithCode(201), "");
}

TEST(Guards, NestedArraysGrowAndRelease) {
  struct Row { DynArray<Int16> Cells; };
  DynArray<Row> rows;
  for (int i = 0; i < 50; ++i) {
    rows.SetLength(rows.Length() + 1);
    rows[i].Cells.SetLength(i + 1);
    rows[i].Cells[i] = i;
  }
  for (int i = 0; i < 50; ++i) EXPECT_EQ(rows[i].Cells[i].Value(), i);
  rows.SetLength(10);
  EXPECT_EQ(rows.Length().Value(), 10);
}

}  // namespace
}  // namespace rt
