#include "tests/fuzz/pass_harness.h"

// Once its row is done, a pattern can be formed again only by a later row
// ("<B<b>R>" leaves "<BR>", "&amp;quot;" leaves "&quot;"); nothing after
// these rows can form them.
static const char* const kGone[] = {"</b>", "&amp;", "&nbsp;"};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    return FuzzPass(ReplaceMarkupPass, false, kGone, sizeof kGone / sizeof kGone[0], data, size);
}
