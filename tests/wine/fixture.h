// Shared ground of the in-process tests: a fresh start folder per test, the
// message boxes recorded and answered, and the main window made as the
// program makes it.
#ifndef SKERROW_TESTS_WINE_FIXTURE_H
#define SKERROW_TESTS_WINE_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct BoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

// Every box shown, in order, and the answers to give them (IDCANCEL when
// the test gave none).
extern std::vector<BoxCall> Boxes;
extern std::deque<int> BoxAnswers;
// Runs while a box is up, before it is answered, as the user's other
// actions would run in the box's message loop.
extern std::function<void(const BoxCall&)> WhileBoxIsUp;

// A text the program passed to a wide call, as the code page 932 bytes it
// was made from (length characters; -1: up to its terminating zero).
std::string Narrow932(const wchar_t* text, int length = -1);

class StartFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Skerrow.ini (the text is taken as bytes) before the start.
    void WriteIni(const std::string& text);
    std::string ReadIni();
    bool IniExists();
    // Writes a file under the test's folder and returns its full path.
    std::string WriteText(const std::string& name, const std::string& bytes);
    static std::string ReadFileBytes(const std::string& path);
    static bool FileExists(const std::string& path);
    std::string IniPath();
    // Reads one key back through the private-profile functions.
    std::string IniValue(const char* section, const char* key);

    // LoadSettings and the main window, as the program starts them, the
    // restore's work run to its end.
    HWND StartWindow();
    // Opens a file as a dropped one is opened, its work run to its end
    // unless other work was under way: 0 when it is then the open text, -1
    // when it is not.
    int OpenFile(const std::string& path);
    // Runs the slices of the work under way, and nothing else, until it is over.
    void FinishWork();
    // Runs the window's queued messages (not WM_QUIT, which is dropped).
    void Pump();

    std::string folder_;
};

#endif
