// The automatic feed's timer period.
#ifndef SKERROW_WINDOW_FEED_H
#define SKERROW_WINDOW_FEED_H

#include <cstddef>
#include <cstdint>

// Milliseconds between two automatic steps for an interval of runWait
// seconds. The settings file may hold any number: an interval below one
// second is taken as one second (a zero or negative one would race through
// the text), and one too long for a timer is cut to the longest a timer
// takes (about 24.8 days), without overflowing on the way.
unsigned FeedIntervalMs(int runWait);

// The characters a reader sees in bytes [from, to) of a line shown, counted
// after its first `prefix` bytes (its number, which is not read): a
// character of code page 932 or a code point of UTF-8 (utf8) is one however
// many bytes it takes, and so is a tab; the line's end (CR, LF) is none.
// `to` past the line's end means its end.
uint32_t CharactersShown(const char* line, size_t prefix, uint32_t from, uint32_t to, bool utf8);

// Milliseconds the feed stays on `characters` read at `perMinute`
// characters a minute: characters × 60 ÷ perMinute seconds, never less
// than 1 s nor more than 60 s. A speed below 1 is taken as 1.
unsigned FeedLengthMs(uint32_t characters, int perMinute);

#endif
