// What the fuzz targets share: a check that stops the run, and the reading
// of their inputs.
#ifndef SKERROW_TESTS_FUZZ_CHECK_H
#define SKERROW_TESTS_FUZZ_CHECK_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// A failed check is a crash to libFuzzer, which then keeps the input.
#define FUZZ_CHECK(condition)                                                        \
    do {                                                                             \
        if (!(condition)) {                                                          \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            abort();                                                                 \
        }                                                                            \
    } while (0)

// Takes a little-endian 16-bit number off the front of the input (0 when
// the input has run out).
inline unsigned TakeU16(const uint8_t** data, size_t* size)
{
    unsigned value = 0;
    for (int k = 0; k < 2 && *size > 0; ++k, ++*data, --*size)
        value |= static_cast<unsigned>(**data) << (8 * k);
    return value;
}

// The rest of the input as a zero-terminated text in a buffer of exactly
// its size, so that the sanitizer notices a read past it. A zero byte in
// the input ends the text early, as it does in the program.
inline std::vector<char> TakeText(const uint8_t* data, size_t size)
{
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    text.shrink_to_fit();
    return text;
}

#endif
