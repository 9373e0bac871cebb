#include "tests/wine/fixture.h"

#include <cstdio>
#include <memory>

#include "base/msgbox.h"
#include "base/settings.h"
#include "base/user32.h"
#include "base/wide.h"
#include "app/startup.h"
#include "document/document.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/commands.h"
#include "tests/wine/import_hook.h"
#include "window/mainwnd.h"

std::vector<BoxCall> Boxes;
std::deque<int> BoxAnswers;
std::function<void(const BoxCall&)> WhileBoxIsUp;

namespace {

std::unique_ptr<ImportHook> BoxHook;

// Every box the program shows is recorded here, its texts in code page 932
// as the program wrote them, and answered from BoxAnswers.
int WINAPI RecordBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT flags)
{
    Boxes.push_back({owner, text ? Narrow932(text) : "", caption ? Narrow932(caption) : "", flags});
    if (WhileBoxIsUp) {
        BoxCall call = Boxes.back();
        WhileBoxIsUp(call);
    }
    if (BoxAnswers.empty())
        return IDCANCEL;
    int answer = BoxAnswers.front();
    BoxAnswers.pop_front();
    return answer;
}

void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = dir + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(h, &found));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

std::string Narrow932(const wchar_t* text, int length)
{
    char bytes[4096];
    int n = WideCharToMultiByte(932, 0, text, length, bytes, sizeof bytes, NULL, NULL);
    if (n <= 0)
        return std::string();
    return std::string(bytes, length < 0 ? n - 1 : n);
}

void StartFolderTest::SetUp()
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH];
    GetTempFileNameA(temp, "sk", 0, name);
    DeleteFileA(name);
    ASSERT_TRUE(CreateDirectoryA(name, NULL)) << name;
    folder_ = name;
    ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
    Boxes.clear();
    BoxAnswers.clear();
    WhileBoxIsUp = nullptr;
    BoxHook.reset(new ImportHook("user32.dll", "MessageBoxW", reinterpret_cast<void*>(RecordBox)));
    ASSERT_EQ(FetchBaseDir(), 0);
    if (User32.SetLayeredAttributes == NULL) {
        ASSERT_EQ(BindUser32(), 0);
    }
}

void StartFolderTest::TearDown()
{
    if (MainWnd != NULL && IsWindow(MainWnd)) {
        AppSettings.EndFlg = 0;
        DestroyWindow(MainWnd);
    }
    MainWnd = NULL;
    Pump();
    ReleaseText();
    WhileBoxIsUp = nullptr;
    BoxHook.reset();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    SetCurrentDirectoryA(temp);
    RemoveTree(folder_);
}

std::string StartFolderTest::IniPath()
{
    return folder_ + "\\Skerrow.ini";
}

void StartFolderTest::WriteIni(const std::string& text)
{
    WriteText("Skerrow.ini", text);
}

std::string StartFolderTest::ReadIni()
{
    return ReadFileBytes(IniPath());
}

bool StartFolderTest::IniExists()
{
    return FileExists(IniPath());
}

std::string StartFolderTest::WriteText(const std::string& name, const std::string& bytes)
{
    std::string path = folder_ + "\\" + name;
    FILE* f = fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f != nullptr) {
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
    return path;
}

std::string StartFolderTest::ReadFileBytes(const std::string& path)
{
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    fclose(f);
    return text;
}

bool StartFolderTest::FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string StartFolderTest::IniValue(const char* section, const char* key)
{
    char value[512];
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, IniPath().c_str());
    return value;
}

HWND StartFolderTest::StartWindow()
{
    LoadSettings();
    RegisterMainClass(GetModuleHandleA(NULL));
    EXPECT_TRUE(CreateMainWindow(GetModuleHandleA(NULL), SW_SHOWNORMAL));
    FinishWork();
    Pump();
    return MainWnd;
}

int StartFolderTest::OpenFile(const std::string& path)
{
    const bool waits = WorkUnderWay() != NO_WORK;
    OpenCommand(MainWnd, Wide932(path.c_str()).text);
    if (!waits)
        FinishWork();
    return HasText() && path == Narrow932(AppSettings.BackFile) ? 0 : -1;
}

void StartFolderTest::FinishWork()
{
    MSG m;
    while (WorkUnderWay() != NO_WORK) {
        // A slice comes posted, or on a timer when input waited.
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_POSTMESSAGE | QS_TIMER);
        while (PeekMessageA(&m, NULL, WM_LONGWORK, WM_LONGWORK, PM_REMOVE) ||
               PeekMessageA(&m, NULL, WM_TIMER, WM_TIMER, PM_REMOVE))
            DispatchMessageA(&m);
    }
}

void StartFolderTest::Pump()
{
    MSG m;
    while (PeekMessageA(&m, NULL, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT)
            continue;
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}
