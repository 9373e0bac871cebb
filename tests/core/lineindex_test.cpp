#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "document/lineindex.h"

namespace {

using Lines = std::vector<std::pair<uint32_t, uint32_t>>;

// Indexes text fed in chunks of the given size (0: all at once).
Lines Index(const std::string& text, int blankSkip, size_t chunk = 0)
{
    LineIndex index = {};
    LineScan scan;
    BeginLineScan(&scan, &index, blankSkip);
    size_t step = chunk == 0 ? text.size() : chunk;
    for (size_t at = 0; at < text.size(); at += step)
        EXPECT_TRUE(ScanLines(&scan, text.data() + at, std::min(step, text.size() - at)));
    EXPECT_TRUE(EndLineScan(&scan));
    // Each line's length is found again from its start, as the reader does.
    Lines lines;
    for (uint32_t i = 0; i < index.count; ++i) {
        uint32_t ofs = LineStart(index, i);
        lines.push_back({ofs, static_cast<uint32_t>(LineLength(text.data() + ofs, text.size() - ofs))});
    }
    FreeLineIndex(&index);
    return lines;
}

// The index as first described: the whole text in memory, line feeds
// counted, then the entries filled in with the pending-entry bookkeeping.
Lines Reference(const std::string& text, int blankSkip)
{
    size_t n = text.size();
    size_t nl = 0;
    for (char c : text)
        nl += c == '\n';
    std::vector<uint32_t> ofs(nl + 1), len(nl + 1);
    size_t count = nl + 1, next = 0, start = 0;
    for (size_t p = 0; p < n; ++p) {
        if (text[p] != '\n')
            continue;
        bool blank = blankSkip == 1 &&
                     (text[start] == '\n' || (text[start] == '\r' && start + 1 < n && text[start + 1] == '\n'));
        if (blank) {
            ofs[next] = static_cast<uint32_t>(p + 1);
            --count;
        } else {
            len[next] = static_cast<uint32_t>(p - start + 1);
            ofs[next + 1] = static_cast<uint32_t>(p + 1);
            ++next;
        }
        start = p + 1;
    }
    if (start == n)
        --count;
    else
        len[next] = static_cast<uint32_t>(n - start);
    Lines lines;
    for (size_t i = 0; i < count; ++i)
        lines.push_back({ofs[i], len[i]});
    return lines;
}

struct IndexCase {
    const char* name;
    std::string text;
    int blankSkip;
    Lines lines;
};

const IndexCase kCases[] = {
    {"empty", "", 0, {}},
    {"empty, skipping", "", 1, {}},
    {"one LF", "\n", 0, {{0, 1}}},
    {"one LF, skipping", "\n", 1, {}},
    {"CR LF pairs", "\r\n\r\n\r\n", 0, {{0, 2}, {2, 2}, {4, 2}}},
    {"CR LF pairs, skipping", "\r\n\r\n\r\n", 1, {}},
    {"a LF LF b", "a\n\nb", 0, {{0, 2}, {2, 1}, {3, 1}}},
    {"a LF LF b, skipping", "a\n\nb", 1, {{0, 2}, {3, 1}}},
    {"blanks before the first line", "\n\r\nfirst\n", 1, {{3, 6}}},
    {"ends with LF: no empty last line", "x\ny\n", 0, {{0, 2}, {2, 2}}},
    {"no final LF", "x\ny", 0, {{0, 2}, {2, 1}}},
    {"lone CRs end nothing", "a\rb\rc", 0, {{0, 5}}},
    {"a LF CR: the remainder is never blank", "a\n\r", 1, {{0, 2}, {2, 1}}},
    {"spaces are not blank", "  \n", 1, {{0, 3}}},
    {"CR CR LF is not blank", "\r\r\n", 1, {{0, 3}}},
    {"BlankSkip 2 keeps blank lines", "\n\n", 2, {{0, 1}, {1, 1}}},
    {"a zero byte is an ordinary byte", std::string("a\0b\n", 4), 1, {{0, 4}}},
};

TEST(LineIndex, KnownTexts)
{
    for (const IndexCase& c : kCases) {
        EXPECT_EQ(Index(c.text, c.blankSkip), c.lines) << c.name;
        EXPECT_EQ(Reference(c.text, c.blankSkip), c.lines) << c.name << " (reference)";
    }
}

TEST(LineIndex, ChunkBoundariesChangeNothing)
{
    // A CR LF split across two chunks must still be recognised as blank.
    const std::string text = "a\r\n\r\n\n\r\r\nlast\r";
    for (int blankSkip : {0, 1})
        for (size_t chunk = 1; chunk <= text.size(); ++chunk)
            EXPECT_EQ(Index(text, blankSkip, chunk), Reference(text, blankSkip)) << "chunk " << chunk;
}

TEST(LineIndex, MatchesTheReferenceOnRandomTexts)
{
    std::mt19937 rng(20261207);
    const char alphabet[] = {'\n', '\n', '\r', 'a', ' ', '\0', '\x82', '\x5C'};
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 40, ' ');
        for (char& c : text)
            c = alphabet[rng() % sizeof alphabet];
        int blankSkip = static_cast<int>(rng() % 3);
        size_t chunk = 1 + rng() % 7;
        ASSERT_EQ(Index(text, blankSkip, chunk), Reference(text, blankSkip))
            << "round " << round << " blankSkip " << blankSkip << " chunk " << chunk;
    }
}

// Long texts in large chunks take the 64-byte path of the scan.
TEST(LineIndex, MatchesTheReferenceOnLongRandomTexts)
{
    std::mt19937 rng(7);
    const char alphabet[] = {'\n', '\r', 'a', 'b', ' ', '\x82', '\x5C', 'c'};
    const size_t chunks[] = {0, 1, 63, 64, 65, 1000};
    for (int round = 0; round < 300; ++round) {
        std::string text(rng() % 3000, ' ');
        // Runs of line feeds now and then: many per 64 bytes, and blank lines.
        for (char& c : text)
            c = rng() % 5 == 0 ? '\n' : alphabet[rng() % sizeof alphabet];
        int blankSkip = static_cast<int>(rng() % 2);
        size_t chunk = chunks[rng() % 6];
        ASSERT_EQ(Index(text, blankSkip, chunk), Reference(text, blankSkip))
            << "round " << round << " blankSkip " << blankSkip << " chunk " << chunk;
    }
}

TEST(LineIndex, SpansManyBlocks)
{
    const uint32_t lines = LINE_BLOCK_ENTRIES * 2 + 3;
    std::string text;
    for (uint32_t i = 0; i < lines; ++i)
        text += (i % 3 == 0) ? "ab\n" : "c\n";
    for (int blankSkip : {0, 1}) {
        Lines got = Index(text, blankSkip, 4096);
        ASSERT_EQ(got.size(), lines);
        EXPECT_EQ(got, Reference(text, blankSkip));
    }
}

TEST(LineIndex, RunningOutOfMemoryIsReported)
{
    LineIndex index = {};
    LineScan scan;
    BeginLineScan(&scan, &index, 0);
    scan.limit = 2;
    EXPECT_TRUE(ScanLines(&scan, "a\nb\n", 4));
    EXPECT_FALSE(ScanLines(&scan, "c\n", 2));
    EXPECT_FALSE(EndLineScan(&scan));
    EXPECT_EQ(index.count, 2u);
    FreeLineIndex(&index);
    EXPECT_EQ(index.blocks, nullptr);

    BeginLineScan(&scan, &index, 0);
    scan.limit = 2;
    EXPECT_TRUE(ScanLines(&scan, "a\nb\nc", 5));
    EXPECT_FALSE(EndLineScan(&scan)) << "the last line without a line feed needs an entry too";
    FreeLineIndex(&index);
}

// A place counted under one blank-line rule names the same line under the
// other: a skipped blank line gives the next line shown.
TEST(LineIndex, APlaceKeepsItsLineAcrossTheBlankLineRule)
{
    const std::string text = "one\n\n\r\ntwo\n\nthree\n\n";
    LineIndex rules[2] = {};
    for (int rule : {0, 1}) {
        LineScan scan;
        BeginLineScan(&scan, &rules[rule], rule);
        ASSERT_TRUE(ScanLines(&scan, text.data(), text.size()) && EndLineScan(&scan));
    }
    // Line by line of rule 0 (7 lines), then of rule 1 (3): the line under the other rule.
    const std::vector<uint32_t> same[2] = {{0, 1, 1, 1, 2, 2, 3, 3}, {0, 3, 5, 7}};
    for (int rule : {0, 1})
        for (uint32_t line = 0; line < same[rule].size(); ++line)
            EXPECT_EQ(SameLineIn(rules[rule], rules[1 - rule], line), same[rule][line]) << rule << ":" << line;
    EXPECT_EQ(SameLineIn(rules[1], rules[0], 0xFFFFFFFF), 7u);
    FreeLineIndex(&rules[0]);
    FreeLineIndex(&rules[1]);
}

// After a 3-byte mark, blank lines left out: "ab\n" at 3, "\n" at 6 (left
// out), "cdef\n" at 7, "g" at 12, ending at 13.
TEST(LineIndex, APlaceAsAShareOfTheTextAndTheLineAtAPercentage)
{
    LineIndex index = {};
    LineScan scan;
    BeginLineScan(&scan, &index, 1);
    scan.pos = scan.start = 3;
    ASSERT_TRUE(ScanLines(&scan, "ab\n\ncdef\ng", 10) && EndLineScan(&scan));
    const uint32_t places[][3] = {{0, 0, 3}, {0, 2, 5}, {0, 9, 6}, {2, 0, 12}, {2, 5, 12}};  // line, offset: byte
    for (const auto& p : places)
        EXPECT_EQ(PlaceByte(index, p[0], p[1], 13), p[2]) << p[0] << "," << p[1];
    const uint32_t percents[][2] = {{0, 0}, {39, 0}, {40, 1}, {89, 1}, {90, 2}, {100, 2}, {250, 2}};
    for (const auto& p : percents)
        EXPECT_EQ(LineHolding(index, 3 + ShareOf(p[0], 100, 10)), p[1]) << p[0] << "%";
    EXPECT_EQ(LineHolding(index, 0), 0u) << "before the first line";
    EXPECT_EQ(LineHolding(index, UINT32_MAX), 2u);
    EXPECT_EQ(ShareOf(4, 10, 587), 234u) << "rounded down";
    EXPECT_EQ(ShareOf(1, 0, 100), 0u) << "of nothing";
    EXPECT_EQ(ShareOf(UINT32_MAX, UINT32_MAX, UINT32_MAX), UINT32_MAX) << "no overflow";
    FreeLineIndex(&index);
}

TEST(LineSaid, TheLineWithoutItsEndAndNoMoreThanIsShown)
{
    EXPECT_EQ(LineSaid("a\r\n", 3), 0x0001dc4c8601ec8cull) << "one byte, and FNV-1a of \"a\"";
    EXPECT_NE(LineSaid("\n", 1), 0u);
    const std::string full(LINE_MAX_BYTES, 'x'), less(LINE_MAX_BYTES - 1, 'x');
    const struct { std::string a, b; bool same; } cases[] = {
        {"abc\n", "abc", true}, {"abc\r\n", "abc\n", true}, {"abc\ndef", "abc\nxyz", true}, {"abc\r", "abc", true},
        {"abc \n", "abc\n", false}, {"abc\n", "abd\n", false}, {"\n", "\r\n", true}, {"\n", "x\n", false},
        {full + "y", full + "z\n", true}, {less + "y", less + "z", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineSaid(c.a.data(), c.a.size()) == LineSaid(c.b.data(), c.b.size()), c.same)
            << c.a.size() << ":" << c.a.substr(0, 8) << " / " << c.b.substr(0, 8);
}

TEST(LineSaid, TheNearestLineThatSaysItTheEarlierOfTwo)
{
    const uint32_t NONE = UINT32_MAX;
    // Five lines, each saying 1 or 2; the line saying 2 nearest to wanted.
    // Line i says says[i]; settled: the first line from which no nearer one can come.
    const struct { const char* says; uint32_t wanted, found, settled; } cases[] = {
        {"11211", 4, 2, NONE},     // before
        {"11112", 1, 4, 5},        // after
        {"11111", 2, NONE, NONE},  // none
        {"12121", 2, 1, 3},        // ties: the earlier
        {"21112", 2, 0, 4},        // ties at both ends
        {"22222", 3, 3, 4},        // a line repeated: the wanted one itself
        {"11122", 9, 4, NONE},     // wanted past the end
    };
    for (const auto& c : cases) {
        NearestSaid search;
        BeginNearestSaid(&search, c.wanted, 2);
        uint32_t settled = 0;
        for (; settled < 5 && !NearestSettled(search, settled); ++settled)
            NoteSaid(&search, settled, static_cast<uint64_t>(c.says[settled] - '0'));
        if (settled == 5 && !NearestSettled(search, 5))
            settled = NONE;
        EXPECT_EQ(search.found, c.found) << c.says << " from " << c.wanted;
        EXPECT_EQ(settled, c.settled) << c.says << " from " << c.wanted;
    }
}

TEST(DatSeparators, EachSearchResumesTwoBytesOn)
{
    const struct {
        const char* line;
        int count;
    } cases[] = {
        {"name<>mail<>date<>body<>title", 4},
        {"a<>b<>c<>d", 3},
        {"a<>b<>c<>d<>e<>f", 5},
        {"<><>", 2},
        {"<<>>", 1},
        {"<>>", 1},
        {"", 0},
        {"<", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountDatSeparators(c.line), c.count) << c.line;
}

}  // namespace
