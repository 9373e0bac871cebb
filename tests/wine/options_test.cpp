// The options sheet, opened with F12 and driven as a user would: pages
// selected, controls filled, choosers answered, OK or Cancel pressed.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "dialogs/options.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "tests/wine/import_hook.h"
#include "tests/wine/modal_script.h"
#include "window/layout.h"
#include "window/mainwnd.h"
#include "window/view.h"

namespace {

// A look and hot keys unlike the defaults, and a face that is installed
// ("IPAゴシック", the name under which Wine lists it in a Japanese locale).
#define IPA_GOTHIC "IPA\x83\x53\x83\x56\x83\x62\x83\x4E"
const char kSettings[] =
    "[WINDOW]\r\nFLAG=0\r\n"
    "[OPTION]\r\nBlankSkip=1\r\nLineDisp=0\r\nEndFlg=1\r\nRunWait=12\r\nTabsCol=8\r\nLayNum=5\r\nBorderFlg=1\r\n"
    "FeedByLength=1\r\nFeedSpeed=900\r\nLeaveWait=250\r\n"
    "ONHOTKEY=81\r\nONHOTALT=1\r\nONHOTCTL=1\r\nMENUHOTKEY=87\r\nMENUHOTSFT=1\r\n"
    "[FONT]\r\nBackColor=1193046\r\nFontColor=255\r\nHeight=-20\r\nWeight=700\r\nItalic=1\r\nFaceName=" IPA_GOTHIC "\r\n"
    "[BACKUP]\r\nBackFlg=1\r\n";
const char kGeneralKeys[] = "WINDOW/FLAG OPTION/BlankSkip OPTION/LineDisp BACKUP/BackFlg OPTION/EndFlg OPTION/RunWait "
                            "OPTION/TabsCol OPTION/Notation OPTION/RubyParen OPTION/LeaveWait OPTION/FeedByLength OPTION/FeedSpeed ";
const char kDisplayKeys[] = "OPTION/LayNum OPTION/BorderFlg OPTION/OpaqueText OPTION/ProgressLine FONT/BackColor "
                            "FONT/FontColor FONT/Height FONT/Width FONT/Escapement FONT/Orientation FONT/Weight FONT/Italic "
                            "FONT/Underline FONT/StrikeOut FONT/CharSet FONT/OutPrecision FONT/ClipPrecision FONT/Quality "
                            "FONT/PitchAndFamily FONT/FaceName ";
const char kHotKeyKeys[] = "OPTION/ONHOTALT OPTION/ONHOTCTL OPTION/ONHOTSFT OPTION/ONHOTKEY OPTION/MENUHOTALT "
                           "OPTION/MENUHOTCTL OPTION/MENUHOTSFT OPTION/MENUHOTKEY ";
const char kOptionsCaption[] = "\xB5\xCC\xDF\xBC\xAE\xDD\x90\xDD\x92\xE8";  // ｵﾌﾟｼｮﾝ設定
const char kDefaultFace[] = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ Ｐゴシック
const int kColourRed = 706, kColourGreen = 707, kColourBlue = 708, kAddCustomColour = 712;  // colour chooser
const int kFontColours = 0x473, kFontUnderline = 0x411;                                      // font chooser
const int kTestHotKeyId = 0x7001;  // the test's own registration
const char kMenuKeyAlready[] = "Shift+W \x82\xCD\xC0\xBD\xB8\xC4\xDA\xB2\xD2\xC6\xAD\xB0";  // はﾀｽｸﾄﾚｲﾒﾆｭｰ

// Every key the program writes, in order, as "SECTION/Key=value".
std::vector<std::string> Written;
std::vector<PROPSHEETPAGEW> PageRecords;
std::vector<std::string> PageTitles;
PROPSHEETHEADERW SheetHeader;
std::string SheetCaption;
std::vector<CHOOSECOLORA> ColourRecords;
std::vector<std::vector<COLORREF>> CustomAtCall;
std::vector<CHOOSEFONTW> FontRecords;
std::vector<UINT> FeedPeriods;
std::unique_ptr<ImportHook> Hooks[6];

BOOL WINAPI RecordWrite(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR file)
{
    // The call with no section only flushes the file.
    if (section != NULL)
        Written.push_back(Narrow932(section) + "/" + Narrow932(key) + "=" + (value != NULL ? Narrow932(value) : "(deleted)"));
    return Hooks[0]->original<decltype(&WritePrivateProfileStringW)>()(section, key, value, file);
}

HPROPSHEETPAGE WINAPI RecordPage(LPCPROPSHEETPAGEW page)
{
    PageRecords.push_back(*page);
    PageTitles.push_back(Narrow932(page->pszTitle));
    return Hooks[1]->original<decltype(&CreatePropertySheetPageW)>()(page);
}

INT_PTR WINAPI RecordSheet(LPCPROPSHEETHEADERW header)
{
    SheetHeader = *header;
    SheetCaption = Narrow932(header->pszCaption);
    return Hooks[2]->original<decltype(&PropertySheetW)>()(header);
}

BOOL WINAPI RecordColour(LPCHOOSECOLORA choice)
{
    ColourRecords.push_back(*choice);
    CustomAtCall.emplace_back(choice->lpCustColors, choice->lpCustColors + 16);
    return Hooks[3]->original<decltype(&ChooseColorA)>()(choice);
}

BOOL WINAPI RecordFont(LPCHOOSEFONTW choice)
{
    FontRecords.push_back(*choice);
    return Hooks[4]->original<decltype(&ChooseFontW)>()(choice);
}

UINT_PTR WINAPI RecordTimer(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure)
{
    if (window == MainWnd && id == TIMER_AUTOFEED)
        FeedPeriods.push_back(ms);
    return Hooks[5]->original<decltype(&SetTimer)>()(window, id, ms, procedure);
}

class OptionsTest : public StartFolderTest {
protected:
    void SetUp() override
    {
        StartFolderTest::SetUp();
        Written.clear();
        PageRecords.clear();
        PageTitles.clear();
        ColourRecords.clear();
        CustomAtCall.clear();
        FontRecords.clear();
        FeedPeriods.clear();
        Hooks[0].reset(new ImportHook("kernel32.dll", "WritePrivateProfileStringW", (void*)RecordWrite));
        Hooks[1].reset(new ImportHook("comctl32.dll", "CreatePropertySheetPageW", (void*)RecordPage));
        Hooks[2].reset(new ImportHook("comctl32.dll", "PropertySheetW", (void*)RecordSheet));
        Hooks[3].reset(new ImportHook("comdlg32.dll", "ChooseColorA", (void*)RecordColour));
        Hooks[4].reset(new ImportHook("comdlg32.dll", "ChooseFontW", (void*)RecordFont));
        Hooks[5].reset(new ImportHook("user32.dll", "SetTimer", (void*)RecordTimer));
    }
    void TearDown() override
    {
        for (auto& h : Hooks)
            h.reset();
        StartFolderTest::TearDown();
    }

    typedef std::function<bool(HWND sheet)> Step;
    // Opens the sheet with F12, as the user does, and runs the steps on it;
    // true when all of them ran.
    bool WithSheet(std::vector<Step> steps)
    {
        HWND sheet = NULL;
        std::vector<ModalScript::Step> script = {[&sheet] { return (sheet = ActiveDialog()) != NULL; }};
        for (const Step& s : steps)
            script.push_back([&sheet, s] { return s(sheet); });
        ModalScript run(script);
        SendMessageA(MainWnd, WM_KEYDOWN, VK_F12, 0);
        return run.Done();
    }
    static HWND Page(HWND sheet, int index)
    {
        SendMessageA(sheet, PSM_SETCURSEL, index, 0);
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    static bool Press(HWND sheet, int button)
    {
        SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
        return true;
    }
    // The steps that wait for a chooser to come up over the sheet and then act on it.
    static Step OnChooser(std::function<void(HWND chooser)> act)
    {
        return [act](HWND sheet) {
            HWND chooser = ActiveDialog();
            if (chooser == NULL || chooser == sheet)
                return false;
            act(chooser);
            return true;
        };
    }
    static Step BackOnSheet(std::function<void(HWND sheet)> act)
    {
        return [act](HWND sheet) {
            if (ActiveDialog() != sheet)
                return false;
            act(sheet);
            return true;
        };
    }
    // The keys written, without their values.
    static std::string WrittenKeys()
    {
        std::string keys;
        for (const std::string& w : Written)
            keys += w.substr(0, w.find('=')) + " ";
        return keys;
    }
    static std::string WrittenValue(const std::string& key)
    {
        for (const std::string& w : Written)
            if (w.compare(0, key.size() + 1, key + "=") == 0)
                return w.substr(key.size() + 1);
        return "<not written>";
    }
    // Whether the test itself can take a combination: it cannot while the
    // program holds it (error 1409).
    static DWORD TryHotKey(UINT modifiers, UINT key)
    {
        if (RegisterHotKey(NULL, kTestHotKeyId, modifiers, key)) {
            UnregisterHotKey(NULL, kTestHotKeyId);
            return 0;
        }
        return GetLastError();
    }
};

TEST_F(OptionsTest, TheSheetHasThreePagesOkAndCancelAndShowsTheGeneralSettings)
{
    WriteIni(kSettings);
    StartWindow();
    EXPECT_TRUE(WithSheet({[](HWND sheet) {
        EXPECT_EQ(TextOf(sheet).find(kOptionsCaption), 0u) << TextOf(sheet);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, 0x3021))) << "no Apply button";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
        EXPECT_TRUE(IsWindowEnabled(MainWnd)) << "the sheet has no parent";
        // F12 again, or the tray menu's command, opens no second sheet.
        SendMessageA(MainWnd, WM_KEYDOWN, VK_F12, 0);
        SendMessageA(MainWnd, WM_COMMAND, IDM_OPTION, 0);
        EXPECT_EQ(ActiveDialog(), sheet);

        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        const struct {
            int id;
            LRESULT checked;
        } boxes[] = {{IDC_FLAG, 0},   {IDC_BLANKSKIP, 1},    {IDC_LINEDISP, 0}, {IDC_BACKFLG, 1},
                     {IDC_ENDFLG, 1}, {IDC_FEEDBYLENGTH, 1}, {IDC_LEAVEHIDE, 0}};
        for (const auto& b : boxes)
            EXPECT_EQ(SendDlgItemMessageA(page, b.id, BM_GETCHECK, 0, 0), b.checked) << b.id;
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_RUNWAIT)), "12");
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_TABSCOL)), "8");
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_RUNWAIT, EM_GETLIMITTEXT, 0, 0), 3);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_TABSCOL, EM_GETLIMITTEXT, 0, 0), 1);
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_FEEDSPEED)) + TextOf(GetDlgItem(page, IDC_LEAVEWAIT)), "900250");
        // A number is edited only while it is used.
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_RUNWAIT)) || IsWindowEnabled(GetDlgItem(page, IDC_LEAVEWAIT)));
        SendDlgItemMessageA(page, IDC_LEAVEHIDE, BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_FEEDSPEED)) && IsWindowEnabled(GetDlgItem(page, IDC_LEAVEWAIT)));
        return Press(sheet, PSBTN_CANCEL);
    }}));
    EXPECT_TRUE(Written.empty()) << "Cancel stores nothing";

    EXPECT_EQ(SheetHeader.dwSize, 52u);
    EXPECT_EQ(SheetHeader.dwFlags, 0x81u);
    EXPECT_EQ(SheetHeader.hwndParent, HWND(NULL));
    EXPECT_EQ(SheetHeader.hInstance, AppInstance);
    EXPECT_EQ(SheetCaption, kOptionsCaption);
    EXPECT_EQ(SheetHeader.nPages, 3u);
    EXPECT_EQ(SheetHeader.nStartPage, 0u);
    const struct {
        int id;
        const char* title;  // 全般, 表示, ﾎｯﾄｷｰ
    } pages[] = {{IDD_OPT_GENERAL, "\x91\x53\x94\xCA"}, {IDD_OPT_DISPLAY, "\x95\x5C\x8E\xA6"},
                 {IDD_OPT_HOTKEY, "\xCE\xAF\xC4\xB7\xB0"}};
    ASSERT_EQ(PageRecords.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PageRecords[i].dwSize, 48u);
        EXPECT_EQ(PageRecords[i].dwFlags, DWORD(PSP_USETITLE));
        EXPECT_EQ(PageRecords[i].hInstance, AppInstance);
        EXPECT_EQ(PageRecords[i].pszTemplate, MAKEINTRESOURCEW(pages[i].id));
        EXPECT_EQ(PageTitles[i], pages[i].title);
        EXPECT_EQ(PageRecords[i].lParam, 0);
        EXPECT_EQ(PageRecords[i].pfnCallback, nullptr);
    }
}

TEST_F(OptionsTest, OkAtOnceStoresTheNineGeneralKeysInOrderAndShowsTheLineAgain)
{
    WriteIni(kSettings);
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", "first\nsecond\n").c_str()), 0);
    Written.clear();
    EXPECT_TRUE(WithSheet({[](HWND sheet) {
        HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        SendDlgItemMessageA(page, IDC_LINEDISP, BM_CLICK, 0, 0);
        SendDlgItemMessageA(page, IDC_FLAG, BM_CLICK, 0, 0);
        SendDlgItemMessageA(page, IDC_LEAVEHIDE, BM_CLICK, 0, 0);
        SendDlgItemMessageA(page, IDC_FEEDBYLENGTH, BM_CLICK, 0, 0);
        return Press(sheet, PSBTN_OK);
    }}));
    EXPECT_EQ(Written, (std::vector<std::string>{"WINDOW/FLAG=1", "OPTION/BlankSkip=1", "OPTION/LineDisp=1",
                                                 "BACKUP/BackFlg=1", "OPTION/EndFlg=1", "OPTION/RunWait=12",
                                                 "OPTION/TabsCol=8", "OPTION/Notation=1", "OPTION/RubyParen=0",
                                                 "OPTION/LeaveHide=1", "OPTION/LeaveWait=250",
                                                 "OPTION/FeedByLength=(deleted)", "OPTION/FeedSpeed=900"}));
    EXPECT_STREQ(Shown.text, "1: first\n");
}

TEST_F(OptionsTest, NumberFieldsTakeOnlyANumberInRange)
{
    StartWindow();
    enum How { TYPED, PASTED, SET };
    const struct {
        How how;
        const char* interval;
        const char* tabs;
        int runWait, tabsCol;
    } cases[] = {
        {TYPED, "0", "0", 7, 3},        // 0 keeps the value
        {TYPED, "00", "", 7, 3},        // so do 00 and an empty field
        {TYPED, "999", "9", 999, 9},    // the top of each range
        {TYPED, "1234", "12", 123, 1},  // no digit past the limit
        {TYPED, "-4x", "a", 4, 3},      // typed non-digits are refused
        {PASTED, "-5", "-", 7, 3},      // pasted signs keep the value
        {PASTED, "4 2", "x", 7, 3},     // and so do blanks and letters
        {PASTED, "07", "5", 7, 5},
        {SET, "12345", "25", 999, 9},   // too long to type or paste: cut to the range
    };
    for (const auto& c : cases) {
        AppSettings.RunWait = 7;
        AppSettings.TabsCol = 3;
        EXPECT_TRUE(WithSheet({[&c](HWND sheet) {
            HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            const std::pair<int, const char*> fields[] = {{IDC_RUNWAIT, c.interval}, {IDC_TABSCOL, c.tabs}};
            for (const auto& f : fields) {
                HWND edit = GetDlgItem(page, f.first);
                SetWindowTextA(edit, "");
                if (c.how == TYPED)
                    TypeInto(edit, f.second);
                else if (c.how == PASTED)
                    PasteInto(edit, f.second);
                else
                    SetWindowTextA(edit, f.second);
            }
            return Press(sheet, PSBTN_OK);
        }}));
        EXPECT_EQ(AppSettings.RunWait, c.runWait) << c.interval;
        EXPECT_EQ(AppSettings.TabsCol, c.tabsCol) << c.tabs;
        EXPECT_EQ(IniValue("OPTION", "RunWait"), std::to_string(c.runWait));
    }
}

TEST_F(OptionsTest, TheDisplayPageStoresItsKeysAndTakesEffect)
{
    WriteIni(kSettings);
    StartWindow();
    EXPECT_TRUE(WithSheet({[](HWND sheet) {
        HWND page = Page(sheet, 1);
        EXPECT_EQ(TextOf(GetDlgItem(page, IDC_FACENAME)), IPA_GOTHIC);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETRANGEMIN, 0, 0), 0);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETRANGEMAX, 0, 0), 20);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETPOS, 0, 0), 5);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_BORDERFLG, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_PROGRESSLINE, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETPOS, TRUE, 20);
        SendDlgItemMessageA(page, IDC_BORDERFLG, BM_CLICK, 0, 0);
        SendDlgItemMessageA(page, IDC_PROGRESSLINE, BM_CLICK, 0, 0);
        return Press(sheet, PSBTN_OK);
    }}));
    // The General page is shown first and so is stored too, before.
    EXPECT_EQ(WrittenKeys(), std::string(kGeneralKeys) + kDisplayKeys);
    const char* values[][2] = {{"OPTION/LayNum", "20"},  {"OPTION/BorderFlg", "0"}, {"OPTION/OpaqueText", "0"},
                               {"OPTION/ProgressLine", "1"}, {"FONT/BackColor", "1193046"},
                               {"FONT/FontColor", "255"}, {"FONT/Height", "-20"},    {"FONT/Weight", "700"},
                               {"FONT/Italic", "1"},      {"FONT/CharSet", "128"},   {"FONT/PitchAndFamily", "49"},
                               {"FONT/FaceName", IPA_GOTHIC}};
    for (const auto& v : values)
        EXPECT_EQ(WrittenValue(v[0]), v[1]) << v[0];
    BYTE alpha = 255;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(MainWnd, NULL, &alpha, &flags));
    EXPECT_EQ(alpha, 0) << "fully transparent";
    EXPECT_EQ(GetWindowLongA(MainWnd, GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(OptionsTest, TheDefaultLookTakesEffectAtOnceAndOnlyOkStoresIt)
{
    WriteIni(kSettings);
    StartWindow();
    for (int button : {PSBTN_CANCEL, PSBTN_OK}) {
        Written.clear();
        HFONT before = DisplayFont();
        EXPECT_TRUE(WithSheet({[button, before](HWND sheet) {
            HWND page = Page(sheet, 1);
            SendMessageA(page, WM_COMMAND, IDC_DEFAULT, 0);
            EXPECT_EQ(AppSettings.BackColor, GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(AppSettings.FontColor, GetSysColor(COLOR_WINDOWTEXT));
            LOGFONTW shown;
            EXPECT_TRUE(GetObjectW(DisplayFont(), sizeof shown, &shown));
            EXPECT_EQ(Narrow932(shown.lfFaceName), kDefaultFace);
            EXPECT_EQ(shown.lfHeight, -13);
            EXPECT_EQ(GetObjectType(before), 0u) << "the replaced font is deleted";
            EXPECT_EQ(TextOf(GetDlgItem(page, IDC_FACENAME)), Narrow932(shown.lfFaceName));
            return Press(sheet, button);
        }}));
        if (button == PSBTN_CANCEL) {
            EXPECT_EQ(WrittenKeys(), "") << "Cancel stores nothing";
            EXPECT_EQ(AppSettings.BackColor, GetSysColor(COLOR_BTNFACE)) << "yet the look stays for the run";
            EXPECT_EQ(Narrow932(AppSettings.Font.lfFaceName), IPA_GOTHIC) << "the edited font only with OK";
        } else {
            EXPECT_EQ(WrittenValue("FONT/BackColor"), std::to_string(GetSysColor(COLOR_BTNFACE)));
            EXPECT_EQ(WrittenValue("FONT/Height"), "-13");
            EXPECT_EQ(WrittenValue("FONT/Italic"), "0");
            EXPECT_EQ(WrittenValue("FONT/OutPrecision"), "3");
            EXPECT_EQ(WrittenValue("FONT/Quality"), "1");
            EXPECT_EQ(Narrow932(AppSettings.Font.lfFaceName), kDefaultFace);
        }
    }
}

TEST_F(OptionsTest, AChosenBackgroundLastsTheRunButACancelledSheetDoesNotStoreIt)
{
    WriteIni(kSettings);
    StartWindow();
    HBRUSH brushes[2] = {};
    HWND page = NULL;
    const COLORREF chosen = RGB(10, 20, 30), added = RGB(1, 2, 3);
    auto preview = [](HWND page, HBRUSH* brush) {
        HDC dc = GetDC(page);
        *brush = reinterpret_cast<HBRUSH>(
            SendMessageA(page, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)GetDlgItem(page, IDC_FACENAME)));
        LOGBRUSH b;
        EXPECT_TRUE(GetObjectA(*brush, sizeof b, &b));
        EXPECT_EQ(b.lbColor, AppSettings.BackColor);
        EXPECT_EQ(GetBkColor(dc), AppSettings.BackColor);
        EXPECT_EQ(GetTextColor(dc), AppSettings.FontColor);
        // Other static texts are painted as usual, and the brush stays.
        EXPECT_NE(SendMessageA(page, WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)GetDlgItem(page, IDC_BORDERFLG)),
                  (LRESULT)*brush);
        EXPECT_NE(GetObjectType(*brush), 0u);
        ReleaseDC(page, dc);
    };
    EXPECT_TRUE(WithSheet({
        [&](HWND sheet) {
            page = Page(sheet, 1);
            preview(page, &brushes[0]);
            PostMessageA(page, WM_COMMAND, IDC_BACKCOLOR, 0);
            return true;
        },
        OnChooser([=](HWND chooser) {
            // A colour mixed and added to the custom colours, then the one chosen.
            for (COLORREF c : {added, chosen}) {
                SetDlgItemInt(chooser, kColourRed, GetRValue(c), FALSE);
                SetDlgItemInt(chooser, kColourGreen, GetGValue(c), FALSE);
                SetDlgItemInt(chooser, kColourBlue, GetBValue(c), FALSE);
                if (c == added)
                    SendMessageA(chooser, WM_COMMAND, kAddCustomColour, (LPARAM)GetDlgItem(chooser, kAddCustomColour));
            }
            SendMessageA(chooser, WM_COMMAND, IDOK, 0);
        }),
        BackOnSheet([&](HWND) {
            EXPECT_EQ(AppSettings.BackColor, chosen);
            preview(page, &brushes[1]);
            EXPECT_EQ(GetObjectType(brushes[0]), 0u) << "the replaced brush is deleted";
            PostMessageA(page, WM_COMMAND, IDC_BACKCOLOR, 0);
        }),
        OnChooser([](HWND chooser) { SendMessageA(chooser, WM_COMMAND, IDCANCEL, 0); }),
        BackOnSheet([&](HWND sheet) {
            preview(page, &brushes[1]);  // the page's last brush
            Press(sheet, PSBTN_CANCEL);
        }),
    }));
    EXPECT_EQ(AppSettings.BackColor, chosen) << "a cancelled chooser changes nothing";
    EXPECT_EQ(WrittenKeys(), "");
    EXPECT_EQ(IniValue("FONT", "BackColor"), "1193046");
    EXPECT_EQ(GetObjectType(brushes[1]), 0u) << "the last brush goes with the page";

    ASSERT_EQ(ColourRecords.size(), 2u);
    EXPECT_EQ(ColourRecords[0].lStructSize, 36u);
    EXPECT_EQ(ColourRecords[0].Flags, DWORD(CC_RGBINIT | CC_FULLOPEN));
    EXPECT_EQ(ColourRecords[0].hwndOwner, page);
    EXPECT_EQ(ColourRecords[0].rgbResult, COLORREF(1193046));
    EXPECT_EQ(ColourRecords[1].rgbResult, chosen);
    // The colours in use, then white; and a colour added there is offered again.
    std::vector<COLORREF> first(16, RGB(255, 255, 255));
    first[0] = 1193046;
    first[1] = 255;
    EXPECT_EQ(CustomAtCall[0], first);
    EXPECT_EQ(std::count(CustomAtCall[1].begin(), CustomAtCall[1].end(), added), 1);
}

TEST_F(OptionsTest, TheFontChooserGivesTheFaceAndTextColourAndOkStoresThem)
{
    WriteIni(kSettings);
    StartWindow();
    EXPECT_TRUE(WithSheet({
        [](HWND sheet) {
            PostMessageA(Page(sheet, 1), WM_COMMAND, IDC_FONT, 0);
            return true;
        },
        OnChooser([](HWND chooser) {
            SendDlgItemMessageA(chooser, kFontUnderline, BM_CLICK, 0, 0);
            HWND colours = GetDlgItem(chooser, kFontColours);
            for (int i = 0; i < SendMessageA(colours, CB_GETCOUNT, 0, 0); ++i)
                if (SendMessageA(colours, CB_GETITEMDATA, i, 0) == RGB(0, 0, 255))
                    SendMessageA(colours, CB_SETCURSEL, i, 0);
            SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(kFontColours, CBN_SELCHANGE), (LPARAM)colours);
            SendMessageA(chooser, WM_COMMAND, IDOK, 0);
        }),
        BackOnSheet([](HWND sheet) {
            EXPECT_EQ(AppSettings.FontColor, RGB(0, 0, 255)) << "the colour takes effect at once";
            EXPECT_EQ(TextOf(GetDlgItem(Page(sheet, 1), IDC_FACENAME)), IPA_GOTHIC);
            Press(sheet, PSBTN_OK);
        }),
    }));
    ASSERT_EQ(FontRecords.size(), 1u);
    EXPECT_EQ(FontRecords[0].lStructSize, 60u);
    EXPECT_EQ(FontRecords[0].Flags, 0x10141u);
    EXPECT_EQ(FontRecords[0].rgbColors, COLORREF(255));
    EXPECT_EQ(FontRecords[0].nFontType, SCREEN_FONTTYPE);
    EXPECT_EQ(FontRecords[0].hDC, HDC(NULL));
    EXPECT_EQ(WrittenValue("FONT/FontColor"), std::to_string(RGB(0, 0, 255)));
    EXPECT_EQ(WrittenValue("FONT/Underline"), "1");
    EXPECT_EQ(WrittenValue("FONT/FaceName"), IPA_GOTHIC);
    EXPECT_EQ(AppSettings.Font.lfUnderline, 1);
}

TEST_F(OptionsTest, HotKeysAreFreeWhileTheirPageIsShownAndComeBackHoweverTheSheetCloses)
{
    WriteIni(kSettings);  // Ctrl+Alt+Q shows the window, Shift+W the tray menu
    StartWindow();
    const struct {
        bool visit;
        int thenShow;
        const char* close;
    } cases[] = {
        {true, 2, "ok"}, {true, 2, "cancel"}, {true, 0, "esc"}, {true, 1, "close box"}, {false, 1, "cancel"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(TryHotKey(MOD_CONTROL | MOD_ALT, 'Q'), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED));
        EXPECT_TRUE(WithSheet({[&c](HWND sheet) {
            if (c.visit) {
                HWND page = Page(sheet, 2);
                EXPECT_EQ(SendDlgItemMessageA(page, IDC_ONHOTKEY, HKM_GETHOTKEY, 0, 0), 0x651);
                EXPECT_EQ(SendDlgItemMessageA(page, IDC_MENUHOTKEY, HKM_GETHOTKEY, 0, 0), 0x157);
                EXPECT_EQ(TryHotKey(MOD_CONTROL | MOD_ALT, 'Q'), 0u) << "released while the page is up";
                EXPECT_EQ(TryHotKey(MOD_SHIFT, 'W'), 0u);
            }
            Page(sheet, c.thenShow);
            if (strcmp(c.close, "ok") == 0)
                return Press(sheet, PSBTN_OK);
            if (strcmp(c.close, "cancel") == 0)
                return Press(sheet, PSBTN_CANCEL);
            if (strcmp(c.close, "esc") == 0) {
                SetFocus(GetDlgItem(sheet, IDOK));
                PressKey(VK_ESCAPE);
            } else {
                PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return true;
        }})) << c.close;
        EXPECT_EQ(TryHotKey(MOD_CONTROL | MOD_ALT, 'Q'), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED)) << c.close;
        EXPECT_EQ(TryHotKey(MOD_SHIFT, 'W'), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED)) << c.close;
    }
}

// Another program holds Ctrl+Alt+Q: the user is told at start, and OK on
// the Hot-key page with it, or with one combination for two keys, says so
// and keeps the sheet open for another.
TEST_F(OptionsTest, ACombinationHeldElsewhereIsSaidAndAnotherCanBeChosen)
{
    WriteIni(kSettings);  // Ctrl+Alt+Q shows the window, Shift+W the tray menu
    ASSERT_TRUE(RegisterHotKey(NULL, kTestHotKeyId, MOD_CONTROL | MOD_ALT, 'Q'));
    StartWindow();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].text.find("Ctrl+Alt+Q"), std::string::npos) << Boxes[0].text;
    EXPECT_EQ(Boxes[0].text.find("Shift+W"), std::string::npos) << "Shift+W was had";
    EXPECT_EQ(Boxes[0].flags, UINT(MB_ICONWARNING));
    Boxes.clear();
    EXPECT_TRUE(WithSheet({
        [](HWND sheet) {
            Page(sheet, 2);
            return Press(sheet, PSBTN_OK);
        },
        [](HWND sheet) {
            if (Boxes.empty())
                return false;
            EXPECT_NE(Boxes[0].text.find("Ctrl+Alt+Q"), std::string::npos) << Boxes[0].text;
            EXPECT_EQ(WrittenKeys(), "") << "nothing stored while the sheet stays";
            SendDlgItemMessageA(Page(sheet, 2), IDC_ONHOTKEY, HKM_SETHOTKEY, 0x0645, 0);    // Ctrl+Alt+E
            SendDlgItemMessageA(Page(sheet, 2), IDC_NEXTHOTKEY, HKM_SETHOTKEY, 0x0157, 0);  // Shift+W
            return Press(sheet, PSBTN_OK);
        },
        [](HWND sheet) {
            if (Boxes.size() < 2)
                return false;
            EXPECT_NE(Boxes[1].text.find(kMenuKeyAlready), std::string::npos) << Boxes[1].text;
            SendDlgItemMessageA(Page(sheet, 2), IDC_NEXTHOTKEY, HKM_SETHOTKEY, 0x0228, 0);  // Ctrl+Down
            return Press(sheet, PSBTN_OK);
        },
    }));
    EXPECT_EQ(Boxes.size(), 2u);
    EXPECT_EQ(WrittenValue("OPTION/ONHOTKEY") + " " + WrittenValue("OPTION/NEXTHOTKEY") + " " +
                  WrittenValue("OPTION/NEXTHOTCTL") + " " + WrittenValue("OPTION/NEXTHOTALT"), "69 40 1 <not written>");
    EXPECT_EQ(TryHotKey(MOD_CONTROL | MOD_ALT, 'E'), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED));
    UnregisterHotKey(NULL, kTestHotKeyId);
}

TEST_F(OptionsTest, HotKeyValuesAreStoredWithoutTheExtendedFlag)
{
    WriteIni(kSettings);
    StartWindow();
    const struct {
        WORD value;
        const char* stored;  // ONHOTALT ONHOTCTL ONHOTSFT ONHOTKEY
        bool held;           // the program holds Ctrl+Alt+Q afterwards
    } cases[] = {
        {0x0D41, "1 0 1 65", false},  // Shift+Alt+A, extended key flag dropped
        {0x0270, "0 1 0 112", false}, // Ctrl+F1
        {0x0651, "1 1 0 81", true},   // Ctrl+Alt+Q again
        {0x0600, "0 0 0 0", false},   // modifiers without a key: no hot key
        {0, "0 0 0 0", false},        // cleared
    };
    for (const auto& c : cases) {
        Written.clear();
        EXPECT_TRUE(WithSheet({[&c](HWND sheet) {
            HWND page = Page(sheet, 2);
            SendDlgItemMessageA(page, IDC_ONHOTKEY, HKM_SETHOTKEY, c.value, 0);
            SendDlgItemMessageA(page, IDC_MENUHOTKEY, HKM_SETHOTKEY, 0, 0);
            return Press(sheet, PSBTN_OK);
        }}));
        EXPECT_EQ(WrittenKeys(), std::string(kGeneralKeys) + kHotKeyKeys);
        EXPECT_EQ(WrittenValue("OPTION/ONHOTALT") + " " + WrittenValue("OPTION/ONHOTCTL") + " " +
                      WrittenValue("OPTION/ONHOTSFT") + " " + WrittenValue("OPTION/ONHOTKEY"),
                  c.stored);
        EXPECT_EQ(WrittenValue("OPTION/MENUHOTKEY") + WrittenValue("OPTION/MENUHOTSFT"), "00");
        EXPECT_EQ(TryHotKey(MOD_CONTROL | MOD_ALT, 'Q') != 0, c.held) << c.stored;
        EXPECT_EQ(TryHotKey(MOD_SHIFT, 'W'), 0u) << "the cleared hot key is gone";
    }
    EXPECT_EQ(TryHotKey(MOD_CONTROL, VK_F1), 0u) << "Ctrl+F1 was given back when replaced";
}

TEST_F(OptionsTest, TheFeedPausesWhileTheSheetIsOpenAndTheWindowIsPaintedAfter)
{
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", "a\nb\nc\n").c_str()), 0);
    SendMessageA(MainWnd, WM_COMMAND, IDM_AUTOFEED, 0);
    ASSERT_EQ(AutoFlg, 1);
    // OK with a new interval, then Cancel, which keeps it.
    for (int button : {PSBTN_OK, PSBTN_CANCEL}) {
        FeedPeriods.clear();
        ValidateRect(MainWnd, NULL);
        EXPECT_TRUE(WithSheet({[button](HWND sheet) {
            SendMessageA(MainWnd, WM_KEYDOWN, VK_DOWN, 0);  // a line shown meanwhile
            EXPECT_FALSE(KillTimer(MainWnd, TIMER_AUTOFEED)) << "no feed while the sheet is open";
            HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            SetDlgItemTextA(page, IDC_RUNWAIT, "");
            TypeInto(GetDlgItem(page, IDC_RUNWAIT), button == PSBTN_OK ? "9" : "3");
            return Press(sheet, button);
        }}));
        ASSERT_FALSE(FeedPeriods.empty());
        EXPECT_EQ(FeedPeriods.back(), 9000u);
        EXPECT_TRUE(KillTimer(MainWnd, TIMER_AUTOFEED)) << "the feed runs again";
        SetTimer(MainWnd, TIMER_AUTOFEED, 9000, NULL);
        EXPECT_TRUE(GetUpdateRect(MainWnd, NULL, FALSE));
    }
}

}  // namespace
