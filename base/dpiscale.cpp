#include "base/dpiscale.h"

#include <climits>

int ScaleLength(int value, int to, int from)
{
    if (from <= 0)
        return 0;
    long long product = static_cast<long long>(value) * to;
    // Half away from zero: division truncates towards it.
    long long q = (product + (product < 0 ? -from / 2 : from / 2)) / from;
    return q > INT_MAX ? INT_MAX : q < INT_MIN ? INT_MIN : static_cast<int>(q);
}
