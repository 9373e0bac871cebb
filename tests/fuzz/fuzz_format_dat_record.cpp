// FormatDatRecord, whatever the line, index and output size:
// - no read or write outside the line and the output;
// - a line with fewer than four separators (counted here independently,
//   over the bytes that are looked at) leaves the output untouched;
// - otherwise the output holds a zero-terminated record that starts with
//   the line's number and a space, no longer than its fields allow (the
//   fixed text, the number, the name, mail and date up to their capacities
//   and the body), and nothing past its terminating zero is changed.
//
// Input: two bytes each of the index's low and high half, two choosing the
// output's size (its top bit less one: the line is UTF-8), then the line.
#include <string>

#include "datview/datrecord.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

const size_t DISP_SIZE = 8193;
const size_t FIXED_BYTES[] = {20, 27};  // the record's text besides number and fields
const unsigned char FILL = 0xA5;

size_t Min(size_t a, size_t b)
{
    return a < b ? a : b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const unsigned low = TakeU16(&data, &size);
    const uint32_t index = low | (TakeU16(&data, &size) << 16);
    // Mostly the window's buffer; otherwise 0 to 8191 bytes.
    const unsigned sizeChoice = TakeU16(&data, &size);
    const size_t outSize = (sizeChoice & 0x8000) ? (sizeChoice & 0x1FFF) : DISP_SIZE;
    const bool utf8 = (sizeChoice & 0x4000) != 0;
    const std::vector<char> line = TakeText(data, size);

    // The fields, split the way a reader of the format would.
    const std::string looked(line.data(), strnlen(line.data(), DAT_LINE_MAX));
    size_t fieldLength[4] = {0, 0, 0, 0};
    int separators = 0;
    for (size_t from = 0; separators < 4; ++separators) {
        const size_t at = looked.find("<>", from);
        if (at == std::string::npos)
            break;
        fieldLength[separators] = at - from;
        from = at + 2;
    }

    std::vector<char> out(outSize, static_cast<char>(FILL));
    out.shrink_to_fit();
    if (outSize > 0)
        out[outSize - 1] = '\0';
    const std::vector<char> before = out;
    FormatDatRecord(line.data(), index, utf8, out.data(), outSize);

    if (separators < 4 || outSize == 0) {
        FUZZ_CHECK(out == before);
        return 0;
    }
    const size_t length = strnlen(out.data(), outSize);
    FUZZ_CHECK(length < outSize);
    for (size_t k = length + 1; k < outSize; ++k)
        FUZZ_CHECK(out[k] == before[k]);

    const std::string number = std::to_string(static_cast<unsigned long long>(index) + 1) + " ";
    FUZZ_CHECK(memcmp(out.data(), number.data(), Min(length, number.size())) == 0);
    if (outSize > number.size())
        FUZZ_CHECK(length >= number.size());
    const size_t most = number.size() - 1 + FIXED_BYTES[utf8] + Min(fieldLength[0], DAT_NAME_SIZE - 1) +
                        Min(fieldLength[1], DAT_MAIL_SIZE - 1) + Min(fieldLength[2], DAT_DATE_SIZE - 1) +
                        fieldLength[3];
    FUZZ_CHECK(length <= most);
    FUZZ_CHECK(most < DAT_RECORD_SIZE);
    return 0;
}
