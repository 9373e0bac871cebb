#include "document/navigate.h"

uint32_t ChooseLine(int code, uint32_t index, uint32_t count)
{
    uint32_t last = count - 1;
    switch (code) {
    case NAV_PREV: return index == 0 ? 0 : (index > last ? last : index - 1);
    case NAV_NEXT: return index < last ? index + 1 : last;
    case NAV_TOP: return 0;
    case NAV_END: return last;
    default: return index < count ? index : last;
    }
}
