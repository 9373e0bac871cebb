// Indexes a file the way the program does (a fixed buffer streamed through
// the line scan) and reports the time, the line count and the index size.
//   index_bench FILE [REPEATS]
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "document/lineindex.h"

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
    printf("seconds %.3f lines %u index_bytes %zu peak_rss_kb %ld\n", best, count, indexBytes, usage.ru_maxrss);
    return 0;
}
