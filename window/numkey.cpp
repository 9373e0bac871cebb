#include "window/numkey.h"

#include <cstring>

bool NumKeyAdd(char* buf, int* count, unsigned keyCode)
{
    if (*count >= NUMKEY_MAX_DIGITS)
        return false;
    buf[*count] = static_cast<char>('0' + (keyCode & 0x0F));
    buf[*count + 1] = '\0';
    ++*count;
    return true;
}

int NumKeyTake(char* buf, int* count)
{
    int n = 0;
    for (int i = 0; i < *count && buf[i] >= '0' && buf[i] <= '9'; ++i)
        n = n * 10 + (buf[i] - '0');
    memset(buf, 0, NUMKEY_MAX_DIGITS + 1);
    *count = 0;
    return n;
}
