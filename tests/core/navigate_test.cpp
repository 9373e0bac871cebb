#include <gtest/gtest.h>

#include "document/navigate.h"

namespace {

TEST(ChooseLine, StaysWithinTheText)
{
    const uint32_t beyond = 0xFFFFFFFFu;  // a stored line of 0 or less, minus one
    const struct {
        int code;
        uint32_t index, count, line;
    } cases[] = {
        {NAV_PREV, 5, 10, 4},   {NAV_PREV, 0, 10, 0},  {NAV_NEXT, 5, 10, 6},
        {NAV_NEXT, 9, 10, 9},   {NAV_NEXT, 0, 1, 0},   {NAV_TOP, 7, 10, 0},
        {NAV_END, 0, 10, 9},    {NAV_CLAMP, 3, 10, 3}, {NAV_CLAMP, 10, 10, 9},
        {NAV_CLAMP, beyond, 10, 9},
        // Never beyond the last line, whatever arrives.
        {NAV_PREV, 40, 10, 9},  {NAV_NEXT, 40, 10, 9}, {NAV_NEXT, beyond, 10, 9},
        {7, 4, 10, 4},          {7, 12, 10, 9},        {-1, beyond, 3, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseLine(c.code, c.index, c.count), c.line)
            << "code " << c.code << " index " << c.index << " count " << c.count;
}

}  // namespace
