#include "window/alpha.h"

unsigned char AlphaFromLayNum(int layNum)
{
    long long a = 255 - static_cast<long long>(layNum) * 255 / 20;
    return static_cast<unsigned char>(a & 0xFF);
}

unsigned char BackgroundAlpha(int layNum)
{
    const unsigned char a = AlphaFromLayNum(layNum);
    return a != 0 ? a : 1;
}

uint32_t Premultiplied(uint32_t rgb, unsigned char alpha)
{
    uint32_t pixel = static_cast<uint32_t>(alpha) << 24;
    for (int shift = 0; shift < 24; shift += 8)
        pixel |= (((rgb >> shift) & 0xFF) * alpha + 127) / 255 << shift;
    return pixel;
}

void KeepInkOpaque(uint32_t* picture, const uint32_t* coverage, size_t count, uint32_t back, unsigned char alpha)
{
    // Where ink covers c of 255, the background shows through by
    // k = (255 - c)(255 - alpha) of 255²: the pixel's alpha is 255 less
    // that share, and its colour, drawn opaque as ink over background,
    // loses that share of the background. Worked out once per coverage.
    struct Share {
        uint32_t alpha, back[3];
    } shares[256];
    for (uint32_t c = 0; c < 256; ++c) {
        const uint32_t k = (255 - c) * (255 - alpha);
        shares[c].alpha = 255 - (k + 127) / 255;
        for (int i = 0; i < 3; ++i)
            shares[c].back[i] = (k * ((back >> (8 * i)) & 0xFF) + 65025 / 2) / 65025;
    }
    // Most pixels are bare background or wholly ink: the same answers, sooner.
    const uint32_t backShown = Premultiplied(back, alpha);
    for (size_t n = 0; n < count; ++n) {
        const uint32_t m = coverage[n] & 0xFFFFFF, drawn = picture[n] & 0xFFFFFF;
        if (m == 0 && drawn == back) {
            picture[n] = backShown;
            continue;
        }
        if (m == 0xFFFFFF) {
            picture[n] = drawn | 0xFF000000;
            continue;
        }
        uint32_t c = m & 0xFF;
        if (((m >> 8) & 0xFF) > c)
            c = (m >> 8) & 0xFF;
        if (((m >> 16) & 0xFF) > c)
            c = (m >> 16) & 0xFF;
        const Share& s = shares[c];
        uint32_t pixel = s.alpha << 24;
        for (int i = 0; i < 3; ++i) {
            uint32_t v = (drawn >> (8 * i)) & 0xFF;
            v = v > s.back[i] ? v - s.back[i] : 0;
            // A channel of a premultiplied pixel never exceeds its alpha.
            pixel |= (v < s.alpha ? v : s.alpha) << (8 * i);
        }
        picture[n] = pixel;
    }
}
