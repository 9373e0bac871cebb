#include "window/alpha.h"

unsigned char AlphaFromLayNum(int layNum)
{
    long long a = 255 - static_cast<long long>(layNum) * 255 / 20;
    return static_cast<unsigned char>(a & 0xFF);
}
