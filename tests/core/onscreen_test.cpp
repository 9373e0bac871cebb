#include <gtest/gtest.h>

#include "window/onscreen.h"

namespace {

// A 1280 × 800 primary monitor with a 40-pixel taskbar at its foot, and a
// 1920 × 1080 one to its left (negative coordinates) that sits 200 higher.
const Monitor kPrimary = {{0, 0, 1280, 800}, {0, 0, 1280, 760}, 96};
const Monitor kLeft = {{-1920, -200, 0, 880}, {-1920, -200, 0, 880}, 96};
const Monitor kBoth[] = {kPrimary, kLeft};

// Windows of 600 × 50 unless given; where each stands afterwards, if moved.
const struct PlaceCase {
    ScreenRect window;
    const Monitor* monitors;
    size_t count;
    bool reachable;
    ScreenRect placed;  // when not reachable
} kCases[] = {
    {{100, 100, 700, 150}, &kPrimary, 1, true, {}},
    {{1248, 752, 1848, 802}, &kPrimary, 1, true, {}},            // 32 × 8 left at the corner
    {{1249, 752, 1849, 802}, &kPrimary, 1, false, {680, 710, 1280, 760}},
    {{1248, 753, 1848, 803}, &kPrimary, 1, false, {680, 710, 1280, 760}},
    {{3000, 2000, 3600, 2050}, &kPrimary, 1, false, {680, 710, 1280, 760}},
    {{-2000, 100, -1400, 150}, &kPrimary, 1, false, {0, 100, 600, 150}},
    {{100, -900, 700, -850}, &kPrimary, 1, false, {100, 0, 700, 50}},
    {{-2000, 100, -1400, 150}, kBoth, 2, true, {}},              // on the left monitor
    {{-2500, -300, -1900, -250}, kBoth, 2, false, {-1920, -200, -1320, -150}},
    {{1400, 100, 2000, 150}, kBoth, 2, false, {680, 100, 1280, 150}},
    {{5000, 100, 7000, 1100}, &kPrimary, 1, false, {0, 0, 1280, 760}},  // larger than the screen: cut
};

TEST(OnScreen, AWindowNoOneCanReachIsPlacedOnTheNearestMonitor)
{
    for (const PlaceCase& c : kCases) {
        const ScreenRect& w = c.window;
        EXPECT_EQ(Reachable(w, c.monitors, c.count), c.reachable) << w.left << "," << w.top;
        if (c.reachable)
            continue;
        ScreenRect r = MoveInside(w, c.monitors[NearestMonitor(w, c.monitors, c.count)].work);
        EXPECT_EQ(r.left, c.placed.left) << w.left << "," << w.top;
        EXPECT_EQ(r.top, c.placed.top) << w.left << "," << w.top;
        EXPECT_EQ(r.right, c.placed.right) << w.left << "," << w.top;
        EXPECT_EQ(r.bottom, c.placed.bottom) << w.left << "," << w.top;
    }
}

// A 96-DPI monitor and a 192-DPI one to its right that stands lower.
const Monitor kScaled[] = {{{0, 0, 1280, 800}, {0, 0, 1280, 760}, 96},
                           {{1280, 200, 3200, 1280}, {1280, 200, 3200, 1240}, 192}};

TEST(OnScreen, AWindowIsMadeAtTheScaleOfTheMonitorItLandsOnWhenMade)
{
    const struct {
        long left;
        int width, dpi;
    } cases[] = {
        {100, 600, 96},
        {1400, 600, 192},
        {1000, 500, 192},  // 280 of its 500 on the first, but made at 192 it stands on the second
        {700, 500, 96},    // made at 192 it would reach the second, but it fits the first
        {2147483000, 600, 192},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CreationDpi(c.left, 300, c.width, 50, kScaled, 2), c.dpi) << c.left << "," << c.width;
    // Past the far corner of the work area the pointer still has a place.
    ScreenRect r = GripConfinement({3195, 1235, 3795, 1285}, kScaled[1].work, 10);
    EXPECT_TRUE(r.left == 3205 && r.top == 1245 && r.right == 3206 && r.bottom == 1246);
}

}  // namespace
