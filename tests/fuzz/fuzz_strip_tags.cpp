#include "tests/fuzz/pass_harness.h"

// A later scan can join the remains of a construct into a new one, so no
// pattern is sure to be gone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzPass(StripTags, true, nullptr, 0, data, size);
}
