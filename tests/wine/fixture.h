// Shared ground of the in-process tests: a fresh start folder per test, the
// message boxes recorded and answered, and the main window made as the
// program makes it.
#ifndef SKERROW_TESTS_WINE_FIXTURE_H
#define SKERROW_TESTS_WINE_FIXTURE_H

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
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

class StartFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes Skerrow.ini (the text is taken as bytes) before the start.
    void WriteIni(const std::string& text);
    std::string ReadIni();
    bool IniExists();
    std::string IniPath();
    // Reads one key back through the private-profile functions.
    std::string IniValue(const char* section, const char* key);

    // LoadSettings and the main window, as the program starts them.
    HWND StartWindow();
    // Runs the window's queued messages (not WM_QUIT, which is dropped).
    void Pump();

    std::string folder_;
};

#endif
