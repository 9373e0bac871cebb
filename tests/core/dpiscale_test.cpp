#include <gtest/gtest.h>

#include "base/dpiscale.h"

namespace {

// What the settings file keeps at 96 DPI and what a window at 144 (150 %)
// or 120 (125 %) draws; at 96 nothing changes, and a length taken back from
// a larger scale is the one stored.
TEST(ScaleLength, ToTheWindowsDpiAndBack)
{
    const struct {
        int stored, dpi, drawn;
    } cases[] = {
        {-13, 144, -20}, {13, 144, 20}, {600, 144, 900}, {50, 144, 75}, {10, 144, 15}, {1, 144, 2},
        {-13, 120, -16}, {601, 120, 751}, {-13, 96, -13}, {601, 96, 601}, {0, 144, 0},
        {2000000000, 192, 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScaleLength(c.stored, c.dpi, BASE_DPI), c.drawn) << c.stored << " at " << c.dpi;
        if (c.drawn != 2147483647) {
            EXPECT_EQ(ScaleLength(c.drawn, BASE_DPI, c.dpi), c.stored) << c.stored << " at " << c.dpi;
        }
    }
    EXPECT_EQ(ScaleLength(5, 144, 0), 0);
}

}  // namespace
