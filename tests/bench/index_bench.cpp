// Indexes a file the way the program does (a fixed buffer streamed through
// the line scan) and reports the time, the line count and the index size.
// With QUERY (bytes as the text holds them), also scans the file for it the
// way a find does and reports that time and the candidates seen.
//   index_bench FILE [REPEATS [QUERY]]
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <cstring>

#include "document/lineindex.h"
#include "document/match.h"

namespace {

// Through the file in the program's reads, which overlap by the query's
// length less one, so that a match across two reads is seen.
double ScanFor(const char* path, const char* query, size_t* candidates)
{
    static char buffer[1 << 20];
    TextFinder finder;
    if (!PrepareFinder(&finder, query, strlen(query), true, true))
        return -1;
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return -1;
    auto t0 = std::chrono::steady_clock::now();
    size_t kept = 0;
    ssize_t got;
    while ((got = read(fd, buffer + kept, sizeof buffer - kept)) > 0) {
        size_t n = kept + static_cast<size_t>(got);
        for (size_t at = 0; (at = FindCandidate(finder, buffer, n, at)) < n; ++at)
            ++*candidates;
        kept = n >= finder.length ? finder.length - 1 : n;
        memmove(buffer, buffer + n - kept, kept);
    }
    close(fd);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: index_bench FILE [REPEATS]\n");
        return 2;
    }
    int repeats = argc > 2 ? atoi(argv[2]) : 1;
    static char buffer[1 << 20];
    double best = 1e9;
    uint32_t count = 0;
    size_t indexBytes = 0;
    for (int r = 0; r < repeats; ++r) {
        int fd = open(argv[1], O_RDONLY);
        if (fd < 0) {
            perror(argv[1]);
            return 1;
        }
        auto t0 = std::chrono::steady_clock::now();
        LineIndex index = {};
        LineScan scan;
        BeginLineScan(&scan, &index, 0);
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0)
            if (!ScanLines(&scan, buffer, static_cast<size_t>(got)))
                return 1;
        EndLineScan(&scan);
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        close(fd);
        if (s < best)
            best = s;
        count = index.count;
        indexBytes = static_cast<size_t>(index.blockCount) * LINE_BLOCK_ENTRIES * sizeof(uint32_t) +
                     index.blockCapacity * sizeof(uint32_t*);
        FreeLineIndex(&index);
    }
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("seconds %.3f lines %u index_bytes %zu peak_rss_kb %ld", best, count, indexBytes, usage.ru_maxrss);
    if (argc > 3) {
        double fastest = 1e9;
        size_t candidates = 0;
        for (int r = 0; r < repeats; ++r) {
            candidates = 0;
            double s = ScanFor(argv[1], argv[3], &candidates);
            fastest = s < fastest ? s : fastest;
        }
        printf(" find_seconds %.3f candidates %zu", fastest, candidates);
    }
    printf("\n");
    return 0;
}
