#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "base/hotkeyname.h"
#include "dialogs/digits.h"
#include "window/alpha.h"
#include "window/feed.h"
#include "window/leave.h"
#include "window/numkey.h"

namespace {

int TypeKeys(const unsigned* keys, size_t n, int* accepted)
{
    char buf[NUMKEY_MAX_DIGITS + 1];
    memset(buf, 0, sizeof buf);
    int count = 0;
    *accepted = 0;
    for (size_t i = 0; i < n; ++i)
        *accepted += NumKeyAdd(buf, &count, keys[i]) ? 1 : 0;
    EXPECT_EQ(buf[count], '\0');
    int value = NumKeyTake(buf, &count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(buf[0], '\0');
    return value;
}

TEST(NumKey, MainRowAndPadDigitsFormTheNumber)
{
    const unsigned oneTwo[] = {'1', '2'};
    const unsigned padFourZeroSeven[] = {0x64, 0x60, 0x67};  // numeric pad 4, 0, 7
    const unsigned leadingZeros[] = {'0', '0', '5'};
    const unsigned zeros[] = {'0', 0x60, '0'};
    int accepted;
    EXPECT_EQ(TypeKeys(oneTwo, 2, &accepted), 12);
    EXPECT_EQ(TypeKeys(padFourZeroSeven, 3, &accepted), 407);
    EXPECT_EQ(TypeKeys(leadingZeros, 3, &accepted), 5);
    EXPECT_EQ(TypeKeys(zeros, 3, &accepted), 0);
}

TEST(NumKey, TheTenthDigitIsDropped)
{
    const unsigned ten[] = {'9', '8', '7', '6', '5', '4', '3', '2', '1', '0'};
    int accepted;
    EXPECT_EQ(TypeKeys(ten, 10, &accepted), 987654321);
    EXPECT_EQ(accepted, 9);
    const unsigned nines[] = {'9', '9', '9', '9', '9', '9', '9', '9', '9', '9', '9'};
    EXPECT_EQ(TypeKeys(nines, 11, &accepted), 999999999);
}

TEST(FeedInterval, IsPositiveAndNeverOverflows)
{
    const struct {
        int runWait;
        unsigned ms;
    } cases[] = {
        {5, 5000}, {1, 1000}, {999, 999000},
        {0, 1000}, {-5, 1000}, {INT_MIN, 1000},   // would race through the text
        {2147483, 2147483000u}, {2147484, 0x7FFFFFFFu}, {INT_MAX, 0x7FFFFFFFu},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FeedIntervalMs(c.runWait), c.ms) << "RunWait " << c.runWait;
}

TEST(FeedByLength, StaysAsLongAsTheCharactersShownTakeToRead)
{
    const struct { const char* line; size_t prefix; uint32_t from, to, characters; int perMinute; unsigned ms; } cases[] = {
        {"12: 0123456789\r\n", 4, 0, UINT32_MAX, 10, 60, 10000},  // neither its number nor its end is read
        {"12: 0123456789", 4, 3, 5, 2, 6, 20000},                 // a piece of it
        {"\x82\xA0\x95\x5C\tz", 0, 0, UINT32_MAX, 4, 6000, 1000},  // あ表, a tab, z: 40 ms, the shortest stay
        {"\x82\xA0\x95\x5C\tz", 0, 2, 4, 1, 0, 60000},              // 表 with no speed: the longest
        {"0123456789", 0, 0, UINT32_MAX, 10, 11, 54545},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharactersShown(c.line, c.prefix, c.from, c.to, false), c.characters) << c.line;
        EXPECT_EQ(FeedLengthMs(c.characters, c.perMinute), c.ms) << c.line << " at " << c.perMinute;
    }
    EXPECT_EQ(CharactersShown("\xF0\x9F\x98\x80\xE3\x81\x82" "a\n", 0, 0, UINT32_MAX, true), 3u) << "😀あa";
    EXPECT_EQ(FeedLengthMs(UINT32_MAX, 1), 60000u) << "no overflow";
}

TEST(Alpha, FollowsTheTransparencySteps)
{
    const struct {
        int layNum;
        unsigned alpha;
    } cases[] = {
        {0, 255}, {1, 243}, {5, 192}, {10, 128}, {15, 64}, {19, 13}, {20, 0},
        // Out-of-range steps give the formula's low byte.
        {21, 0xF4}, {-1, 0x0B}, {40, 0x01},
        // 255 - n * 255 / 20 in wide arithmetic: no overflow at the extremes.
        {INT_MAX, static_cast<unsigned>((255 - static_cast<long long>(INT_MAX) * 255 / 20) & 0xFF)},
        {INT_MIN, static_cast<unsigned>((255 - static_cast<long long>(INT_MIN) * 255 / 20) & 0xFF)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AlphaFromLayNum(c.layNum), c.alpha) << "LayNum " << c.layNum;
        // Behind opaque text the background keeps at least 1, where the
        // mouse still finds the window.
        EXPECT_EQ(BackgroundAlpha(c.layNum), c.alpha != 0 ? c.alpha : 1u) << "LayNum " << c.layNum;
    }
}

// Pixels 0xAARRGGBB over the background (200, 220, 240); ink (10, 20, 30).
TEST(Alpha, InkStaysOpaqueOverASeeThroughBackground)
{
    const struct {
        uint32_t drawn, coverage;
        unsigned char alpha;
        uint32_t shown;
    } cases[] = {
        {0xC8DCF0, 0, 96, 0x604B535A}, {0xC8DCF0, 0, 1, 0x01010101},        // background × alpha
        {0x0A141E, 0xFFFFFF, 96, 0xFF0A141E}, {0, 0xFFFFFF, 1, 0xFF000000},  // ink, grip: opaque
        {0x646E78, 0x808080, 96, 0xB0262A2D},  // half black ink: c F + (1 - c) alpha B
        {0x0A141E, 0x00FF40, 96, 0xFF0A141E},  // the brightest channel for all: no fringe
        {0xFFFFFF, 0, 50, 0x32323232},          // never more colour than alpha
    };
    for (const auto& c : cases) {
        uint32_t pixel = c.drawn;
        KeepInkOpaque(&pixel, &c.coverage, 1, 0xC8DCF0, c.alpha);
        EXPECT_EQ(pixel, c.shown) << std::hex << c.drawn << " over " << c.coverage;
    }
}

TEST(Digits, OnlyAllDigitTextOrAPercentageCountsHeldAtTheMost)
{
    const struct {
        const char* text;
        long long most, value;
    } cases[] = {
        {"12", 999, 12}, {"0", 999, 0}, {"007", 9, 7}, {"1000", 999, 999},
        {"99999999999999999999999", 4294967295LL, 4294967295LL},  // no overflow on the way
        {"", 999, -1}, {"-5", 999, -1}, {"1 2", 999, -1}, {"1a", 999, -1}, {"\x82\x4F", 999, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadDigits(c.text, c.most), c.value) << '"' << c.text << '"';
    const std::pair<const char*, long long> percents[] = {
        {"37%", 37}, {"0%", 0}, {"100%", 100}, {"250%", 100}, {"%", -1}, {"37", -1}, {"3%7", -1}, {"37%%", -1}, {"-5%", -1}};
    for (const auto& p : percents)
        EXPECT_EQ(ReadPercent(p.first), p.second) << '"' << p.first << '"';
}

TEST(HotKeyName, ModifiersThenTheKeyAsAUserReadsThem)
{
    const struct {
        int key, alt, ctl, sft;
        char keyChar;
        const char* name;
    } cases[] = {
        {'Q', 1, 1, 0, 0, "Ctrl+Alt+Q"},        {0x76, 1, 1, 0, 0, "Ctrl+Alt+F7"},
        {0x20, 1, 1, 1, 0, "Ctrl+Shift+Alt+Space"}, {0x65, 0, 0, 1, 0, "Shift+Num 5"},
        {0x87, 0, 0, 0, 0, "F24"},              {'7', 0, 1, 0, 0, "Ctrl+7"},
        {0xBA, 0, 1, 0, ':', "Ctrl+:"},         // a key named by what it types on the layout
        {0xE2, 1, 0, 0, 0, "Alt+0xE2"},         // one that types nothing
    };
    for (const auto& c : cases) {
        char out[64];
        FormatHotKey(c.key, c.alt, c.ctl, c.sft, c.keyChar, out, sizeof out);
        EXPECT_STREQ(out, c.name);
    }
    char small[6];
    FormatHotKey('Q', 1, 1, 0, 0, small, sizeof small);
    EXPECT_STREQ(small, "Ctrl+") << "cut to fit";
}

}  // namespace

// The pointer watched every 100 ms with a wait of 800: each row a look, in
// order, and what it asks for.
TEST(LeaveWatch, HidesAfterTheWaitAwayAndShowsOnlyWhatItHid)
{
    const bool SHOWN = true, HIDDEN = false, OVER = true, AWAY = false, BUSY = true, FREE = false;
    const struct {
        bool visible, over, busy;
        uint32_t now;
        LeaveAction action;
    } looks[] = {
        {SHOWN, OVER, FREE, 0, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 100, LEAVE_NOTHING},        // the wait starts
        {SHOWN, AWAY, FREE, 899, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 900, LEAVE_HIDE},           // 800 ms away
        {HIDDEN, AWAY, FREE, 1000, LEAVE_NOTHING},
        {HIDDEN, OVER, BUSY, 1100, LEAVE_SHOW},         // back over its place
        {SHOWN, AWAY, BUSY, 1200, LEAVE_NOTHING},       // a menu is up
        {SHOWN, AWAY, BUSY, 5000, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 5100, LEAVE_NOTHING},       // the wait starts again
        {SHOWN, OVER, FREE, 5500, LEAVE_NOTHING},       // back before it ends
        {SHOWN, AWAY, FREE, 5600, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 6400, LEAVE_HIDE},
        {SHOWN, AWAY, FREE, 6500, LEAVE_NOTHING},       // shown by the hot key, the pointer elsewhere:
        {SHOWN, AWAY, FREE, 9000, LEAVE_NOTHING},       // it stays until the pointer has met it
        {HIDDEN, OVER, FREE, 6600, LEAVE_NOTHING},      // hidden with Esc: stays hidden
        {SHOWN, OVER, FREE, 0xFFFFFE00u, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 0xFFFFFF00u, LEAVE_NOTHING},
        {SHOWN, AWAY, FREE, 0x000002F0u, LEAVE_HIDE},   // the clock wrapped
    };
    LeaveWatch watch = {POINTER_OVER, 0};
    for (size_t i = 0; i < sizeof looks / sizeof looks[0]; ++i) {
        const auto& look = looks[i];
        EXPECT_EQ(WatchPointer(&watch, look.visible, look.over, look.busy, look.now, 800), look.action) << "row " << i;
    }
}
