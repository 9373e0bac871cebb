#include "window/wrap.h"

#include <algorithm>
#include <climits>

namespace {

bool Ends(uint16_t c)
{
    return c == '\r' || c == '\n';
}

}  // namespace

uint32_t WrapRows(const WrapText& in, uint32_t* starts, uint32_t* ends)
{
    const uint16_t* t = in.text;
    const size_t n = in.length;
    uint32_t rows = 0;
    size_t i = 0;
    while (i < n) {
        const size_t start = i;
        size_t segment = i;  // where the run since the last tab begins
        size_t end = n, next = n;
        int64_t x = 0;
        while (i < n) {
            if (Ends(t[i])) {
                end = i++;
                // CR LF and LF CR are one break.
                if (i < n && Ends(t[i]) && t[i] != t[i - 1])
                    ++i;
                next = i;
                break;
            }
            if (t[i] == '\t' && in.tabWidth > 0) {
                // Past the width nothing but the break is waited for: x stays
                // just beyond it, so that no run of tabs overflows it.
                x = std::min((x / in.tabWidth + 1) * in.tabWidth, in.width + int64_t{1});
                segment = ++i;
                continue;
            }
            if (x + in.advance[i] <= in.width) {
                x += in.advance[i++];
                continue;
            }
            // Unit i does not fit: back to the last place a row may begin.
            size_t k = i;
            while (k > segment && !in.softBreak[k])
                --k;
            if (k == segment) {
                // None: the whole word stays, up to the next blank.
                k = i;
                while (k < n && t[k] != ' ' && t[k] != '\t' && !Ends(t[k]))
                    ++k;
            }
            end = next = k;
            if (next < n && t[next] == ' ')
                ++next;
            // A tab with no stop that does not fit would otherwise begin every row.
            if (next == start)
                end = next = start + 1;
            break;
        }
        starts[rows] = static_cast<uint32_t>(start);
        ends[rows] = static_cast<uint32_t>(end);
        ++rows;
        i = next;
    }
    return rows;
}

int TabWidth(int charWidth, int columns)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{charWidth} * columns, 0, INT_MAX));
}

uint32_t RowsPerPiece(int textTop, int bottom, int rowHeight)
{
    if (rowHeight <= 0 || bottom - textTop < rowHeight)
        return 1;
    return static_cast<uint32_t>((bottom - textTop) / rowHeight);
}

uint32_t PieceOf(const uint32_t* starts, uint32_t rows, uint32_t perPiece, uint32_t at)
{
    // The last row starting at or before `at`.
    uint32_t low = 0, high = rows;
    while (high - low > 1) {
        uint32_t mid = low + (high - low) / 2;
        if (starts[mid] <= at)
            low = mid;
        else
            high = mid;
    }
    return low / perPiece;
}

uint32_t PieceCount(uint32_t rows, uint32_t perPiece)
{
    return rows <= perPiece ? 1 : (rows + perPiece - 1) / perPiece;
}
