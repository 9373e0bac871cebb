#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

#include "base/settings.h"
#include "tests/wine/fixture.h"

namespace {

class SettingsTest : public StartFolderTest {};

TEST_F(SettingsTest, NoFileGivesTheDefaults)
{
    LoadSettings();
    const AppSettingsRecord& s = AppSettings;
    EXPECT_EQ(s.FLAG, 1);
    EXPECT_EQ(s.X, 0);
    EXPECT_EQ(s.Y, 0);
    EXPECT_EQ(s.WIDTH, 600);
    EXPECT_EQ(s.HEIGHT, 50);
    const int options[] = {s.BlankSkip, s.LineDisp, s.LayNum, s.EndFlg, s.ONHOTALT, s.ONHOTCTL, s.ONHOTSFT,
                           s.ONHOTKEY, s.MENUHOTALT, s.MENUHOTCTL, s.MENUHOTSFT, s.MENUHOTKEY};
    for (int v : options)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(s.BorderFlg, 1);
    EXPECT_EQ(s.RunWait, 5);
    EXPECT_EQ(s.TabsCol, 4);
    EXPECT_EQ(s.BackColor, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(s.FontColor, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(s.Font.lfHeight, -13);
    EXPECT_EQ(s.Font.lfWeight, 400);
    EXPECT_EQ(s.Font.lfCharSet, 128);
    EXPECT_EQ(s.Font.lfOutPrecision, 3);
    EXPECT_EQ(s.Font.lfClipPrecision, 2);
    EXPECT_EQ(s.Font.lfQuality, 1);
    EXPECT_EQ(s.Font.lfPitchAndFamily, 49);
    // ＭＳ Ｐゴシック
    EXPECT_STREQ(s.Font.lfFaceName, L"ＭＳ Ｐゴシック");
    EXPECT_EQ(s.BackFlg, 1);
    EXPECT_EQ(s.BackNo, 0);
    EXPECT_STREQ(s.BackFile, L"");
    EXPECT_FALSE(IniExists()) << "reading must not create the file";
}

TEST_F(SettingsTest, StoredValuesAreTakenWithinTheirRanges)
{
    WriteIni(
        "[WINDOW]\r\nFLAG=1\r\nX=-1280\r\nY=-99999\r\nWIDTH=321\r\nHEIGHT=12abc\r\n"
        "[OPTION]\r\nBlankSkip=1\r\nLineDisp=2\r\nBorderFlg=0\r\nLayNum=25\r\nEndFlg=1\r\nRunWait=-3\r\n"
        "TabsCol=0\r\nONHOTALT=1\r\nONHOTKEY=0x41\r\nMENUHOTSFT=7\r\nMENUHOTKEY=300\r\n"
        "[FONT]\r\nBackColor=16777215\r\nFontColor=-1\r\nHeight=-2147483648\r\nWeight=700\r\n"
        "Italic=257\r\nCharSet=384\r\nPitchAndFamily=-1\r\nQuality=\r\n"
        "FaceName=0123456789012345678901234567890123456789\r\n"
        "[BACKUP]\r\nBackFlg=1\r\nBackNo=-4\r\nBackFile=C:\\\x95\x5C\\\x94\x5C.txt\r\n");
    LoadSettings();
    const AppSettingsRecord& s = AppSettings;
    // A number beyond what the program works with becomes the nearer limit.
    EXPECT_EQ(s.X, -1280);
    EXPECT_EQ(s.Y, -32767);
    EXPECT_EQ(s.WIDTH, 321);
    EXPECT_EQ(s.HEIGHT, 12);
    EXPECT_EQ(s.BlankSkip, 1);
    EXPECT_EQ(s.LineDisp, 2);
    EXPECT_EQ(s.BorderFlg, 0);
    EXPECT_EQ(s.LayNum, 20);
    EXPECT_EQ(s.EndFlg, 1);
    EXPECT_EQ(s.RunWait, 1);
    EXPECT_EQ(s.TabsCol, 1);
    EXPECT_EQ(s.ONHOTALT, 1);
    EXPECT_EQ(s.ONHOTKEY, 0x41);
    EXPECT_EQ(s.MENUHOTSFT, 7);
    EXPECT_EQ(s.MENUHOTKEY, 255);
    EXPECT_EQ(s.BackColor, 0xFFFFFFu);
    EXPECT_EQ(s.FontColor, 0u);
    EXPECT_EQ(s.Font.lfHeight, -16384);
    EXPECT_EQ(s.Font.lfWeight, 700);
    // Byte fields keep the low 8 bits; an empty value is the default.
    EXPECT_EQ(s.Font.lfItalic, 1);
    EXPECT_EQ(s.Font.lfCharSet, 128);
    EXPECT_EQ(s.Font.lfPitchAndFamily, 255);
    EXPECT_EQ(s.Font.lfQuality, 1);
    EXPECT_STREQ(s.Font.lfFaceName, L"0123456789012345678901234567890");
    EXPECT_EQ(s.BackNo, -4);
    EXPECT_STREQ(s.BackFile, L"C:\\表\\能.txt");
}

TEST_F(SettingsTest, FlagZeroStartsAtTheDefaultGeometry)
{
    WriteIni("[WINDOW]\r\nFLAG=0\r\nX=300\r\nY=400\r\nWIDTH=700\r\nHEIGHT=90\r\n");
    LoadSettings();
    EXPECT_EQ(AppSettings.FLAG, 0);
    EXPECT_EQ(AppSettings.X, 0);
    EXPECT_EQ(AppSettings.Y, 0);
    EXPECT_EQ(AppSettings.WIDTH, 600);
    EXPECT_EQ(AppSettings.HEIGHT, 50);
}

TEST_F(SettingsTest, OnlyBackFlgOneReadsTheLastText)
{
    const struct {
        const char* backFlg;
        int flag;
        int backNo;
        const wchar_t* backFile;
    } cases[] = {
        {"1", 1, 7, L"D:\\a.txt"},
        {"2", 0, 0, L""},
        {"0", 0, 0, L""},
        {"-1", 0, 0, L""},
    };
    for (const auto& c : cases) {
        WriteIni(std::string("[BACKUP]\r\nBackFlg=") + c.backFlg + "\r\nBackNo=7\r\nBackFile=D:\\a.txt\r\n");
        LoadSettings();
        EXPECT_EQ(AppSettings.BackFlg, c.flag) << "BackFlg=" << c.backFlg;
        EXPECT_EQ(AppSettings.BackNo, c.backNo) << "BackFlg=" << c.backFlg;
        EXPECT_STREQ(AppSettings.BackFile, c.backFile) << "BackFlg=" << c.backFlg;
    }
}

TEST_F(SettingsTest, WrittenKeysReadBackAsWritten)
{
    LoadSettings();
    AppSettings.X = -13;
    AppSettings.BackColor = 0x00FFEEDD;
    AppSettings.RunWait = 999;
    AppSettings.Font.lfCharSet = 0xEE;  // a byte: written unsigned
    wcscpy(AppSettings.BackFile, L"C:\\表\\ソ.txt");
    AppSettings.BackNo = 7;
    SaveSettings(SAVED_AT_EXIT | GENERAL_PAGE | DISPLAY_PAGE | HOTKEY_PAGE);
    EXPECT_EQ(IniValue("WINDOW", "X"), "-13");
    EXPECT_EQ(IniValue("FONT", "BackColor"), "16772829");
    EXPECT_EQ(IniValue("OPTION", "RunWait"), "999");
    EXPECT_EQ(IniValue("FONT", "CharSet"), "238");
    EXPECT_EQ(IniValue("BACKUP", "BackFile"), "C:\\\x95\x5C\\\x83\x5C.txt");

    // Every key written comes back as it was.
    AppSettingsRecord written = AppSettings;
    memset(&AppSettings, 0, sizeof AppSettings);
    LoadSettings();
    EXPECT_EQ(memcmp(&written, &AppSettings, sizeof written), 0);
}

volatile LONG StopReading, Reads, CutShort;

DWORD WINAPI PollFile(void* path)
{
    for (; !StopReading; Sleep(1)) {
        char text[4096] = {};
        FILE* f = fopen(static_cast<const char*>(path), "rb");
        if (f == nullptr)
            continue;
        fread(text, 1, sizeof text - 1, f);
        fclose(f);
        InterlockedIncrement(&Reads);
        if (strstr(text, "[OTHER]\r\nKeep=yes") == nullptr)
            InterlockedIncrement(&CutShort);
    }
    return 0;
}

// A reader polling the file while the place is stored over and over: each
// read finds the whole file, a section the program does not know included.
TEST_F(SettingsTest, AReaderNeverFindsTheFileCutShortWhileItIsStored)
{
    WriteIni("[BACKUP]\r\nBackNo=1\r\n[OTHER]\r\nKeep=yes\r\n");
    LoadSettings();
    const std::string path = IniPath();
    HANDLE reader = CreateThread(NULL, 0, PollFile, const_cast<char*>(path.c_str()), 0, NULL);
    for (AppSettings.BackNo = 2; AppSettings.BackNo < 200; ++AppSettings.BackNo)
        SaveSettings(SAVED_AT_EXIT);
    InterlockedExchange(&StopReading, 1);
    WaitForSingleObject(reader, INFINITE);
    CloseHandle(reader);
    EXPECT_EQ(CutShort, 0) << "of " << Reads << " reads";
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "199");
}

// Kept as written by version 1.0, after the restore of a text from a
// folder named in kanji and OK on all three pages; the General page now
// adds the notation's two keys at the end of [OPTION], the Display page
// the choice of opaque text after them.
TEST_F(SettingsTest, AFileOfVersion1ReadsAndWritesTheSame)
{
    std::string old = ReadFileBytes(TEST_DATA_DIR "/written-by-1.0.ini");
    WriteIni(old);
    LoadSettings();
    EXPECT_STREQ(AppSettings.Font.lfFaceName, L"IPAゴシック");
    EXPECT_STREQ(AppSettings.BackFile, L"C:\\表示\\ソース　ー.txt");
    SaveSettings(SAVED_AT_EXIT | GENERAL_PAGE | DISPLAY_PAGE | HOTKEY_PAGE);
    size_t font = old.find("[FONT]");
    EXPECT_EQ(ReadIni(), old.substr(0, font) + "Notation=1\r\nRubyParen=0\r\nOpaqueText=0\r\n" + old.substr(font));
}

// What code page 932 cannot spell goes under a second key as well; the
// first keeps what an earlier version can read, and counts when the two
// disagree.
TEST_F(SettingsTest, TextsBeyondCodePage932ComeBackWhole)
{
    const std::wstring deep = L"C:\\" + std::wstring(200, L'表');  // fits 259 characters, not 259 bytes
    const struct {
        std::wstring backFile;
        const wchar_t* faceName;
        const char* stored;  // the first key
    } cases[] = {
        {L"C:\\Café\\한.txt", L"맑은 고딕", "C:\\Caf?\\?.txt"},
        {L"C:\\\U0001F600 100%.txt", L"맑은 고딕", "C:\\?? 100%.txt"},
        {deep, L"Arial", NULL},
    };
    for (const auto& c : cases) {
        wcscpy(AppSettings.BackFile, c.backFile.c_str());
        wcscpy(AppSettings.Font.lfFaceName, c.faceName);
        SaveSettings(SAVED_AT_EXIT | DISPLAY_PAGE);
        if (c.stored != NULL) {
            EXPECT_EQ(IniValue("BACKUP", "BackFile"), c.stored);
        }
        LoadSettings();
        EXPECT_EQ(std::wstring(AppSettings.BackFile), c.backFile);
        EXPECT_STREQ(AppSettings.Font.lfFaceName, c.faceName);
    }
    EXPECT_EQ(IniValue("FONT", "FaceNameUtf8"), "<missing>") << "a text the first key holds drops the second";
    // The file's reader trims blanks and drops enclosing quotes: such a text
    // goes under the second key too.
    for (const wchar_t* searched : {L" the ", L"\"x\"", L"'y'", L"\t\"a b\" ", L"\""}) {
        wcscpy(AppSettings.FindHistory[0], searched);
        SaveSettings(FIND_KEYS);
        LoadSettings();
        EXPECT_STREQ(AppSettings.FindHistory[0], searched);
    }
    for (const char* second : {"C:\\Caf%C3%A9.txt", "C:%G0", "%FF"}) {
        WriteIni(std::string("[BACKUP]\r\nBackFile=D:\\a.txt\r\nBackFileUtf8=") + second + "\r\n");
        LoadSettings();
        EXPECT_STREQ(AppSettings.BackFile, L"D:\\a.txt") << second;
    }
}

// A hand-edited or damaged list loads as its sound entries, in order; what
// is written back is the list, a path beyond code page 932 under its
// second key.
TEST_F(SettingsTest, RecentTextsLoadAsTheirSoundEntries)
{
    WriteIni("[RECENT]\r\nFile1=C:\\a.txt\r\nPlace1=12,40,1\r\nSaid1=zz\r\nFile2=C:\\b.txt\r\nPlace2=x\r\n"
             "File4=C:\\A.TXT\r\nPlace4=3,0,0\r\nFile5=C:\\" + std::string(300, 'c') + "\r\nPlace5=1,0,0\r\n"
             "File6=C:\\d.txt\r\nPlace6=2,0,0\r\nPlace7=5,0,0\r\nFile11=C:\\e.txt\r\nPlace11=1,0,0\r\n");
    LoadSettings();
    EXPECT_STREQ(AppSettings.Recent[0].File, L"C:\\a.txt");
    EXPECT_EQ(AppSettings.Recent[0].Place.line, 11u);
    EXPECT_EQ(AppSettings.Recent[0].Place.offset, 40u);
    EXPECT_EQ(AppSettings.Recent[0].Rule, 1);
    EXPECT_EQ(AppSettings.Recent[0].Said, 0u) << "a damaged Said1: not known";
    EXPECT_STREQ(AppSettings.Recent[1].File, L"C:\\d.txt");
    EXPECT_EQ(AppSettings.Recent[2].File[0], L'\0');
    const wchar_t* cafe = L"C:\\Café.txt";
    wcscpy(AppSettings.Recent[1].File, cafe);
    SaveSettings(SAVED_AT_EXIT);
    EXPECT_EQ(IniValue("RECENT", "Place1"), "12,40,1");
    EXPECT_EQ(IniValue("RECENT", "File2"), "C:\\Caf?.txt");
    EXPECT_EQ(IniValue("RECENT", "File4"), "<missing>");
    EXPECT_EQ(IniValue("RECENT", "Said1"), "<missing>") << "written only while known";
    AppSettings.Recent[1].Said = 0xfedcba9876543210ull;
    SaveSettings(SAVED_AT_EXIT);
    char said[64];
    FormatSaid(AppSettings.Recent[1], said, sizeof said);
    EXPECT_EQ(IniValue("RECENT", "Said2"), said);
    LoadSettings();
    EXPECT_STREQ(AppSettings.Recent[1].File, cafe);
    EXPECT_EQ(AppSettings.Recent[1].Said, 0xfedcba9876543210ull);
}

}  // namespace
