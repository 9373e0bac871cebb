#include "document/headings.h"

#include "document/marks.h"
#include "document/notation.h"

namespace {

const Mark WIDE_SPACE = {{"\x81\x40", "\xE3\x80\x80"}};
const Mark DAI = {{"\x91\xE6", "\xE7\xAC\xAC"}};  // 第
const Mark MIDASHI = {{"\x8C\xA9\x8F\x6F\x82\xB5", "\xE8\xA6\x8B\xE5\x87\xBA\xE3\x81\x97"}};  // 見出し
const Mark NOTE_START = {{"\x81\x6D\x81\x94", "\xEF\xBC\xBB\xEF\xBC\x83"}};                     // ［＃
const Mark NOTE_CLOSE = {{"\x81\x6E", "\xEF\xBC\xBD"}};                                         // ］

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

bool HeadingAnnotation(const Text& t)
{
    for (size_t i = 0; i < t.n; i += CharAt(t, i)) {
        if (!At(t, i, NOTE_START))
            continue;
        for (size_t k = i; k < t.n && !At(t, k, NOTE_CLOSE); k += CharAt(t, k))
            if (At(t, k, MIDASHI))
                return true;
    }
    return false;
}

bool Roman(char c)
{
    return strchr("IVXLCDMivxlcdm", c) != NULL && c != '\0';
}

bool NumberedInEnglish(const Text& t)
{
    for (const char* word : NUMBERED) {
        size_t k = strlen(word);
        if (t.n <= k || memcmp(t.p, word, k) != 0 || t.p[k] != ' ')
            continue;
        while (k < t.n && t.p[k] == ' ')
            ++k;
        size_t end = k;
        while (end < t.n && ((t.p[end] >= '0' && t.p[end] <= '9') || Roman(t.p[end])))
            ++end;
        if (end > k && (end == t.n || !((t.p[end] | 0x20) >= 'a' && (t.p[end] | 0x20) <= 'z')))
            return true;
    }
    return false;
}

}  // namespace

bool IsHeading(const char* line, size_t length, bool utf8)
{
    const Text whole = {line, length < HEADING_MAX_BYTES ? length : HEADING_MAX_BYTES, utf8};
    const Text t = Trimmed(whole);
    if (length > HEADING_MAX_BYTES || t.n == 0 || Characters(t) > HEADING_MAX_CHARS)
        return false;
    if (HeadingAnnotation(t))
        return true;
    char read[HEADING_MAX_BYTES + 1];
    const Text r = {read, ReadNotation(t.p, t.n, utf8, false, NULL, read, sizeof read), utf8};
    const Text h = Trimmed(r);
    if (h.n == 0)
        return false;
    size_t digits = 0;
    if (At(h, 0, DAI)) {
        size_t i = PastDigits(h, strlen(Of(h, DAI)), &digits);
        return digits > 0 && OneOf(h, i, UNITS) != NULL;
    }
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
    static HeadingCodes sets[2];
    static bool built = false;
    if (!built) {
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
        built = true;
    }
    return sets[utf8 ? 1 : 0];
}
