#include "app/base/dpiscale.h"

#include <climits>

int ScaleLength(int value, int to, int from)
{
    if (from == 0)
        return 0;
    if (to == from)
        return value;
    long long product = static_cast<long long>(value) * to;
    long long q = product / from, r = product % from;
    // Half away from zero.
    if (2 * (r < 0 ? -r : r) >= (from < 0 ? -from : from))
        q += (product < 0) != (from < 0) ? -1 : 1;
    return q > INT_MAX ? INT_MAX : q < INT_MIN ? INT_MIN : static_cast<int>(q);
}
