// The three clean-up passes behind one signature, so that tables and fuzz
// targets drive them alike: the table passes read their source to its
// terminating zero and take no length.
#ifndef SKERROW_TESTS_MARKUP_PASSES_H
#define SKERROW_TESTS_MARKUP_PASSES_H

#include "datview/markup.h"

typedef void (*Pass)(const char*, int, char*, size_t);

inline void ReplaceMarkupPass(const char* source, int, char* destination, size_t destSize)
{
    ReplaceMarkup(source, destination, destSize);
}

inline void ReplaceAngleEntitiesPass(const char* source, int, char* destination, size_t destSize)
{
    ReplaceAngleEntities(source, destination, destSize);
}

#endif
