// Opens a text the way the program does, in a hidden main window, and
// reports how long the open took, how much memory it needed at its peak,
// and what a line step (compose and repaint) costs: the open's pieces run
// straight through. With QUERY, the open runs as the program runs it, in
// slices on the window's message loop showing its progress, and then QUERY
// (which should not be in the text) is looked for through the whole text
// the same way. With --pieces, the
// text's first lines are long: the median time of laying out the first, and
// of a step to its next piece against a step to the next line, each painted,
// with the window faded whole and drawn per pixel; then a whole repaint in
// each way, at 600 x 50 and at 1,920 x 200.
// With --headings, the text (a working copy already) indexed, then the
// best of three looks for its headings over it (from the page cache): the
// wait of the first chapter step or list; and the best of three searches
// for a changed place that no line says, from the middle line: the most
// an open of a recent text that has changed adds. With --detect, the best
// of nine index passes over the text (from the page cache, nothing
// written) in its form as the open finds it, and in that form taken as
// told by the first 64 KiB: what looking for the encoding past them costs;
// given an encoding's name too (GBK...), both passes read it as chosen.
//   open_bench.exe TEXT [QUERY]   (run from the start folder to use)
//   open_bench.exe --pieces TEXT
//   open_bench.exe --headings TEXT
//   open_bench.exe --detect TEXT [ENCODING]
#include <windows.h>
#include <psapi.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/msgbox.h"
#include "base/settings.h"
#include "base/user32.h"
#include "app/startup.h"
#include "document/document.h"
#include "document/indexfile.h"
#include "document/work.h"
#include "base/wide.h"
#include "window/layout.h"
#include "window/commands.h"
#include "window/longwork.h"
#include "window/mainwnd.h"
#include "window/paint.h"
#include "window/view.h"

namespace {

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Runs the window's messages until the work under way is over.
void RunWork()
{
    MSG m;
    while (WorkUnderWay() != NO_WORK && GetMessageA(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

void FindEnded(HWND, int) {}

SIZE_T PrivateBytes(bool peak)
{
    PROCESS_MEMORY_COUNTERS pmc;
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return peak ? pmc.PeakPagefileUsage : pmc.PagefileUsage;
}

// The median of runs of f, in microseconds.
template <typename F>
double MedianMicroseconds(int runs, F f)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        f();
        QueryPerformanceCounter(&b);
        times.push_back(Seconds(a, b) * 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void MeasurePieces(const char* drawn)
{
    NavigateTo(MainWnd, NAV_TOP, 0);
    // Each layout afresh: the two lines' texts differ.
    static char lines[2][DISP_TEXT_SIZE];
    memcpy(lines[0], Shown.text, DISP_TEXT_SIZE);
    NavigateTo(MainWnd, NAV_CLAMP, 1);
    memcpy(lines[1], Shown.text, DISP_TEXT_SIZE);
    LineLayout layout;
    int turn = 0;
    double layoutUs = MedianMicroseconds(201, [&] {
        memcpy(Shown.text, lines[turn ^= 1], DISP_TEXT_SIZE);
        LayOutShown(MainWnd, NULL, &layout);
    });
    NavigateTo(MainWnd, NAV_TOP, 0);
    double withinUs = MedianMicroseconds(201, [] {
        StepThrough(MainWnd, true);
        UpdateWindow(MainWnd);
        MoveWithinLine(0);
    });
    double betweenUs = MedianMicroseconds(201, [] {
        NavigateTo(MainWnd, NAV_CLAMP, Doc.Place.line == 0 ? 1 : 0);
        UpdateWindow(MainWnd);
    });
    printf("%s bytes %u rows %u pieces %u layout_us %.0f within_us %.0f between_us %.0f\n", drawn,
           static_cast<unsigned>(strlen(Shown.text)), layout.rows, layout.pieces, layoutUs, withinUs, betweenUs);
}

// The window faded whole (0) or drawn per pixel with its ink opaque (1).
void DrawOpaqueText(int opaque)
{
    AppSettings.OpaqueText = opaque;
    ApplyTransparency(MainWnd);
    UpdateWindow(MainWnd);
}

// A whole repaint, faded whole and drawn per pixel, at the default size
// and at a wide one (medians of 201, in microseconds).
void MeasureRepaint()
{
    static const SIZE sizes[] = {{600, 50}, {1920, 200}};
    for (const SIZE& size : sizes) {
        SetWindowPos(MainWnd, NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        double us[2];
        for (int opaque = 0; opaque < 2; ++opaque) {
            DrawOpaqueText(opaque);
            us[opaque] = MedianMicroseconds(201, [] { RedrawWindow(MainWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); });
        }
        printf("repaint %ldx%ld faded_us %.0f per_pixel_us %.0f\n", size.cx, size.cy, us[0], us[1]);
    }
}

// The text indexed, from its start, in form; false when it cannot be read.
bool IndexText(HANDLE in, ULONGLONG size, const CopyForm& form, LineIndex* index)
{
    LARGE_INTEGER start = {};
    StreamPass stream;
    return SetFilePointerEx(in, start, NULL, FILE_BEGIN) &&
           (BeginStreamPass(&stream, in, size, INVALID_HANDLE_VALUE, form, 0, index),
            RunThrough(&stream, StreamPiece) == PASS_DONE);
}

void MeasureDetection(const wchar_t* path, int chosen)
{
    HANDLE in = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    ULONGLONG size = 0;
    CopyForm form;
    if (in == INVALID_HANDLE_VALUE || !SizeFits(in, &size) || !DetectSourceForm(in, size, chosen, &form)) {
        fprintf(stderr, "cannot read the text\n");
        return;
    }
    const bool untold = form.untold;
    double best[2] = {1e9, 1e9};
    for (int run = 0; run < 9; ++run) {
        for (int looking = 1; looking >= 0; --looking) {
            form.untold = untold && looking;
            LineIndex index = {};
            LARGE_INTEGER a, b;
            QueryPerformanceCounter(&a);
            bool read = IndexText(in, size, form, &index);
            QueryPerformanceCounter(&b);
            FreeLineIndex(&index);
            if (!read) {
                fprintf(stderr, "cannot read the text\n");
                return;
            }
            best[looking] = std::min(best[looking], Seconds(a, b));
        }
    }
    printf("untold %d looking_seconds %.3f told_seconds %.3f\n", untold, best[1], best[0]);
    CloseHandle(in);
}

void MeasureHeadings(const wchar_t* path)
{
    HANDLE in = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    ULONGLONG size = 0;
    CopyForm form;
    LineIndex index = {};
    if (in == INVALID_HANDLE_VALUE || !SizeFits(in, &size) || !DetectSourceForm(in, size, NONE_CHOSEN, &form) ||
        !IndexText(in, size, form, &index)) {
        fprintf(stderr, "cannot read the text\n");
        return;
    }
    double best = 1e9;
    Headings found = {};
    for (int run = 0; run < 3; ++run) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        HeadingSearch search;
        BeginHeadingSearch(&search, in, size, index, form.encoding != TEXT_CP932, &found);
        RunThrough(&search, HeadingSearchPiece);
        QueryPerformanceCounter(&b);
        best = std::min(best, Seconds(a, b));
    }
    const char missing[] = "no line of the text says this";
    double said = 1e9;
    for (int run = 0; run < 3; ++run) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        SaidSearch search;
        BeginSaidSearch(&search, in, size, index, index.count / 2, LineSaid(missing, sizeof missing - 1));
        RunThrough(&search, SaidSearchPiece);
        QueryPerformanceCounter(&b);
        said = std::min(said, Seconds(a, b));
    }
    printf("lines %u headings %u seconds %.3f said_seconds %.3f\n", index.count, found.count, best, said);
    FreeLineIndex(&index);
    FreeHeadings(&found);
    CloseHandle(in);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--headings") == 0) {
        wchar_t path[PATH_SIZE];
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, PATH_SIZE);
        MeasureHeadings(path);
        return 0;
    }
    if ((argc == 3 || argc == 4) && strcmp(argv[1], "--detect") == 0) {
        wchar_t path[PATH_SIZE];
        MultiByteToWideChar(CP_ACP, 0, argv[2], -1, path, PATH_SIZE);
        int chosen = NONE_CHOSEN;
        for (int e = 0; argc == 4 && e < TEXT_ENCODINGS; ++e)
            if (strcmp(argv[3], ENCODING_NAMES[e]) == 0)
                chosen = ChoiceOf(static_cast<TextEncoding>(e));
        MeasureDetection(path, chosen);
        return 0;
    }
    const bool pieces = argc == 3 && strcmp(argv[1], "--pieces") == 0;
    if (pieces) {
        ++argv;
        --argc;
    }
    if (argc < 2) {
        fprintf(stderr, "usage: open_bench TEXT\n");
        return 2;
    }
    if (FetchBaseDir() != 0 || BindUser32() != 0)
        return 1;
    LoadSettings();
    // Nothing offered again at the start: each run opens the text anew.
    AppSettings.BackFlg = 0;
    RegisterMainClass(GetModuleHandleA(NULL));
    CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNOACTIVATE);

    SIZE_T before = PrivateBytes(false);
    LARGE_INTEGER t0, t1;
    wchar_t path[PATH_SIZE];
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, path, PATH_SIZE);
    QueryPerformanceCounter(&t0);
    if (argc > 2) {
        OpenCommand(MainWnd, path);
        RunWork();
    } else if (StartOpen(path)) {
        while (WorkPiece() == WORK_GOING) {
        }
    }
    QueryPerformanceCounter(&t1);
    SIZE_T peak = PrivateBytes(true);
    if (LastWork().open != OPEN_DONE) {
        fprintf(stderr, "open failed\n");
        return 1;
    }
    if (pieces) {
        MeasurePieces("faded");
        DrawOpaqueText(1);
        MeasurePieces("per_pixel");
        MeasureRepaint();
        AppSettings.EndFlg = 0;
        SendMessageA(MainWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    NavigateTo(MainWnd, NAV_TOP, 0);
    const LineIndex& index = Doc.Index;
    size_t indexBytes = static_cast<size_t>(index.blockCount) * LINE_BLOCK_ENTRIES * sizeof(uint32_t) +
                        index.blockCapacity * sizeof(uint32_t*);

    // Line steps to lines spread over the whole text, each composed and painted.
    const int steps = 2000;
    srand(1);
    LARGE_INTEGER s0, s1;
    QueryPerformanceCounter(&s0);
    for (int i = 0; i < steps; ++i) {
        uint32_t line = static_cast<uint32_t>((static_cast<unsigned long long>(rand()) * rand()) % Doc.LineCnt);
        NavigateTo(MainWnd, NAV_CLAMP, line);
        UpdateWindow(MainWnd);
    }
    QueryPerformanceCounter(&s1);

    printf("open_seconds %.3f lines %u index_bytes %u peak_private_delta_bytes %u step_us %.1f",
           Seconds(t0, t1), Doc.LineCnt, static_cast<unsigned>(indexBytes), static_cast<unsigned>(peak - before),
           Seconds(s0, s1) * 1e6 / steps);

    if (argc > 2) {
        int n = 0;
        wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n);
        char query[FIND_QUERY_MAX];
        int length = WideCharToMultiByte(Doc.Unicode ? CP_UTF8 : PROGRAM_CODE_PAGE, 0, wide[2], -1, query,
                                         sizeof query, NULL, NULL);
        TextFinder finder;
        LARGE_INTEGER f0, f1;
        QueryPerformanceCounter(&f0);
        if (PrepareFinder(&finder, query, length - 1, true, !Doc.Unicode) && StartFind(finder, true, 0)) {
            RunLongWork(MainWnd, "検索中", FindEnded, 0);
            RunWork();
        }
        QueryPerformanceCounter(&f1);
        printf(" find_seconds %.3f found %d", Seconds(f0, f1), LastWork().find != FIND_NONE);
    }
    printf("\n");
    AppSettings.EndFlg = 0;
    SendMessageA(MainWnd, WM_CLOSE, 0, 0);
    return 0;
}
