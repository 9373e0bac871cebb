#include "window/feed.h"

#include <cstring>

#include "document/encoding.h"

namespace {
const long long LONGEST_TIMER_MS = 0x7FFFFFFF;
const unsigned long long SHORTEST_STAY_MS = 1000, LONGEST_STAY_MS = 60000;
}

unsigned FeedIntervalMs(int runWait)
{
    long long ms = (runWait < 1 ? 1LL : static_cast<long long>(runWait)) * 1000;
    return static_cast<unsigned>(ms > LONGEST_TIMER_MS ? LONGEST_TIMER_MS : ms);
}

uint32_t CharactersShown(const char* line, size_t prefix, uint32_t from, uint32_t to, bool utf8)
{
    const size_t length = strlen(line);
    if (prefix >= length)
        return 0;
    const size_t end = to < length - prefix ? prefix + to : length;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(line);
    uint32_t count = 0;
    for (size_t b = from < end - prefix ? prefix + from : end; b < end;) {
        if (p[b] != '\r' && p[b] != '\n')
            ++count;
        b += CharacterBytes(p + b, end - b, utf8);
    }
    return count;
}

unsigned FeedLengthMs(uint32_t characters, int perMinute)
{
    const unsigned long long ms = characters * 60000ULL / static_cast<unsigned long long>(perMinute < 1 ? 1 : perMinute);
    return static_cast<unsigned>(ms < SHORTEST_STAY_MS ? SHORTEST_STAY_MS : ms > LONGEST_STAY_MS ? LONGEST_STAY_MS : ms);
}
