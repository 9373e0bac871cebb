// ReadNotation, UsesNotation and NotesOnly, and the heading rule's three
// looks, whatever the line and the output's size:
// - no read or write outside the line and the output;
// - the output is zero terminated, its length the count returned, and
//   nothing past it changes;
// - without ruby in parentheses it never grows longer than the line but by
//   the characters annotations name (each at most four bytes for the
//   annotation of at least six it replaces).
//
// Input: two bytes choosing the output's size (bit 15: the window's buffer
// size; bit 14: UTF-8; bit 13: ruby in parentheses), then the line.
#include "document/headings.h"
#include "document/notation.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const unsigned char FILL = 0xA5;

size_t SomeCp932(uint32_t code, char* out)
{
    if (code >= 0x80)
        return 0;
    out[0] = static_cast<char>(code);
    return 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const unsigned choice = TakeU16(&data, &size);
    const size_t outSize = (choice & 0x8000) ? 8193 : (choice & 0x1FFF);
    const bool utf8 = (choice & 0x4000) != 0, parens = (choice & 0x2000) != 0;
    const std::vector<char> line = TakeText(data, size);
    const size_t length = strlen(line.data());

    UsesNotation(line.data(), length, utf8);
    std::vector<char> out(outSize + 16, static_cast<char>(FILL));
    size_t n = ReadNotation(line.data(), length, utf8, parens, SomeCp932, out.data(), outSize);
    if (outSize == 0) {
        FUZZ_CHECK(n == 0);
    } else {
        FUZZ_CHECK(n < outSize && out[n] == '\0' && strlen(out.data()) == n);
        FUZZ_CHECK(parens || n <= length);
    }
    for (size_t i = outSize; i < out.size(); ++i)
        FUZZ_CHECK(static_cast<unsigned char>(out[i]) == FILL);
    NotesOnly(line.data(), length, utf8);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(line.data());
    if (length > 0 && PerhapsHeading(bytes, length, utf8, HeadingCodesOf(utf8)))
        MayBeHeading(bytes, length, utf8);
    IsHeading(line.data(), length, utf8);
    return 0;
}
