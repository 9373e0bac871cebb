#include "document/headings.h"

#include <cstdlib>

#include "document/marks.h"
#include "document/notation.h"

namespace {

const Mark WIDE_SPACE = {{"\x81\x40", "\xE3\x80\x80"}};
const Mark DAI = {{"\x91\xE6", "\xE7\xAC\xAC"}};  // 第
const Mark MIDASHI = {{"\x8C\xA9\x8F\x6F\x82\xB5", "\xE8\xA6\x8B\xE5\x87\xBA\xE3\x81\x97"}};  // 見出し
const Mark NOTE_START = {{"\x81\x6D\x81\x94", "\xEF\xBC\xBB\xEF\xBC\x83"}};                     // ［＃
const Mark NOTE_OPEN = {{"\x81\x6D", "\xEF\xBC\xBB"}};                                          // ［
const Mark NOTE_CLOSE = {{"\x81\x6E", "\xEF\xBC\xBD"}};                                         // ］
const Mark QUOTE_OPEN = {{"\x81\x75", "\xE3\x80\x8C"}};                                         // 「
const Mark QUOTE_CLOSE = {{"\x81\x76", "\xE3\x80\x8D"}};                                        // 」
const Mark RUBY_OPEN = {{"\x81\x73", "\xE3\x80\x8A"}};                                          // 《

// 章 話 部 編 節 幕 回 巻
const Mark UNITS[] = {{{"\x8F\xCD", "\xE7\xAB\xA0"}}, {{"\x98\x62", "\xE8\xA9\xB1"}}, {{"\x95\x94", "\xE9\x83\xA8"}},
                      {{"\x95\xD2", "\xE7\xB7\xA8"}}, {{"\x90\xDF", "\xE7\xAF\x80"}}, {{"\x96\x8B", "\xE5\xB9\x95"}},
                      {{"\x89\xF1", "\xE5\x9B\x9E"}}, {{"\x8A\xAA", "\xE5\xB7\xBB"}}};
// 〇 一 二 三 四 五 六 七 八 九 十 百 千 万 零 壱 弐 参, and ０ to ９
const Mark DIGITS[] = {
    {{"\x81\x5A", "\xE3\x80\x87"}}, {{"\x88\xEA", "\xE4\xB8\x80"}}, {{"\x93\xF1", "\xE4\xBA\x8C"}},
    {{"\x8E\x4F", "\xE4\xB8\x89"}}, {{"\x8E\x6C", "\xE5\x9B\x9B"}}, {{"\x8C\xDC", "\xE4\xBA\x94"}},
    {{"\x98\x5A", "\xE5\x85\xAD"}}, {{"\x8E\xB5", "\xE4\xB8\x83"}}, {{"\x94\xAA", "\xE5\x85\xAB"}},
    {{"\x8B\xE3", "\xE4\xB9\x9D"}}, {{"\x8F\x5C", "\xE5\x8D\x81"}}, {{"\x95\x53", "\xE7\x99\xBE"}},
    {{"\x90\xE7", "\xE5\x8D\x83"}}, {{"\x96\x9C", "\xE4\xB8\x87"}}, {{"\x97\xEB", "\xE9\x9B\xB6"}},
    {{"\x88\xEB", "\xE5\xA3\xB1"}}, {{"\x93\xF3", "\xE5\xBC\x90"}}, {{"\x8E\x51", "\xE5\x8F\x82"}},
    {{"\x82\x4F", "\xEF\xBC\x90"}}, {{"\x82\x50", "\xEF\xBC\x91"}}, {{"\x82\x51", "\xEF\xBC\x92"}},
    {{"\x82\x52", "\xEF\xBC\x93"}}, {{"\x82\x53", "\xEF\xBC\x94"}}, {{"\x82\x54", "\xEF\xBC\x95"}},
    {{"\x82\x55", "\xEF\xBC\x96"}}, {{"\x82\x56", "\xEF\xBC\x97"}}, {{"\x82\x57", "\xEF\xBC\x98"}},
    {{"\x82\x58", "\xEF\xBC\x99"}},
};
// 序章 終章 序 プロローグ エピローグ 幕間 あとがき, and the English ones
const Mark WORDS[] = {
    {{"\x8F\x98\x8F\xCD", "\xE5\xBA\x8F\xE7\xAB\xA0"}},
    {{"\x8F\x49\x8F\xCD", "\xE7\xB5\x82\xE7\xAB\xA0"}},
    {{"\x8F\x98", "\xE5\xBA\x8F"}},
    {{"\x83\x76\x83\x8D\x83\x8D\x81\x5B\x83\x4F", "\xE3\x83\x97\xE3\x83\xAD\xE3\x83\xAD\xE3\x83\xBC\xE3\x82\xB0"}},
    {{"\x83\x47\x83\x73\x83\x8D\x81\x5B\x83\x4F", "\xE3\x82\xA8\xE3\x83\x94\xE3\x83\xAD\xE3\x83\xBC\xE3\x82\xB0"}},
    {{"\x96\x8B\x8A\xD4", "\xE5\xB9\x95\xE9\x96\x93"}},
    {{"\x82\xA0\x82\xC6\x82\xAA\x82\xAB", "\xE3\x81\x82\xE3\x81\xA8\xE3\x81\x8C\xE3\x81\x8D"}},
    {{"Prologue", "Prologue"}},
    {{"Epilogue", "Epilogue"}},
};
const char* const NUMBERED[] = {"Chapter", "CHAPTER", "Part"};

bool Blank(const Text& t, size_t i)
{
    return t.p[i] == ' ' || t.p[i] == '\t' || t.p[i] == '\r' || t.p[i] == '\n' || At(t, i, WIDE_SPACE);
}

// The text without blanks at its ends.
Text Trimmed(const Text& t)
{
    size_t from = 0, to = 0;
    for (size_t i = 0; i < t.n; i += CharAt(t, i)) {
        if (Blank(t, i))
            continue;
        if (to == 0)
            from = i;
        to = i + CharAt(t, i);
    }
    const Text r = {t.p + from, to > from ? to - from : 0, t.utf8};
    return r;
}

size_t Characters(const Text& t)
{
    size_t n = 0;
    for (size_t i = 0; i < t.n; i += CharAt(t, i))
        ++n;
    return n;
}

// The mark of the list that stands at i, or NULL.
template <size_t N>
const Mark* OneOf(const Text& t, size_t i, const Mark (&marks)[N])
{
    for (const Mark& m : marks)
        if (At(t, i, m))
            return &m;
    return NULL;
}

// Past the digits (ASCII, full-width, kanji) from i; i itself when none.
size_t PastDigits(const Text& t, size_t i, size_t* count)
{
    *count = 0;
    while (i < t.n) {
        const Mark* m = OneOf(t, i, DIGITS);
        if (m == NULL && !(t.p[i] >= '0' && t.p[i] <= '9'))
            break;
        i += m != NULL ? strlen(Of(t, *m)) : 1;
        ++*count;
    }
    return i;
}

// Whether the line holds a heading annotation: one whose own words (not
// what it quotes in 「…」) say 見出し, closed on the line. ［＃「見出し」に傍点］
// marks a word, not a heading. One pass: an annotation not closed ends
// the look.
bool HeadingAnnotation(const Text& t)
{
    int depth = 0;
    bool quoted = false, heading = false;
    for (size_t i = 0; i < t.n; i += CharAt(t, i)) {
        if (depth == 0) {
            if (At(t, i, NOTE_START)) {
                depth = 1;
                quoted = heading = false;
            }
        } else if (quoted) {
            quoted = !At(t, i, QUOTE_CLOSE);
        } else if (At(t, i, QUOTE_OPEN)) {
            quoted = true;
        } else if (At(t, i, NOTE_OPEN)) {
            ++depth;
        } else if (At(t, i, NOTE_CLOSE)) {
            if (--depth == 0 && heading)
                return true;
        } else if (At(t, i, MIDASHI)) {
            heading = true;
        }
    }
    return false;
}

// Whether the line may hold notation that its shown form leaves out (an
// annotation, ruby): it holds ［ or 《, looked for byte by byte (in code
// page 932 a second byte may seem to begin one: the line is then read as
// shown all the same).
bool HoldsNotation(const Text& t)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(t.p);
    const unsigned char lead = t.utf8 ? 0xEF : 0x81;
    for (size_t i = 0; i + 1 < t.n; ++i) {
        if (t.utf8 && p[i] == 0xE3 && i + 2 < t.n && p[i + 1] == 0x80 && p[i + 2] == 0x8A)
            return true;  // 《
        if (p[i] != lead)
            continue;
        if (t.utf8 ? i + 2 < t.n && p[i + 1] == 0xBC && p[i + 2] == 0xBB : p[i + 1] == 0x6D || p[i + 1] == 0x73)
            return true;  // ［, or in code page 932 ［ or 《
    }
    return false;
}

// Whether the character at i goes on a word: a kanji (々 〆 〇 too), a
// kana, a letter or a digit (ASCII or full-width). Not blanks,
// punctuation, brackets, ・ or ー.
bool WordCharacter(const Text& t, size_t i)
{
    const unsigned char b = static_cast<unsigned char>(t.p[i]);
    if (b < 0x80)
        return (b >= '0' && b <= '9') || ((b | 0x20) >= 'a' && (b | 0x20) <= 'z');
    const size_t k = CharAt(t, i);
    const unsigned c = CharacterCode(reinterpret_cast<const unsigned char*>(t.p + i), k, t.utf8);
    if (!t.utf8) {
        if (k == 1)
            return b >= 0xA6 && b <= 0xDD;  // ｦ to ﾝ
        return (c >= 0x8152 && c <= 0x8155) || (c >= 0x8158 && c <= 0x815A) || (c >= 0x824F && c <= 0x8396) ||
               (c >= 0x889F && c <= 0x9FFC) || (c >= 0xE040 && c <= 0xEAA4) || (c >= 0xED40 && c <= 0xEEFC) ||
               (c >= 0xFA40 && c <= 0xFC4B);
    }
    if (k != 3)
        return false;
    return (c >= 0x3005 && c <= 0x3007) || (c >= 0x3041 && c <= 0x3096) || (c >= 0x309D && c <= 0x30FA) ||
           (c >= 0x30FD && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF10 && c <= 0xFF19) ||
           (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0xFF66 && c <= 0xFF9D);
}

// 、 ， and ","
bool Comma(const Text& t, size_t i)
{
    static const Mark COMMAS[] = {{{"\x81\x41", "\xE3\x80\x81"}}, {{"\x81\x43", "\xEF\xBC\x8C"}}, {{",", ","}}};
    for (const Mark& m : COMMAS)
        if (At(t, i, m))
            return true;
    return false;
}

// Whether the text from i, a 第, is 第, a number and a unit, then nothing,
// a blank or a mark before a title (第一章　旅立ち, 第一章「旅立ち」), or the
// next of them (第一部第二章). Not a word that goes on (第三部隊, 第一回目,
// 第二話を) nor a clause (第二章、).
bool NumberedHeading(const Text& h, size_t i)
{
    size_t digits = 0;
    i = PastDigits(h, i + strlen(Of(h, DAI)), &digits);
    const Mark* unit = OneOf(h, i, UNITS);
    if (digits == 0 || unit == NULL)
        return false;
    i += strlen(Of(h, *unit));
    if (i == h.n)
        return true;
    if (At(h, i, DAI))
        return NumberedHeading(h, i);
    return !WordCharacter(h, i) && !Comma(h, i);
}

bool Roman(char c)
{
    return strchr("IVXLCDMivxlcdm", c) != NULL && c != '\0';
}

// The bytes of the Roman numeral at i: letters in one case that make a
// numeral as it is written (I to MMMCMXCIX); 0 when they do not (civil,
// civic, Mix).
size_t RomanNumeral(const Text& t, size_t i)
{
    size_t end = i;
    while (end < t.n && Roman(t.p[end]))
        ++end;
    if (end == i || end - i > 15)
        return 0;
    static const char LETTERS[] = "IVXLCDM";
    char upper[16];
    const bool lower = t.p[i] >= 'a';
    int value = 0, last = 0;
    for (size_t k = end; k-- > i;) {
        if ((t.p[k] >= 'a') != lower)
            return 0;
        upper[k - i] = static_cast<char>(t.p[k] & ~0x20);
        const int v = static_cast<int>(strchr(LETTERS, upper[k - i]) - LETTERS);
        const int one = v % 2 == 0 ? 1 : 5;
        int n = one;
        for (int p = v / 2; p > 0; --p)
            n *= 10;
        value += n < last ? -n : n;
        last = n > last ? n : last;
    }
    if (value <= 0 || value > 3999)
        return 0;
    // Written again from its value, the same letters.
    static const char* const PLACES[4][10] = {
        {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"},
        {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"},
        {"", "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM"},
        {"", "M", "MM", "MMM", "", "", "", "", "", ""},
    };
    char written[16] = "";
    for (int place = 3, scale = 1000; place >= 0; --place, scale /= 10)
        strcat(written, PLACES[place][value / scale % 10]);
    return strlen(written) == end - i && memcmp(written, upper, end - i) == 0 ? end - i : 0;
}

// Chapter, CHAPTER or Part, blanks, then a number or a Roman numeral that
// no letter follows.
bool NumberedInEnglish(const Text& t)
{
    for (const char* word : NUMBERED) {
        size_t k = strlen(word);
        if (t.n <= k || memcmp(t.p, word, k) != 0 || t.p[k] != ' ')
            continue;
        while (k < t.n && t.p[k] == ' ')
            ++k;
        size_t end = k;
        while (end < t.n && t.p[end] >= '0' && t.p[end] <= '9')
            ++end;
        if (end == k)
            end += RomanNumeral(t, k);
        if (end > k && (end == t.n || !((t.p[end] | 0x20) >= 'a' && (t.p[end] | 0x20) <= 'z')))
            return true;
    }
    return false;
}

}  // namespace

bool IsHeading(const char* line, size_t length, bool utf8)
{
    const Text whole = {line, length, utf8};
    if (length > HEADING_MAX_LINE_BYTES)
        return false;
    const bool notation = HoldsNotation(whole);
    if (length > HEADING_MAX_BYTES && !notation)
        return false;
    // What is shown: ruby, annotations and the ｜ of a ruby's base left
    // out (without ［ or 《 the line as it is).
    char read[HEADING_MAX_LINE_BYTES + 1];
    static_assert(HEADING_MAX_LINE_BYTES <= NOTATION_LINE_MAX_BYTES, "a heading's line is composed in linear time");
    const Text r = {read, notation ? ReadNotation(line, length, utf8, false, NULL, read, sizeof read) : 0, utf8};
    const Text h = Trimmed(notation ? r : whole);
    if (h.n == 0 || Characters(h) > HEADING_MAX_CHARS)
        return false;
    if (notation && HeadingAnnotation(whole))
        return true;
    size_t digits = 0;
    if (At(h, 0, DAI))
        return NumberedHeading(h, 0);
    if (PastDigits(h, 0, &digits) == h.n)
        return digits <= 4;
    for (const Mark& word : WORDS)
        if (h.n == strlen(Of(h, word)) && At(h, 0, word))
            return true;
    return NumberedInEnglish(h);
}

bool MayBeHeading(const unsigned char* start, size_t n, bool utf8)
{
    const HeadingCodes& codes = HeadingCodesOf(utf8);
    size_t i = 0;
    while (size_t k = BlankAt(start + i, n - i, utf8))
        i += k;
    if (i >= n || !HasCode(codes.first, CharacterCode(start + i, n - i, utf8)))
        return false;
    // A line that starts with a number is a heading only as a number alone
    // (or one with its heading annotation).
    const Text t = {reinterpret_cast<const char*>(start), n, utf8};
    size_t k = i;
    while (k < n && HasCode(codes.digits, CharacterCode(start + k, n - k, utf8)))
        k += CharAt(t, k);
    return k == i || k == n || start[k] == '\r' || start[k] == '\n' || BlankAt(start + k, n - k, utf8) != 0 ||
           At(t, k, NOTE_START);
}

const HeadingCodes& HeadingCodesOf(bool utf8)
{
    // Built once from the rule's own marks.
    static struct {
        HeadingCodes sets[2];
        bool built;
    } codes;
    HeadingCodes* sets = codes.sets;
    if (!codes.built) {
        for (int e = 0; e < 2; ++e) {
            auto code = [&](const Mark& m) {
                return CharacterCode(reinterpret_cast<const unsigned char*>(m.bytes[e]), strlen(m.bytes[e]), e == 1);
            };
            auto add = [](unsigned char* set, unsigned c) { set[c >> 3] |= static_cast<unsigned char>(1 << (c & 7)); };
            for (const char* c = "0123456789"; *c; ++c) {
                add(sets[e].digits, static_cast<unsigned char>(*c));
                add(sets[e].first, static_cast<unsigned char>(*c));
            }
            for (const char* c = "CPE"; *c; ++c)
                add(sets[e].first, static_cast<unsigned char>(*c));
            for (const Mark& m : DIGITS) {
                add(sets[e].digits, code(m));
                add(sets[e].first, code(m));
            }
            for (const Mark& m : WORDS)
                add(sets[e].first, code(m));
            add(sets[e].first, code(DAI));
            add(sets[e].first, code(NOTE_START));
            // The first look: ASCII first characters by their byte, the
            // others by the code their bytes make, the blanks too.
            for (unsigned c = 0; c < 0x80; ++c)
                sets[e].ascii[c] = HasCode(sets[e].first, c) || c == ' ' || c == '\t';
            for (unsigned c = 0x80; c < 65536; ++c)
                if (HasCode(sets[e].first, c))
                    add(sets[e].leads, c);
            add(sets[e].leads, e == 0 ? 0x8140 : 0x3000);
            for (const char* c = "0123456789 \t\r\n"; *c; ++c)
                sets[e].afterAscii[static_cast<unsigned char>(*c)] = 1;
            for (const Mark& m : DIGITS)
                add(sets[e].afterDigit, code(m));
            add(sets[e].afterDigit, e == 0 ? 0x8140 : 0x3000);
            add(sets[e].afterDigit, code(NOTE_START));
        }
        codes.built = true;
    }
    return sets[utf8 ? 1 : 0];
}

bool AddHeading(Headings* h, uint32_t at)
{
    if (h->count == h->capacity) {
        uint32_t grown = h->capacity == 0 ? 64 : h->capacity * 2;
        uint32_t* more = static_cast<uint32_t*>(realloc(h->at, grown * sizeof(uint32_t)));
        if (more == NULL)
            return false;
        h->at = more;
        h->capacity = grown;
    }
    h->at[h->count++] = at;
    return true;
}

void FreeHeadings(Headings* headings)
{
    free(headings->at);
    headings->at = NULL;
    headings->count = headings->capacity = 0;
    headings->found = false;
}
