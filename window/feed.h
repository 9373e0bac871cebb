// The automatic feed's timer period.
#ifndef SKERROW_WINDOW_FEED_H
#define SKERROW_WINDOW_FEED_H

// Milliseconds between two automatic steps for an interval of runWait
// seconds. The settings file may hold any number: an interval below one
// second is taken as one second (a zero or negative one would race through
// the text), and one too long for a timer is cut to the longest a timer
// takes (about 24.8 days), without overflowing on the way.
unsigned FeedIntervalMs(int runWait);

#endif
