#include "grid/extgrid.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtGrid, FreshGridHasItsDefaults)
{
    TExtStringGrid grid;
    EXPECT_EQ(grid.DefaultRowHeight(), 21);
    EXPECT_EQ(grid.FloatFormat, "%.2f");
    EXPECT_EQ(grid.Font().Name, "Tahoma");
    EXPECT_EQ(grid.FixedFont().Name, "Tahoma");
    EXPECT_EQ(grid.Look(), glSoft);
    EXPECT_EQ(grid.ColumnSize()->StretchColumn, -1);
}

} // namespace
