#include "document/notation.h"

#include <cstring>

#include "document/encoding.h"
#include "document/marks.h"

namespace {

struct JisPair {
    uint32_t index, first, second;
};

#include "document/jisx0213.inc"

const Mark RUBY_OPEN = {{"\x81\x73", "\xE3\x80\x8A"}};   // 《
const Mark RUBY_CLOSE = {{"\x81\x74", "\xE3\x80\x8B"}};  // 》
const Mark BASE = {{"\x81\x62", "\xEF\xBD\x9C"}};        // ｜
const Mark NOTE_OPEN = {{"\x81\x6D", "\xEF\xBC\xBB"}};   // ［
const Mark NOTE_CLOSE = {{"\x81\x6E", "\xEF\xBC\xBD"}};  // ］
const Mark SHARP = {{"\x81\x94", "\xEF\xBC\x83"}};       // ＃
const Mark KOME = {{"\x81\xA6", "\xE2\x80\xBB"}};        // ※
const Mark GETA = {{"\x81\xAC", "\xE3\x80\x93"}};        // 〓
const Mark PAREN_OPEN = {{"\x81\x69", "\xEF\xBC\x88"}};  // （
const Mark PAREN_CLOSE = {{"\x81\x6A", "\xEF\xBC\x89"}}; // ）
const Mark QUOTE_OPEN = {{"\x81\x75", "\xE3\x80\x8C"}};  // 「
const Mark QUOTE_CLOSE = {{"\x81\x76", "\xE3\x80\x8D"}}; // 」
const Mark WIDE_SPACE = {{"\x81\x40", "\xE3\x80\x80"}};  // the ideographic space
const Mark LEGEND = {{"\x81\x79\x83\x65\x83\x4C\x83\x58\x83\x67\x92\x86\x82\xC9\x8C\xBB\x82\xEA\x82\xE9\x8B\x4C"
                      "\x8D\x86\x82\xC9\x82\xC2\x82\xA2\x82\xC4\x81\x7A",
                      "\xE3\x80\x90\xE3\x83\x86\xE3\x82\xAD\xE3\x82\xB9\xE3\x83\x88\xE4\xB8\xAD\xE3\x81\xAB\xE7\x8F"
                      "\xBE\xE3\x82\x8C\xE3\x82\x8B\xE8\xA8\x98\xE5\x8F\xB7\xE3\x81\xAB\xE3\x81\xA4\xE3\x81\x84\xE3\x81"
                      "\xA6\xE3\x80\x91"}};

// Ruby longer than this is taken for text that happens to hold 《.
const size_t RUBY_MAX_BYTES = 200;

// Where the mark next stands from i on, character by character; t.n when
// nowhere. With `stop` given, no further than that mark.
size_t Find(const Text& t, size_t i, const Mark& m, const Mark* stop = NULL)
{
    for (; i < t.n; i += CharAt(t, i)) {
        if (At(t, i, m))
            return i;
        if (stop != NULL && At(t, i, *stop))
            return t.n;
    }
    return t.n;
}

// The end of the annotation ［＃… opening at i, after its ］, nested
// brackets counted but not those it quotes in 「…」; 0 when it is not
// closed on the line.
size_t AnnotationEnd(const Text& t, size_t i)
{
    int depth = 0;
    bool quoted = false;
    for (; i < t.n; i += CharAt(t, i)) {
        if (quoted)
            quoted = !At(t, i, QUOTE_CLOSE);
        else if (At(t, i, QUOTE_OPEN))
            quoted = true;
        else if (At(t, i, NOTE_OPEN))
            ++depth;
        else if (At(t, i, NOTE_CLOSE) && --depth == 0)
            return i + strlen(Of(t, NOTE_CLOSE));
    }
    return 0;
}

// Where the annotations of a line end (AnnotationEnd), for every ［ from
// some point of the line on, found at once: a line of openers that are
// never closed would otherwise be read to its end once for each of them.
// Built at the first annotation that is not closed, from there on; the
// annotations are asked for in the order of the line.
//
// Only the brackets and the quotes count, at the places a character at a
// time reaches from the line's start (where AnnotationEnd and every read of
// the line stop). From any of them, at depth 1 and not quoted, the
// annotation ends at
// - a ］: there;
// - a ［: where an annotation from that ［ ends, then on from past it (none
//   when that one does not end: the depth never falls back);
// - a 「: on from past the first 」 after it (none when there is none);
// - a 」: on from the next.
// So each one's end is known from those after it, all of them in one pass
// from the last.
//
// Room for the marks of a line of NOTATION_LINE_MAX_BYTES (each takes two
// bytes at least), kept once for the process rather than allocated for
// each line: lines are composed one at a time, and no allocation can fail.
const size_t NOTE_MARKS_MAX = NOTATION_LINE_MAX_BYTES / 2;

struct NoteEnds {
    size_t count;  // the marks from where it was built on; 0 before
    size_t next;   // the first of them not before the last ［ asked for
    // at[k]: where the k-th mark stands; end[k]: which mark (its k) is the
    // ］ an annotation at depth 1, not quoted, ends at from the k-th on,
    // count when it does not end.
    size_t at[NOTE_MARKS_MAX], end[NOTE_MARKS_MAX];
};

enum NoteMark { NOT_A_MARK, OPENS, CLOSES, QUOTES, UNQUOTES };

NoteMark NoteMarkAt(const Text& t, size_t i)
{
    return At(t, i, NOTE_OPEN) ? OPENS : At(t, i, NOTE_CLOSE) ? CLOSES : At(t, i, QUOTE_OPEN) ? QUOTES
           : At(t, i, QUOTE_CLOSE) ? UNQUOTES : NOT_A_MARK;
}

// e->end[k], and count (none) for k past the marks: nothing ends there.
size_t NoteEndFrom(const NoteEnds* e, size_t k)
{
    return k < e->count ? e->end[k] : e->count;
}

// Builds e from the ［ at `from` on; false when the line holds more marks
// than there is room for (each annotation is then read to its end).
bool BuildNoteEnds(NoteEnds* e, const Text& t, size_t from)
{
    size_t n = 0;
    for (size_t i = from; i < t.n; i += CharAt(t, i)) {
        if (NoteMarkAt(t, i) == NOT_A_MARK)
            continue;
        if (n == NOTE_MARKS_MAX)
            return false;
        e->at[n++] = i;
    }
    e->count = n;
    size_t unquote = n;
    for (size_t k = n; k-- > 0;) {
        switch (NoteMarkAt(t, e->at[k])) {
        case CLOSES:
            e->end[k] = k;
            break;
        case OPENS:
            e->end[k] = NoteEndFrom(e, NoteEndFrom(e, k + 1) + 1);
            break;
        case QUOTES:
            e->end[k] = NoteEndFrom(e, unquote + 1);
            break;
        default:  // UNQUOTES
            e->end[k] = NoteEndFrom(e, k + 1);
            unquote = k;
            break;
        }
    }
    return true;
}

// AnnotationEnd(t, i), where i is a ［ at or after the last one asked for
// since e was emptied.
size_t NoteEndAt(NoteEnds* e, const Text& t, size_t i)
{
    if (e->count == 0) {
        const size_t end = AnnotationEnd(t, i);
        if (end != 0 || !BuildNoteEnds(e, t, i))
            return end;
    }
    while (e->next < e->count && e->at[e->next] < i)
        ++e->next;
    // A ［ the pass did not stop at is read as ever, never looked up wrong.
    if (e->next == e->count || e->at[e->next] != i)
        return AnnotationEnd(t, i);
    const size_t close = NoteEndFrom(e, e->next + 1);
    return close == e->count ? 0 : e->at[close] + strlen(Of(t, NOTE_CLOSE));
}

bool Digit(char c)
{
    return c >= '0' && c <= '9';
}

int HexDigit(char c)
{
    return Digit(c) ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Reads the number at p (at most `most` digits in the base); advances p.
long Number(const Text& t, size_t* p, size_t end, int base, size_t most)
{
    long value = 0;
    size_t digits = 0;
    for (; *p < end && digits < most; ++*p, ++digits) {
        int d = base == 16 ? HexDigit(t.p[*p]) : Digit(t.p[*p]) ? t.p[*p] - '0' : -1;
        if (d < 0)
            break;
        value = value * base + d;
    }
    return digits > 0 ? value : -1;
}

// The character an annotation's text [from, to) names: by U+XXXX, or by a
// JIS X 0213 place plane-row-cell. Up to two code points; 0 when none.
size_t NamedCharacter(const Text& t, size_t from, size_t to, uint32_t* codes)
{
    for (size_t i = from; i < to; i += CharAt(t, i)) {
        if (t.p[i] == 'U' && i + 1 < to && t.p[i + 1] == '+') {
            size_t p = i + 2;
            long code = Number(t, &p, to, 16, 6);
            if (code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                codes[0] = static_cast<uint32_t>(code);
                return 1;
            }
        }
        // A plane that follows no digit: "第3水準1-85-25" reads 1-85-25.
        if ((t.p[i] == '1' || t.p[i] == '2') && (i == from || !Digit(t.p[i - 1])) && i + 1 < to && t.p[i + 1] == '-') {
            size_t p = i + 2;
            long row = Number(t, &p, to, 10, 2);
            long cell = p < to && t.p[p] == '-' ? (++p, Number(t, &p, to, 10, 2)) : -1;
            if (row >= 1 && row <= 94 && cell >= 1 && cell <= 94 && (p >= to || !Digit(t.p[p]))) {
                uint32_t index = static_cast<uint32_t>((t.p[i] - '1') * 8836 + (row - 1) * 94 + (cell - 1));
                if (JISX0213_CHARS[index] != 0) {
                    codes[0] = JISX0213_CHARS[index];
                    return 1;
                }
                for (const JisPair& pair : JISX0213_PAIRS)
                    if (pair.index == index) {
                        codes[0] = pair.first;
                        codes[1] = pair.second;
                        return 2;
                    }
                return 0;
            }
        }
    }
    return 0;
}

// What is written, and where it stops: out always keeps room for its zero.
struct Output {
    char* p;
    size_t size, n;
};

void Put(Output* o, const char* bytes, size_t k)
{
    if (o->n + k < o->size) {
        memcpy(o->p + o->n, bytes, k);
        o->n += k;
    }
}

void PutMark(Output* o, const Text& t, const Mark& m)
{
    Put(o, Of(t, m), strlen(Of(t, m)));
}

// The character a character annotation names, in the text's encoding.
void PutNamed(Output* o, const Text& t, size_t from, size_t to, CodePage932Of cp932Of)
{
    uint32_t codes[2];
    size_t count = NamedCharacter(t, from, to, codes);
    char bytes[8];
    size_t k = 0;
    for (size_t c = 0; c < count; ++c) {
        size_t one = t.utf8 ? PutUtf8(codes[c], bytes + k) : cp932Of != NULL ? cp932Of(codes[c], bytes + k) : 0;
        if (one == 0) {
            count = 0;
            break;
        }
        k += one;
    }
    if (count == 0)
        PutMark(o, t, GETA);
    else
        Put(o, bytes, k);
}

// Whether the character at i (k bytes) can be ruby's: kana (hiragana,
// katakana, their iteration and sound marks, small and half-width ones),
// the prolonged-sound mark ー and the middle dot ・. Hanzi are not: a
// Chinese text's 《…》 are book titles.
bool RubyCharacter(const Text& t, size_t i, size_t k)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(t.p + i);
    if (!t.utf8) {
        if (k == 1)
            return p[0] >= 0xA5 && p[0] <= 0xDF;  // ･ to ﾟ
        const unsigned c = k == 2 ? static_cast<unsigned>(p[0] << 8 | p[1]) : 0;
        return (c >= 0x829F && c <= 0x82F1) || (c >= 0x8340 && c <= 0x8396) || c == 0x815B || c == 0x8145 ||
               c == 0x814A || c == 0x814B || (c >= 0x8152 && c <= 0x8155);
    }
    if (k != 3)
        return false;
    const unsigned c = (p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
    return (c >= 0x3041 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0xFF65 && c <= 0xFF9F);
}

// Whether [from, to) reads as ruby: one character at least, each of them
// one ruby can hold.
bool ReadsAsRuby(const Text& t, size_t from, size_t to)
{
    for (size_t i = from; i < to; i += CharAt(t, i))
        if (!RubyCharacter(t, i, CharAt(t, i)))
            return false;
    return to > from;
}

}  // namespace

bool UsesNotation(const char* bytes, size_t n, bool utf8)
{
    const Text t = {bytes, n, utf8};
    for (size_t i = 0; i < n; i += CharAt(t, i))
        if (At(t, i, LEGEND))
            return true;
    int marks = 0;
    bool afterText = false;
    for (size_t i = 0; i < n && marks < 3; i += CharAt(t, i)) {
        if (At(t, i, RUBY_OPEN) && afterText) {
            const size_t from = i + CharAt(t, i), close = Find(t, from, RUBY_CLOSE, &RUBY_OPEN);
            marks += close < t.n && close - i <= RUBY_MAX_BYTES && ReadsAsRuby(t, from, close);
        }
        unsigned char b = static_cast<unsigned char>(t.p[i]);
        afterText = b > ' ' && !At(t, i, WIDE_SPACE);
    }
    return marks >= 3;
}

size_t ReadNotation(const char* line, size_t length, bool utf8, bool rubyInParens, CodePage932Of cp932Of,
                    char* out, size_t size)
{
    const Text t = {line, length, utf8};
    Output o = {out, size, 0};
    // One line at a time: the room is the process's, emptied for each.
    static NoteEnds notes;
    notes.count = notes.next = 0;
    for (size_t i = 0; i < t.n;) {
        const size_t k = CharAt(t, i);
        if (At(t, i, RUBY_OPEN)) {
            size_t close = Find(t, i + k, RUBY_CLOSE, &RUBY_OPEN);
            if (close < t.n && close - i <= RUBY_MAX_BYTES) {
                if (rubyInParens) {
                    PutMark(&o, t, PAREN_OPEN);
                    Put(&o, t.p + i + k, close - i - k);
                    PutMark(&o, t, PAREN_CLOSE);
                }
                i = close + strlen(Of(t, RUBY_CLOSE));
                continue;
            }
        } else if (At(t, i, BASE)) {
            // Only the ｜ that opens a ruby's base goes.
            size_t open = Find(t, i + k, RUBY_OPEN, &BASE);
            if (open < t.n && Find(t, open, RUBY_CLOSE, &BASE) < t.n) {
                i += k;
                continue;
            }
        } else if (At(t, i, NOTE_OPEN) && At(t, i + k, SHARP)) {
            if (size_t end = NoteEndAt(&notes, t, i)) {
                i = end;
                continue;
            }
        } else if (At(t, i, KOME) && At(t, i + k, NOTE_OPEN) && At(t, i + k + strlen(Of(t, NOTE_OPEN)), SHARP)) {
            if (size_t end = NoteEndAt(&notes, t, i + k)) {
                PutNamed(&o, t, i + k, end, cp932Of);
                i = end;
                continue;
            }
        }
        Put(&o, t.p + i, k);
        i += k;
    }
    if (size > 0)
        out[o.n] = '\0';
    return o.n;
}

bool NotesOnly(const char* line, size_t length, bool utf8)
{
    const Text t = {line, length, utf8};
    for (size_t i = 0; i < length;) {
        const char c = line[i];
        const size_t k = CharAt(t, i);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || At(t, i, WIDE_SPACE)) {
            i += k;
        } else if (size_t end = At(t, i, NOTE_OPEN) && At(t, i + k, SHARP) ? AnnotationEnd(t, i) : 0) {
            i = end;
        } else {
            return false;
        }
    }
    return true;
}
