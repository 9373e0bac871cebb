// Composes 4 KiB lines as read (ReadNotation, ruby left out), the way a
// line step or a find through a text whose notation is read does, and
// reports the median time of one composition of each, in microseconds:
// plain prose against lines of openers that never close, in UTF-8 and in
// code page 932: "[#" is ［＃ over and over, "[#...]" the same with one ］
// at the end, "[#<" ［＃「 over and over, "*[#" ※［＃, "<<" 《 and "|<<" ｜《.
// Composing is linear when every line takes about as long as the prose.
//   notation_bench [REPEATS]   (201 by default)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "document/notation.h"

namespace {

const size_t LINE = 4096;

// `unit` repeated to at most LINE bytes (whole units), then `tail`.
std::string Line(const std::string& unit, const std::string& tail = "")
{
    std::string s;
    while (s.size() + unit.size() + tail.size() <= LINE)
        s += unit;
    return s + tail;
}

double MedianMicroseconds(const std::string& line, bool utf8, int repeats)
{
    static char out[LINE + 2];
    std::vector<double> times;
    size_t sink = 0;
    for (int r = 0; r < repeats; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        sink += ReadNotation(line.data(), line.size(), utf8, false, NULL, out, sizeof out);
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    if (sink == 0)
        fprintf(stderr, "nothing composed\n");
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? atoi(argv[1]) : 201;
    // ［ ＃ ］ 「 ※ 《 ｜ and prose, in code page 932.
    const std::string open932 = "\x81\x6D\x81\x94", close932 = "\x81\x6E", quote932 = "\x81\x75";
    const std::string prose932 = "\x90\x65\x8F\xF7\x82\xE8\x82\xCC\x96\xB3\x93\x53\x96\x43\x82\xC5";
    const struct {
        const char* name;
        std::string line;
        bool utf8;
    } lines[] = {
        {"prose", Line("親譲りの無鉄砲で小供の時から損ばかりしている。"), true},
        {"[#", Line("［＃"), true},
        {"[#...]", Line("［＃", "］"), true},
        {"[#<", Line("［＃「"), true},
        {"*[#", Line("※［＃"), true},
        {"<<", Line("《"), true},
        {"|<<", Line("｜《"), true},
        {"prose 932", Line(prose932), false},
        {"[# 932", Line(open932), false},
        {"[#...] 932", Line(open932, close932), false},
        {"[#< 932", Line(open932 + quote932), false},
    };
    printf("%-14s %8s %10s %7s\n", "line", "bytes", "median us", "ratio");
    double prose[2] = {0, 0};
    for (const auto& l : lines) {
        const double us = MedianMicroseconds(l.line, l.utf8, repeats);
        double& base = prose[l.utf8 ? 1 : 0];
        if (base == 0)
            base = us;
        printf("%-14s %8zu %10.1f %7.1f\n", l.name, l.line.size(), us, us / base);
    }
    return 0;
}
