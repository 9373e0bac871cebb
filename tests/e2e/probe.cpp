// probe.exe: the end-to-end tests' eyes and hands inside the Wine prefix.
//
// The tests drive Skerrow.exe from outside, as a user would, but X cannot
// tell them what Win32 knows about a window (its styles, its layered alpha,
// the text of a message box, which button is the default). This console
// program runs in the same prefix and answers such questions, one result per
// line as key=value, so that bash can pick values with sed or awk.
//
// Texts are printed as the hex digits of their code page 932 bytes, so that
// bash never has to carry Shift-JIS bytes: it compares them with the hex of
// `printf '%s' 'テキスト' | iconv -f UTF-8 -t CP932` (cp932_hex in lib.sh).
// The conversion is made with code page 932 explicitly (from the window's
// Unicode text), so the result does not depend on this process's own ANSI
// code page. Only cwd= (a folder name) is printed as its bytes.
//
// Windows are looked up without filtering on visibility: a message box
// owned by a hidden window stays invisible under Wine, and a hidden main
// window must still be found.
//
// Exit status: 0 when the command did what it was asked, 1 when it did not
// (nothing found within the time limit, a window that does not exist), 2 on
// a usage error.

// The program itself is built for Windows 2000; the probe reads layered
// attributes (GetLayeredWindowAttributes, Windows XP and later), so it asks
// for a newer API level than the build's common definitions give.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0601
#define _WIN32_WINNT 0x0601
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

namespace {

const UINT kTextTimeoutMs = 5000;  // a hung target must not hang the probe

void Usage() {
    fputs(
        "usage: probe COMMAND [ARGS]\n"
        "  acp                          this process's ANSI code page\n"
        "  find CLASS [--pid N] [--cwd PATH] [--timeout MS] [--count N]\n"
        "                               top-level windows of a class (visible or not);\n"
        "                               waits up to MS for at least one (or exactly N)\n"
        "  info HWND                    rectangle, styles, visibility, title, alpha, ...\n"
        "  msgbox [--pid N] [--cwd PATH] [--timeout MS] [--any]\n"
        "                               the first visible message box (#32770), with text,\n"
        "                               caption, buttons (id visible default text) and\n"
        "                               their screen rectangles (id left top right bottom),\n"
        "                               default button, focused control, icon shown;\n"
        "                               --any: a hidden one too, once its text is set\n"
        "  click HWND ID                BM_CLICK on control ID of dialog HWND\n"
        "  command HWND ID [CODE]       post WM_COMMAND (id, notification code)\n"
        "  close HWND                   post WM_CLOSE\n"
        "  key HWND VK                  post WM_KEYDOWN\n"
        "  text HWND ID                 the text of control ID of dialog HWND\n"
        "  settext HWND ID HEX          WM_SETTEXT of the text whose UTF-8 bytes HEX gives\n"
        "                               to control ID of dialog HWND, then read back;\n"
        "                               fails unless the control holds it whole\n"
        "  idle HWND MS                 a message sent to the window, answered within MS\n"
        "  paint HWND                   the window paints what it has to, now\n"
        "  post HWND MSG WPARAM LPARAM  post any message\n"
        "  drop HWND PATH               drop the file PATH on window HWND\n"
        "  move HWND X Y                move window HWND to X, Y\n"
        "  wait HWND gone|hidden|visible MS\n"
        "                               wait until the window reaches that state\n"
        "  tray HWND ID                 whether the notification area has that icon\n"
        "  foreground                   the foreground window\n"
        "  list [CLASS]                 every top-level window (of that class): hwnd,\n"
        "                               class, visible, rect, pid, title\n"
        "  client HWND                  the client area's rectangle on the screen\n"
        "  unreadable HWND              characters shown as '?' in the window and\n"
        "                               every window inside it (wide texts)\n"
        "  input HWND                   mouse state of the window's thread: capture,\n"
        "                               move/size and menu modes; cursor place and\n"
        "                               the rectangle the cursor is confined to\n"
        "  menu [--timeout MS]          the first visible pop-up menu (#32768): its\n"
        "                               rectangle, process, menu handle, and whether\n"
        "                               its items can be read from this process\n"
        "  render W H BACK FORE TABS FILE OUT\n"
        "                               draws the bytes of FILE as the reader draws a\n"
        "                               line, in the default display font, colours\n"
        "                               BACK and FORE (COLORREF), tabs of TABS\n"
        "                               characters, on a W x H client area; writes a\n"
        "                               24-bit BMP to OUT\n"
        "Numbers may be decimal or 0x-prefixed hex.\n",
        stderr);
}

unsigned long ParseNumber(const char* text, bool* ok) {
    char* end = nullptr;
    unsigned long value = strtoul(text, &end, 0);
    *ok = end != text && *end == '\0';
    return value;
}

HWND ParseWindow(const char* text) {
    bool ok = false;
    unsigned long value = ParseNumber(text, &ok);
    return ok ? reinterpret_cast<HWND>(static_cast<ULONG_PTR>(value)) : nullptr;
}

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string ToCp932(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) {
        WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n,
                            nullptr, nullptr);
    }
    return out;
}

// Reads a window's text through WM_GETTEXT with a time limit. Works for
// controls of other processes too (the message is marshalled).
std::wstring WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                             &length)) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(length + 2, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                             kTextTimeoutMs, &copied)) {
        return std::wstring();
    }
    return std::wstring(buffer.data());
}

std::string ClassName(HWND window) {
    char name[256] = {0};
    GetClassNameA(window, name, sizeof(name) - 1);
    return name;
}

DWORD WindowProcessId(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

// The current directory of another process, read from its process
// parameters. Lets the tests tell apart copies of the program started from
// different folders, which is what the program itself keys its single-copy
// guard on. Empty when the process cannot be read.
std::wstring ProcessCurrentDirectory(DWORD pid) {
    struct BasicInformation {
        LONG exit_status;
        void* peb;
        ULONG_PTR affinity;
        LONG priority;
        ULONG_PTR unique_id;
        ULONG_PTR parent_id;
    };
    typedef LONG(WINAPI * QueryFunction)(HANDLE, int, void*, ULONG, ULONG*);
    static QueryFunction query = reinterpret_cast<QueryFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return std::wstring();

    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return std::wstring();
    std::wstring result;
    BasicInformation basic = {};
    ULONG got = 0;
    if (query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), &got) == 0 &&
        basic.peb) {
        // 32-bit layouts: PEB.ProcessParameters at 0x10;
        // RTL_USER_PROCESS_PARAMETERS.CurrentDirectory.DosPath at 0x24.
        void* parameters = nullptr;
        SIZE_T read = 0;
        if (ReadProcessMemory(process, static_cast<char*>(basic.peb) + 0x10, &parameters,
                              sizeof(parameters), &read) &&
            parameters) {
            struct {
                USHORT length;
                USHORT maximum;
                wchar_t* buffer;
            } dos_path = {};
            if (ReadProcessMemory(process, static_cast<char*>(parameters) + 0x24, &dos_path,
                                  sizeof(dos_path), &read) &&
                dos_path.buffer && dos_path.length > 0 && dos_path.length < 0x8000) {
                std::vector<wchar_t> text(dos_path.length / 2 + 1, L'\0');
                if (ReadProcessMemory(process, dos_path.buffer, text.data(), dos_path.length,
                                      &read)) {
                    result.assign(text.data(), dos_path.length / 2);
                }
            }
        }
    }
    CloseHandle(process);
    return result;
}

// main's arguments, so that one can be found by its place.
int ArgCount;
char** Args;

// An argument of main as it was given: the wide command line keeps the
// characters that this process's ANSI code page cannot spell (a folder
// named in Korean under a Japanese locale).
std::wstring Widen(const char* arg) {
    int n = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n);
    std::wstring out;
    for (int i = 0; wide != nullptr && i < ArgCount && i < n; ++i)
        if (Args[i] == arg) out = wide[i];
    LocalFree(wide);
    return out;
}

// Folder names compared as Windows compares them: case does not matter, nor
// does one trailing backslash.
bool SameFolder(std::wstring a, std::wstring b) {
    while (!a.empty() && (a.back() == L'\\' || a.back() == L'/')) a.pop_back();
    while (!b.empty() && (b.back() == L'\\' || b.back() == L'/')) b.pop_back();
    for (auto& c : a) if (c == L'/') c = L'\\';
    for (auto& c : b) if (c == L'/') c = L'\\';
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
           CSTR_EQUAL;
}

struct Filter {
    std::string class_name;
    DWORD pid = 0;             // 0: any process
    std::wstring cwd;          // empty: any folder
    bool has_cwd = false;
};

struct Collector {
    const Filter* filter;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    Collector* collector = reinterpret_cast<Collector*>(param);
    const Filter& filter = *collector->filter;
    if (ClassName(window) != filter.class_name) return TRUE;
    DWORD pid = WindowProcessId(window);
    if (filter.pid && pid != filter.pid) return TRUE;
    if (filter.has_cwd && !SameFolder(ProcessCurrentDirectory(pid), filter.cwd)) return TRUE;
    collector->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindWindows(const Filter& filter) {
    Collector collector;
    collector.filter = &filter;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&collector));
    return collector.found;
}

// Polls until the condition holds or the time is up; returns the last list.
// want_count < 0 means "at least one".
std::vector<HWND> WaitForWindows(const Filter& filter, DWORD timeout_ms, long want_count) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindWindows(filter);
        bool done = want_count < 0 ? !found.empty()
                                   : found.size() == static_cast<size_t>(want_count);
        if (done || GetTickCount() - start >= timeout_ms) return found;
        Sleep(50);
    }
}

void PrintHwnd(const char* key, HWND window) {
    printf("%s=0x%08lx\n", key, static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
}

// The X window that Wine's X11 driver made for a top-level window, so that
// xdotool can focus exactly that window. 0 when there is none (hidden
// windows may have none yet).
unsigned long XWindowOf(HWND window) {
    return static_cast<unsigned long>(
        reinterpret_cast<ULONG_PTR>(GetPropA(window, "__wine_x11_whole_window")));
}

void PrintCommon(HWND window) {
    PrintHwnd("hwnd", window);
    printf("class=%s\n", ClassName(window).c_str());
    DWORD pid = 0;
    DWORD tid = GetWindowThreadProcessId(window, &pid);
    printf("pid=%lu\n", pid);
    printf("tid=%lu\n", tid);
    printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
    RECT r = {};
    GetWindowRect(window, &r);
    printf("rect=%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    printf("x=%ld\ny=%ld\nwidth=%ld\nheight=%ld\n", r.left, r.top, r.right - r.left,
           r.bottom - r.top);
    RECT c = {};
    GetClientRect(window, &c);
    printf("client=%ld %ld\n", c.right - c.left, c.bottom - c.top);
    printf("style=0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
    printf("exstyle=0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
    PrintHwnd("owner", GetWindow(window, GW_OWNER));
    printf("xid=0x%lx\n", XWindowOf(window));
    std::wstring cwd = ProcessCurrentDirectory(pid);
    printf("cwd=%s\n", ToCp932(cwd).c_str());
}

int CommandAcp() {
    printf("acp=%u\n", GetACP());
    return 0;
}

// Parses the options shared by find and msgbox. Returns false on a bad one.
bool ParseFilterOptions(int argc, char** argv, int first, Filter* filter, DWORD* timeout_ms,
                        long* want_count) {
    for (int i = first; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) return false;
        bool ok = false;
        if (option == "--pid") {
            filter->pid = ParseNumber(argv[++i], &ok);
        } else if (option == "--cwd") {
            filter->cwd = Widen(argv[++i]);
            filter->has_cwd = true;
            ok = true;
        } else if (option == "--timeout") {
            *timeout_ms = ParseNumber(argv[++i], &ok);
        } else if (option == "--count" && want_count) {
            *want_count = static_cast<long>(ParseNumber(argv[++i], &ok));
        }
        if (!ok) return false;
    }
    return true;
}

int CommandFind(int argc, char** argv) {
    if (argc < 3) return Usage(), 2;
    Filter filter;
    filter.class_name = argv[2];
    DWORD timeout_ms = 0;
    long want_count = -1;
    if (!ParseFilterOptions(argc, argv, 3, &filter, &timeout_ms, &want_count)) {
        return Usage(), 2;
    }
    std::vector<HWND> found = WaitForWindows(filter, timeout_ms, want_count);
    for (HWND window : found) PrintHwnd("hwnd", window);
    printf("count=%u\n", static_cast<unsigned>(found.size()));
    bool done = want_count < 0 ? !found.empty() : found.size() == static_cast<size_t>(want_count);
    return done ? 0 : 1;
}

int CommandInfo(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    PrintCommon(window);
    printf("title=%s\n", Hex(ToCp932(WindowText(window))).c_str());
    BYTE alpha = 0;
    COLORREF key = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(window, &key, &alpha, &flags)) {
        printf("layered=1\nalpha=%u\ncolorkey=0x%06lx\nlwa_flags=0x%lx\n", alpha,
               static_cast<unsigned long>(key), static_cast<unsigned long>(flags));
    } else {
        printf("layered=0\n");
    }
    return 0;
}

struct ChildList {
    std::vector<HWND> buttons;
    int visible_icons = 0;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    ChildList* list = reinterpret_cast<ChildList*>(param);
    std::string name = ClassName(child);
    if (lstrcmpiA(name.c_str(), "Button") == 0) {
        list->buttons.push_back(child);
    } else if (lstrcmpiA(name.c_str(), "Static") == 0 && IsWindowVisible(child) &&
               (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        // Wine keeps the icon control of a box without MB_ICON… visible but
        // empty: only a control that holds an icon counts.
        DWORD_PTR icon = 0;
        if (SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                                &icon) &&
            icon) {
            ++list->visible_icons;
        }
    }
    return TRUE;
}

// A message box is found as soon as its window exists, before its text is
// set and before it is shown. It counts as ready once it is visible; with
// --any, once its text is set (a box owned by a hidden window stays hidden
// under Wine).
bool BoxReady(HWND box, bool any) {
    if (IsWindowVisible(box)) return true;
    if (!any) return false;
    HWND text = GetDlgItem(box, 0xFFFF);
    return text && !WindowText(text).empty();
}

int CommandMsgbox(int argc, char** argv) {
    Filter filter;
    filter.class_name = "#32770";
    DWORD timeout_ms = 0;
    bool any = false;
    std::vector<char*> args(argv, argv + argc);
    for (size_t i = 2; i < args.size(); ++i) {
        if (strcmp(args[i], "--any") == 0) {
            any = true;
            args.erase(args.begin() + i);
            break;
        }
    }
    if (!ParseFilterOptions(static_cast<int>(args.size()), args.data(), 2, &filter, &timeout_ms,
                            nullptr)) {
        return Usage(), 2;
    }
    DWORD start = GetTickCount();
    std::vector<HWND> found;
    HWND box = nullptr;
    for (;;) {
        found = FindWindows(filter);
        box = nullptr;
        for (HWND candidate : found) {
            if (BoxReady(candidate, any)) {
                box = candidate;
                break;
            }
        }
        if (box || GetTickCount() - start >= timeout_ms) break;
        Sleep(50);
    }
    // Not ready in time: describe the first one found all the same; the
    // caller sees visible=0.
    if (!box && !found.empty()) box = found.front();
    printf("count=%u\n", static_cast<unsigned>(found.size()));
    if (!box) return 1;
    PrintCommon(box);
    printf("caption=%s\n", Hex(ToCp932(WindowText(box))).c_str());
    // A message box keeps its text in the static control with id 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    printf("text=%s\n", text ? Hex(ToCp932(WindowText(text))).c_str() : "");
    ChildList list;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&list));
    printf("icon=%d\n", list.visible_icons > 0 ? 1 : 0);
    int default_button = 0;
    for (HWND button : list.buttons) {
        // The button drawn as the default one (BS_DEFPUSHBUTTON).
        bool is_default = (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
        if (is_default && !default_button) default_button = GetDlgCtrlID(button);
        printf("button=%d %d %d %s\n", GetDlgCtrlID(button), IsWindowVisible(button) ? 1 : 0,
               is_default ? 1 : 0, Hex(ToCp932(WindowText(button))).c_str());
    }
    // Screen rectangles, for clicking a button with the mouse through X.
    for (HWND button : list.buttons) {
        RECT r = {};
        GetWindowRect(button, &r);
        printf("buttonrect=%d %ld %ld %ld %ld\n", GetDlgCtrlID(button), r.left, r.top, r.right,
               r.bottom);
    }
    printf("defbutton=%d\n", default_button);
    // What the dialog itself reports. Wine's message box answers with the
    // default of its template (IDOK) whatever MB_DEFBUTTONn asked for, and
    // marks the chosen button only by its style and the focus; Enter goes
    // to the focused default push button first, so defbutton and focusid
    // tell what Enter does.
    DWORD_PTR def = 0;
    if (SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &def) &&
        HIWORD(def) == DC_HASDEFID) {
        printf("defid=%u\n", LOWORD(def));
    } else {
        printf("defid=\n");
    }
    HWND focus = nullptr;
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &gui)) focus = gui.hwndFocus;
    printf("focusid=%d\n", focus ? GetDlgCtrlID(focus) : 0);
    return 0;
}

int CommandClick(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    HWND dialog = ParseWindow(argv[2]);
    bool ok = false;
    unsigned long id = ParseNumber(argv[3], &ok);
    HWND button = dialog && ok ? GetDlgItem(dialog, static_cast<int>(id)) : nullptr;
    if (!button) {
        printf("error=no such button\n");
        return 1;
    }
    // Posted, not sent: the click may end the target's modal loop and then
    // the whole process, and the probe must not wait on that.
    PostMessageW(button, BM_CLICK, 0, 0);
    printf("clicked=%lu\n", id);
    return 0;
}

int PostOrFail(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    if (!PostMessageW(window, message, wparam, lparam)) {
        printf("error=post failed %lu\n", static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    printf("posted=0x%04x\n", message);
    return 0;
}

int CommandCommand(int argc, char** argv) {
    if (argc != 4 && argc != 5) return Usage(), 2;
    bool ok_id = false, ok_code = true;
    unsigned long id = ParseNumber(argv[3], &ok_id);
    unsigned long code = argc == 5 ? ParseNumber(argv[4], &ok_code) : 0;
    if (!ok_id || !ok_code) return Usage(), 2;
    return PostOrFail(ParseWindow(argv[2]), WM_COMMAND, MAKEWPARAM(id, code), 0);
}

int CommandClose(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    return PostOrFail(ParseWindow(argv[2]), WM_CLOSE, 0, 0);
}

// Control ID (argv[3]) of the dialog argv[2]; NULL, said so, when there is none.
HWND ControlOf(char** argv) {
    bool ok = false;
    unsigned long id = ParseNumber(argv[3], &ok);
    HWND control = ok ? GetDlgItem(ParseWindow(argv[2]), static_cast<int>(id)) : NULL;
    if (control == NULL) printf("error=no such control\n");
    return control;
}

void PrintText(const std::wstring& text) {
    printf("text=%s\n", Hex(ToCp932(text)).c_str());
    // Whole, for a text that code page 932 cannot spell.
    std::string utf8(text.size() * 3 + 1, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    printf("utf8=%s\n", Hex(utf8).c_str());
}

// The text of control ID of a dialog, e.g. a read-only edit box; of a list
// box, its rows, each ended by a line feed.
int CommandText(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    HWND control = ControlOf(argv);
    if (control == NULL) return 1;
    wchar_t kind[16] = L"";
    GetClassNameW(control, kind, 16);
    std::wstring rows, row;
    for (LRESULT i = 0; lstrcmpiW(kind, L"ListBox") == 0 && i < SendMessageW(control, LB_GETCOUNT, 0, 0); ++i) {
        row.assign(SendMessageW(control, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&row[0]));
        rows += row.c_str() + std::wstring(L"\n");
    }
    PrintText(lstrcmpiW(kind, L"ListBox") == 0 ? rows : WindowText(control));
    return 0;
}

// A text put into a control as a paste would put it: typed through X, a
// character outside the keyboard's map needs a key remapped for it, and a
// busy X server has been seen to lose such characters. The text comes as
// the hex digits of its UTF-8 bytes, so that no code page and no quoting
// stands between the test and the control; it is read back, and a control
// that does not hold it whole fails the command.
int CommandSetText(int argc, char** argv) {
    if (argc != 5) return Usage(), 2;
    std::string hex = argv[4], bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        bool ok = false;
        unsigned long byte = ParseNumber(("0x" + hex.substr(i, 2)).c_str(), &ok);
        if (!ok) return Usage(), 2;
        bytes += static_cast<char>(byte);
    }
    if (hex.size() % 2 != 0) return Usage(), 2;
    std::wstring text(bytes.size() + 1, L'\0');
    int n = bytes.empty() ? 0
                          : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                                static_cast<int>(bytes.size()), &text[0],
                                                static_cast<int>(text.size()));
    if (n == 0 && !bytes.empty()) {
        printf("error=not UTF-8\n");
        return 2;
    }
    text.resize(n);
    HWND control = ControlOf(argv);
    if (control == NULL) return 1;
    DWORD_PTR set = 0;
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &set) ||
        !set) {
        printf("error=WM_SETTEXT refused\n");
        return 1;
    }
    std::wstring back = WindowText(control);
    PrintText(back);
    return back == text ? 0 : 1;
}

// Answered once the window's thread takes its messages again: whatever
// handler it ran when the message came has returned, and no write of the
// settings file, made key by key inside a handler, is half done. (Any loop
// that dispatches messages answers: a dialog's, a box's, or long work's.)
int CommandIdle(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    bool ok = false;
    DWORD timeout_ms = ParseNumber(argv[3], &ok);
    if (!window || !ok) return Usage(), 2;
    DWORD_PTR result = 0;
    bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout_ms, &result) != 0;
    printf("idle=%d\n", answered ? 1 : 0);
    return answered ? 0 : 1;
}

// Makes the window paint its invalid part before this returns: the system
// sends it WM_PAINT and waits for the answer. For a state that must have
// been painted once (a layout made at a size) though nobody looks at it.
int CommandPaint(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    return RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW) ? 0 : 1;
}

// A file dropped on a window from outside: the DROPFILES block, with the
// name in UTF-16, is written into the window's process, as a shell's drop
// arrives there; a handle of this process would mean nothing in that one.
int CommandDrop(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    DWORD pid = 0;
    if (!window || !GetWindowThreadProcessId(window, &pid)) {
        printf("error=no such window\n");
        return 1;
    }
    std::wstring path = Widen(argv[3]);
    std::vector<char> block(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t), '\0');
    DROPFILES* drop = reinterpret_cast<DROPFILES*>(block.data());
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(block.data() + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    void* remote = process != NULL ? VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                                    PAGE_READWRITE)
                                   : nullptr;
    bool written = remote != nullptr && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr);
    if (process != NULL) CloseHandle(process);
    if (!written) {
        printf("error=cannot write into the process\n");
        return 1;
    }
    return PostOrFail(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

// move HWND X Y [WIDTH HEIGHT]
int CommandMove(int argc, char** argv) {
    if (argc != 5 && argc != 7) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    int x = atoi(argv[3]), y = atoi(argv[4]);
    int w = argc == 7 ? atoi(argv[5]) : 0, h = argc == 7 ? atoi(argv[6]) : 0;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (argc == 7 ? 0 : SWP_NOSIZE);
    return window != NULL && SetWindowPos(window, NULL, x, y, w, h, flags) ? 0 : 1;
}

int CommandKey(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    bool ok = false;
    unsigned long vk = ParseNumber(argv[3], &ok);
    if (!ok) return Usage(), 2;
    UINT scan = MapVirtualKeyW(vk, 0 /* MAPVK_VK_TO_VSC */);
    return PostOrFail(ParseWindow(argv[2]), WM_KEYDOWN, vk, 1 | (scan << 16));
}

int CommandPost(int argc, char** argv) {
    if (argc != 6) return Usage(), 2;
    bool ok1 = false, ok2 = false, ok3 = false;
    unsigned long message = ParseNumber(argv[3], &ok1);
    unsigned long wparam = ParseNumber(argv[4], &ok2);
    unsigned long lparam = ParseNumber(argv[5], &ok3);
    if (!ok1 || !ok2 || !ok3) return Usage(), 2;
    return PostOrFail(ParseWindow(argv[2]), message, wparam, lparam);
}

int CommandWait(int argc, char** argv) {
    if (argc != 5) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    std::string state = argv[3];
    bool ok = false;
    DWORD timeout_ms = ParseNumber(argv[4], &ok);
    if (!window || !ok || (state != "gone" && state != "hidden" && state != "visible")) {
        return Usage(), 2;
    }
    DWORD start = GetTickCount();
    for (;;) {
        bool exists = IsWindow(window) != FALSE;
        bool visible = exists && IsWindowVisible(window);
        const char* now = !exists ? "gone" : visible ? "visible" : "hidden";
        if (state == now || GetTickCount() - start >= timeout_ms) {
            printf("state=%s\n", now);
            return state == now ? 0 : 1;
        }
        Sleep(50);
    }
}

// Whether the notification area holds an icon (window, id). Asked with
// NIM_MODIFY that changes nothing (no flags): the shell answers FALSE for an
// icon it does not know.
int CommandTray(int argc, char** argv) {
    if (argc != 4) return Usage(), 2;
    bool ok = false;
    unsigned long id = ParseNumber(argv[3], &ok);
    if (!ok) return Usage(), 2;
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof(data);
    data.hWnd = ParseWindow(argv[2]);
    data.uID = id;
    data.uFlags = 0;
    printf("tray=%d\n", Shell_NotifyIconA(NIM_MODIFY, &data) ? 1 : 0);
    return 0;
}

int CommandForeground() {
    PrintHwnd("foreground", GetForegroundWindow());
    return 0;
}

// ------------------------------------------------------------------------
// The window's look and its mouse handling, seen from outside.

BOOL CALLBACK CollectAny(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// Every top-level window, or those of one class: for finding windows that
// the tests know only by what they look like (the notification area's
// window, whose class names differ between Wine versions; pop-up menus).
int CommandList(int argc, char** argv) {
    if (argc != 2 && argc != 3) return Usage(), 2;
    std::vector<HWND> all;
    EnumWindows(CollectAny, reinterpret_cast<LPARAM>(&all));
    unsigned count = 0;
    for (HWND window : all) {
        std::string name = ClassName(window);
        if (argc == 3 && name != argv[2]) continue;
        RECT r = {};
        GetWindowRect(window, &r);
        printf("window=0x%08lx %s %d %ld %ld %ld %ld %lu %s\n",
               static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)), name.c_str(),
               IsWindowVisible(window) ? 1 : 0, r.left, r.top, r.right, r.bottom,
               WindowProcessId(window), Hex(ToCp932(WindowText(window))).c_str());
        ++count;
    }
    printf("count=%u\n", count);
    return 0;
}

// The '?' in the wide texts of a window and of every window inside it: a
// text that passed through an ANSI code page lacking its characters shows
// one for each (the program's own texts have none).
int CommandUnreadable(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    std::vector<HWND> all = {window};
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&all));
    size_t count = 0;
    for (HWND w : all)
        for (wchar_t c : WindowText(w))
            count += c == L'?';
    printf("windows=%u\nunreadable=%u\n", static_cast<unsigned>(all.size()), static_cast<unsigned>(count));
    return 0;
}

// Where a window's client area lies on the screen: with a frame it is
// inset from the window rectangle, and the tests aim the mouse and read
// screenshots by it.
int CommandClient(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    RECT c = {};
    GetClientRect(window, &c);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    printf("client=%ld %ld %ld %ld\n", origin.x, origin.y, origin.x + c.right, origin.y + c.bottom);
    printf("cx=%ld\ncy=%ld\ncwidth=%ld\ncheight=%ld\n", origin.x, origin.y, c.right, c.bottom);
    return 0;
}

// What a sizing grip and a drag leave behind in the window's thread: who
// holds the mouse capture, whether the system's move loop or a menu runs,
// and where the cursor is and is confined to (the confinement is one for
// the whole desktop, so any process reads it).
int CommandInput(int argc, char** argv) {
    if (argc != 3) return Usage(), 2;
    HWND window = ParseWindow(argv[2]);
    if (!window || !IsWindow(window)) {
        printf("error=no such window\n");
        return 1;
    }
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui)) {
        printf("error=no thread information %lu\n", static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    PrintHwnd("capture", gui.hwndCapture);
    printf("movesize=%d\n", (gui.flags & GUI_INMOVESIZE) ? 1 : 0);
    printf("menumode=%d\n", (gui.flags & GUI_INMENUMODE) ? 1 : 0);
    POINT cursor = {};
    GetCursorPos(&cursor);
    printf("cursor=%ld %ld\n", cursor.x, cursor.y);
    RECT clip = {};
    GetClipCursor(&clip);
    printf("clip=%ld %ld %ld %ld\n", clip.left, clip.top, clip.right, clip.bottom);
    return 0;
}

// The first visible pop-up menu window: where it is and whose it is.
// readable= tells whether its items could be read through the menu handle
// that the window gives out (MN_GETHMENU): Wine keeps a menu in the memory
// of the process that made it, so from here the handle reads as no menu
// (readable=0) and the tests tell grayed items by their colour instead.
int CommandMenu(int argc, char** argv) {
    DWORD timeout_ms = 0;
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
            timeout_ms = ParseNumber(argv[++i], &ok);
        }
        if (!ok) return Usage(), 2;
    }
    Filter filter;
    filter.class_name = "#32768";
    DWORD start = GetTickCount();
    HWND menu_window = nullptr;
    for (;;) {
        for (HWND candidate : FindWindows(filter)) {
            if (IsWindowVisible(candidate)) {
                menu_window = candidate;
                break;
            }
        }
        if (menu_window || GetTickCount() - start >= timeout_ms) break;
        Sleep(50);
    }
    if (!menu_window) {
        printf("menu=0\n");
        return 1;
    }
    printf("menu=1\n");
    PrintHwnd("hwnd", menu_window);
    RECT r = {};
    GetWindowRect(menu_window, &r);
    printf("rect=%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    printf("pid=%lu\n", WindowProcessId(menu_window));
    printf("xid=0x%lx\n", XWindowOf(menu_window));
    DWORD_PTR handle = 0;
    SendMessageTimeoutW(menu_window, 0x01E1 /* MN_GETHMENU */, 0, 0, SMTO_ABORTIFHUNG,
                        kTextTimeoutMs, &handle);
    HMENU menu = reinterpret_cast<HMENU>(handle);
    printf("hmenu=0x%08lx\n", static_cast<unsigned long>(handle));
    printf("readable=%d\n", menu && GetMenuItemCount(menu) >= 0 ? 1 : 0);
    return 0;
}

// A 24-bit BMP from top-down rows.
bool WriteBmp(const char* path, const BYTE* bits, int width, int height, int stride) {
    FILE* out = fopen(path, "wb");
    if (!out) return false;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as every BMP reader takes it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    bool ok = fwrite(&file, sizeof(file), 1, out) == 1 && fwrite(&info, sizeof(info), 1, out) == 1;
    for (int y = height - 1; ok && y >= 0; --y) {
        ok = fwrite(bits + static_cast<size_t>(y) * stride, stride, 1, out) == 1;
    }
    return fclose(out) == 0 && ok;
}

// Draws a text as the reader draws its line: the same font record as the
// reader's default, the same text rectangle (1, 1, W - 10, H + 1) and the
// same DrawTextExA format and tab length, on a background of BACK. Made in
// this prefix, the font is substituted just as it is for the reader, so
// the picture is what the reader's client area must show left of its grip.
int CommandRender(int argc, char** argv) {
    if (argc != 9) return Usage(), 2;
    bool ok[5] = {};
    long width = static_cast<long>(ParseNumber(argv[2], &ok[0]));
    long height = static_cast<long>(ParseNumber(argv[3], &ok[1]));
    COLORREF back = ParseNumber(argv[4], &ok[2]);
    COLORREF fore = ParseNumber(argv[5], &ok[3]);
    int tabs = static_cast<int>(ParseNumber(argv[6], &ok[4]));
    for (bool b : ok) if (!b) return Usage(), 2;
    if (width < 1 || height < 1 || width > 8192 || height > 8192) return Usage(), 2;

    // The text as bytes, at most what the reader's line buffer holds.
    std::vector<char> text(8193, '\0');
    FILE* in = fopen(argv[7], "rb");
    if (!in) {
        printf("error=cannot read %s\n", argv[7]);
        return 1;
    }
    fread(text.data(), 1, text.size() - 1, in);
    fclose(in);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        printf("error=no bitmap\n");
        return 1;
    }
    HGDIOBJ old_bitmap = SelectObject(dc, bitmap);

    LOGFONTW font = {};
    font.lfHeight = -13;
    font.lfWeight = 400;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_STROKE_PRECIS;
    font.lfClipPrecision = CLIP_STROKE_PRECIS;
    font.lfQuality = DRAFT_QUALITY;
    font.lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
    lstrcpyW(font.lfFaceName, L"ＭＳ Ｐゴシック");
    HFONT hfont = CreateFontIndirectW(&font);
    HGDIOBJ old_font = SelectObject(dc, hfont);

    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &all, brush);
    SetBkColor(dc, back);
    SetTextColor(dc, fore);
    RECT rect = {1, 1, width - 10, height + 1};
    DRAWTEXTPARAMS params = {};
    params.cbSize = sizeof(params);
    params.iTabLength = tabs;
    DrawTextExA(dc, text.data(), -1, &rect, DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP, &params);
    GdiFlush();

    // What the substitution chose, for the log of a failing comparison.
    wchar_t face[LF_FACESIZE] = {0};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    printf("face=%s\n", Hex(ToCp932(face)).c_str());
    printf("lineheight=%ld\n", metrics.tmHeight + metrics.tmExternalLeading);

    int stride = (width * 3 + 3) & ~3;
    bool written = WriteBmp(argv[8], static_cast<const BYTE*>(bits), width, height, stride);

    SelectObject(dc, old_font);
    SelectObject(dc, old_bitmap);
    DeleteObject(hfont);
    DeleteObject(brush);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (!written) {
        printf("error=cannot write %s\n", argv[8]);
        return 1;
    }
    printf("written=%s\n", argv[8]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Plain "\n" line ends, so bash sees no carriage returns.
    _setmode(_fileno(stdout), _O_BINARY);
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) return Usage(), 2;
    ArgCount = argc;
    Args = argv;
    std::string command = argv[1];
    if (command == "acp") return CommandAcp();
    if (command == "find") return CommandFind(argc, argv);
    if (command == "info") return CommandInfo(argc, argv);
    if (command == "msgbox") return CommandMsgbox(argc, argv);
    if (command == "click") return CommandClick(argc, argv);
    if (command == "command") return CommandCommand(argc, argv);
    if (command == "close") return CommandClose(argc, argv);
    if (command == "key") return CommandKey(argc, argv);
    if (command == "text") return CommandText(argc, argv);
    if (command == "settext") return CommandSetText(argc, argv);
    if (command == "idle") return CommandIdle(argc, argv);
    if (command == "paint") return CommandPaint(argc, argv);
    if (command == "post") return CommandPost(argc, argv);
    if (command == "wait") return CommandWait(argc, argv);
    if (command == "tray") return CommandTray(argc, argv);
    if (command == "foreground") return CommandForeground();
    if (command == "list") return CommandList(argc, argv);
    if (command == "client") return CommandClient(argc, argv);
    if (command == "input") return CommandInput(argc, argv);
    if (command == "menu") return CommandMenu(argc, argv);
    if (command == "render") return CommandRender(argc, argv);
    if (command == "unreadable") return CommandUnreadable(argc, argv);
    if (command == "drop") return CommandDrop(argc, argv);
    if (command == "move") return CommandMove(argc, argv);
    Usage();
    return 2;
}
