#include "tests/fuzz/pass_harness.h"

static const char* const kGone[] = {"&lt;", "&gt;"};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzPass(ReplaceAngleEntitiesPass, false, kGone, sizeof kGone / sizeof kGone[0], data, size);
}
