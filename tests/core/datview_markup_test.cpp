#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "datview/markup.h"
#include "tests/markup_passes.h"

namespace {


std::string Apply(Pass pass, const std::string& source, int length, size_t destSize = MARKUP_TEXT_MAX + 1)
{
    std::vector<char> dest(destSize + 1, '#');  // one guard byte past the buffer
    pass(source.c_str(), length, dest.data(), destSize);
    EXPECT_EQ(dest[destSize], '#') << "wrote past the destination";
    return std::string(dest.data(), strnlen(dest.data(), destSize));
}

std::string Apply(Pass pass, const std::string& source)
{
    return Apply(pass, source, static_cast<int>(source.size()));
}

// The three passes in the order in which a post's name and body are cleaned.
std::string Clean(const std::string& source)
{
    return Apply(ReplaceAngleEntitiesPass, Apply(StripTags, Apply(ReplaceMarkupPass, source)));
}

struct CleanCase {
    const char* source;
    const char* result;
};

void ExpectCleaned(const CleanCase* cases, size_t count)
{
    for (size_t k = 0; k < count; ++k)
        EXPECT_EQ(Clean(cases[k].source), cases[k].result) << "source \"" << cases[k].source << '"';
}

#define EXPECT_ALL_CLEANED(table) ExpectCleaned(table, sizeof table / sizeof table[0])

TEST(CleanUp, LineBreaksBoldTagsAndEntities)
{
    const CleanCase cases[] = {
        {"a<BR>b<br>c", "a\r\nb\r\nc"},
        {"<Br>", "<Br>"}, {"<BR >", "<BR >"}, {"<br/>", "<br/>"}, {"&AMP;", "&AMP;"},
        {"<b>bold</B>", "bold"},
        {"<B<B>>", ""},                  // the tag the inner one leaves goes too
        {"&amp;amp;", "&"},
        {"&amp;quot;", "&quot;"},        // formed after the &quot; row is done
        {"<B<b>R>", "<BR>"},             // likewise after the line-break rows
        {"&amp;nbsp;", " "},
        {"&amp;lt;", "<"},               // left for the last pass
        {"&lt;BR&gt;", "<BR>"},          // decoded after the line-break rows
        {"&quot;q&quot; &nbsp;", "\"q\"  "},
        {"", ""},
    };
    EXPECT_ALL_CLEANED(cases);
}

TEST(CleanUp, CommentsEndAtTheFirstGreaterThanAfterTwoHyphens)
{
    const CleanCase cases[] = {
        {"x<!-- c -->y", "xy"},
        {"x<!-->y", "xy"}, {"x<!--->y", "xy"},   // the opener's hyphens count
        {"x<!-- c ->y", "x<!-- c ->y"}, {"x<!-- c", "x<!-- c"},
        {"<!--a-->-->", "-->"},
        {"<!-- <a> -->k", "k"},
        {"x <!-- y<a>", "x <!-- y"},            // the anchor after it still goes
        {"<a <!-- x --> >z", "z"},               // the comment first, then the anchor
        {"<!- x -->", "<!- x -->"}, {"<!--", "<!--"},
    };
    EXPECT_ALL_CLEANED(cases);
}

TEST(CleanUp, AnchorAndFontTagsEndAtTheFirstGreaterThan)
{
    const CleanCase cases[] = {
        {"<a href=x>&gt;&gt;2</a> hi", ">>2 hi"},
        {"&lt;a href=x&gt;", "<a href=x>"},      // decoded after the tags are gone
        {"<A HREF=x>L</A>", "L"},
        {"<abbr>t</abbr>", "t"},                 // only the first letter counts
        {"</ a>", "</ a>"}, {"<a", "<a"}, {"x<ay", "x<ay"},
        {"<a title='x>y'>z", "y'>z"},
        {"<<a>>", "<>"},
        {"<font color=red>r</font>", "r"},
        {"<FoNt>x</fONT>", "x"},
        {"<fonts>x", "x"},
        {"<fon>x", "<fon>x"}, {"</ font>", "</ font>"}, {"<font", "<font"},
        {"a < b > c", "a < b > c"},
    };
    EXPECT_ALL_CLEANED(cases);
}

// What each pass does on its own, where the chain hides it.
TEST(CleanUp, EachPassOnItsOwn)
{
    const struct {
        Pass pass;
        const char* source;
        const char* result;
    } cases[] = {
        {ReplaceMarkupPass, "&amp;lt;<a>", "&lt;<a>"},
        {ReplaceMarkupPass, "&lt;br&gt;", "&lt;br&gt;"},
        {StripTags, "&lt;a&gt;<b>", "&lt;a&gt;<b>"},
        {StripTags, "<!--<a>-->", ""},
        {ReplaceAngleEntitiesPass, "&lt;a&gt;&amp;&LT;", "<a>&amp;&LT;"},
        {ReplaceAngleEntitiesPass, "&&lt;lt;;", "&<lt;;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.pass, c.source), c.result) << "source \"" << c.source << '"';
}

// StripTags covers the first length bytes only.
TEST(CleanUp, StripTagsHeedsTheLength)
{
    const struct {
        const char* source;
        int length;
        const char* stripped;
    } cases[] = {
        {"<a>xyz", 5, "xy"},
        {"ab<a>", 4, "ab<a"},    // the '>' lies outside: no end
        {"abc", 0, ""}, {"abc", -1, ""}, {"abc", INT_MIN, ""},
        {"abc", 10, "abc"}, {"abc", INT_MAX, "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(StripTags, c.source, c.length), c.stripped) << c.source << ", " << c.length;
}

const Pass kPasses[] = {ReplaceMarkupPass, StripTags, ReplaceAngleEntitiesPass};

TEST(CleanUp, TextIsCutAtTheCapacity)
{
    const std::string longText(5000, 'x');
    const std::string cutText(MARKUP_TEXT_MAX, 'x');
    const std::string kana = "\x82\xA0";  // あ
    for (Pass pass : kPasses) {
        EXPECT_EQ(Apply(pass, longText, 5000, 6000), cutText);
        EXPECT_EQ(Apply(pass, std::string(4095, 'x') + kana + "yy", 4099, 6000), std::string(4095, 'x'));
        EXPECT_EQ(Apply(pass, "abcdef", 6, 4), "abc");
        EXPECT_EQ(Apply(pass, "abcdef", 6, 1), "");
        EXPECT_EQ(Apply(pass, "ab" + kana, 4, 4), "ab");        // not half a character
        EXPECT_EQ(Apply(pass, "ab" + kana, 4, 5), "ab" + kana);
        char untouched = '#';
        pass("abc", 3, &untouched, 0);
        EXPECT_EQ(untouched, '#');
    }
    // The cut applies to the result, not the source.
    EXPECT_EQ(Apply(ReplaceMarkupPass, "<b><b>ab", 8, 3), "ab");
}

// Second bytes 0x40-0xFC, 0x5C ('\') and 0x7C ('|') among them, are never
// part of markup.
TEST(CleanUp, DoubleByteCharactersPassThrough)
{
    const unsigned char leads[] = {0x81, 0x83, 0x9F, 0xE0, 0xFC};
    for (unsigned char lead : leads) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string c{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string source = c + "<br>" + c + "<B>" + c + "&amp;" + c + "<a x>" + c +
                                       "<!--" + c + "-->" + c + "&lt;" + c + "<FONT>" + c;
            const std::string result = c + "\r\n" + c + c + "&" + c + c + c + "<" + c + c;
            EXPECT_EQ(Clean(source), result) << std::hex << int(lead) << ' ' << trail;
        }
    }
}

// The table passes sweep the text once per row. The reference below is the
// plain method: find the first occurrence, replace it, search again from the
// start. The two must agree on every text, cascades included.
typedef std::vector<std::pair<std::string, std::string>> Table;

std::string ReplaceByRestarting(std::string text, const Table& rows)
{
    for (const auto& row : rows) {
        for (size_t at; (at = text.find(row.first)) != std::string::npos;)
            text.replace(at, row.first.size(), row.second);
    }
    return text;
}

// Each occurrence once, without looking at what a replacement forms: where
// this differs from the reference, the text has a cascade.
std::string ReplaceOnce(std::string text, const Table& rows)
{
    for (const auto& row : rows) {
        for (size_t at = 0; (at = text.find(row.first, at)) != std::string::npos; at += row.second.size())
            text.replace(at, row.first.size(), row.second);
    }
    return text;
}

// Random texts are built of whole patterns and of pieces of them, with
// other texts put inside them now and then: "<B" + "<B>" + ">" is how
// cascades arise.
const char* const kPatterns[] = {
    "<BR>", "<br>", "<B>", "<b>", "</B>", "</b>", "&quot;", "&amp;", "&nbsp;", "&lt;", "&gt;",
};
const char* const kPieces[] = {
    "<", ">", "B", "b", "R", "r", "/", "&", ";", "amp;", "lt;", "gt;", "quot;", "nbsp;",
    "!--", "--", "a", "A", " ", "href", "font", "br", "BR", "<>", "\r\n", "<B", "&amp",
    "\x83\x5C", "\x83\x7C", "\x81\x3C", "\x82\xA0",  // second bytes '\', '|', '<'; あ
};

template <size_t N>
const char* Pick(std::mt19937& random, const char* const (&from)[N])
{
    return from[random() % N];
}

std::string RandomNested(std::mt19937& random, int depth)
{
    std::string text = random() % 3 != 0 ? Pick(random, kPatterns) : Pick(random, kPieces);
    if (depth > 0 && text.size() > 1)
        text.insert(1 + random() % (text.size() - 1), RandomNested(random, depth - 1));
    return text;
}

TEST(CleanUp, TablePassesAgreeWithReplacingFromTheStartEachTime)
{
    const Table markupRows = {
        {"<BR>", "\r\n"}, {"<br>", "\r\n"}, {"<B>", ""}, {"<b>", ""}, {"</B>", ""},
        {"</b>", ""}, {"&quot;", "\""}, {"&amp;", "&"}, {"&nbsp;", " "},
    };
    const Table angleRows = {{"&lt;", "<"}, {"&gt;", ">"}};
    std::mt19937 random(20240605);  // fixed, so that a failure can be repeated
    int cascades = 0;
    for (int round = 0; round < 20000; ++round) {
        // Mostly short texts, where cascades are dense; now and then a long one.
        const int parts = round % 500 == 0 ? 1000 : 1 + random() % 8;
        std::string source;
        for (int k = 0; k < parts && source.size() < MARKUP_TEXT_MAX - 64; ++k)
            source += random() % 2 ? RandomNested(random, random() % 4) : Pick(random, kPieces);
        const std::string markup = ReplaceByRestarting(source, markupRows);
        ASSERT_EQ(Apply(ReplaceMarkupPass, source), markup) << "source \"" << source << '"';
        ASSERT_EQ(Apply(ReplaceAngleEntitiesPass, source), ReplaceByRestarting(source, angleRows))
            << "source \"" << source << '"';
        if (markup != ReplaceOnce(source, markupRows))
            ++cascades;
    }
    EXPECT_GT(cascades, 200) << cascades << " the random texts hardly exercise the cascades";
}

}  // namespace
