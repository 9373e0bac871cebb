#include "window/feed.h"

namespace {
const long long LONGEST_TIMER_MS = 0x7FFFFFFF;
}

unsigned FeedIntervalMs(int runWait)
{
    long long ms = (runWait < 1 ? 1LL : static_cast<long long>(runWait)) * 1000;
    return static_cast<unsigned>(ms > LONGEST_TIMER_MS ? LONGEST_TIMER_MS : ms);
}
