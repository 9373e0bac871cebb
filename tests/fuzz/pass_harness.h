// The checks that every clean-up pass must pass, whatever the input:
// - no read or write outside the source and the destination;
// - the source is not changed;
// - the result is zero-terminated within the destination and is never
//   longer than the text that the pass covers;
// - a result cut to a small destination is the start of the uncut result,
//   at most one byte shorter than the room (a split character is left out);
// - the patterns the pass removes for good are gone from the uncut result.
//
// Input: two bytes choosing the destination's size, two choosing the
// length argument, then the source.
#ifndef SKERROW_TESTS_FUZZ_PASS_HARNESS_H
#define SKERROW_TESTS_FUZZ_PASS_HARNESS_H

#include "tests/fuzz/fuzz_check.h"
#include "tests/markup_passes.h"

inline int FuzzPass(Pass pass, bool coversLength, const char* const* gone, size_t goneCount,
                    const uint8_t* data, size_t size)
{
    // Mostly the size that a caller always passes; otherwise 0 to 8191.
    const unsigned sizeChoice = TakeU16(&data, &size);
    const size_t destSize = (sizeChoice & 0x8000) ? (sizeChoice & 0x1FFF) : MARKUP_TEXT_MAX + 1;
    const unsigned lengthChoice = TakeU16(&data, &size);
    const std::vector<char> source = TakeText(data, size);
    const size_t sourceLength = strlen(source.data());
    // Mostly the source's length; otherwise -8192 to 24575.
    const int length = (lengthChoice & 0x8000) ? static_cast<int>(lengthChoice & 0x7FFF) - 0x2000
                                               : static_cast<int>(sourceLength);
    const std::vector<char> original = source;

    std::vector<char> full(MARKUP_TEXT_MAX + 1);
    pass(source.data(), length, full.data(), full.size());
    FUZZ_CHECK(source == original);
    const size_t fullLength = strnlen(full.data(), full.size());
    FUZZ_CHECK(fullLength < full.size());
    size_t covered = sourceLength < MARKUP_TEXT_MAX ? sourceLength : MARKUP_TEXT_MAX;
    if (coversLength && length < static_cast<int>(covered))
        covered = length > 0 ? static_cast<size_t>(length) : 0;
    FUZZ_CHECK(fullLength <= covered);
    for (size_t k = 0; k < goneCount; ++k)
        FUZZ_CHECK(strstr(full.data(), gone[k]) == nullptr);

    std::vector<char> cut(destSize);
    cut.shrink_to_fit();
    pass(source.data(), length, cut.data(), destSize);
    if (destSize > 0) {
        const size_t cutLength = strnlen(cut.data(), destSize);
        FUZZ_CHECK(cutLength < destSize);
        FUZZ_CHECK(memcmp(cut.data(), full.data(), cutLength) == 0);
        if (fullLength < destSize)
            FUZZ_CHECK(cutLength == fullLength);
        else
            FUZZ_CHECK(cutLength + 2 >= destSize);
    }
    return 0;
}

#endif
