// The settings record and its file, Skerrow.ini in the start folder.
// The record is read once at start; from then on memory is authoritative
// and the file is written, a group of keys at a time, when settings are
// confirmed and at exit. The file's values are code page 932 text, as every
// earlier copy of the program wrote them; a text that code page 932 cannot
// spell also goes under a second key. Every key is named in one table
// (settings.cpp): loading, saving, the pages' limits and copying a page's
// fields all go by it.
#ifndef SKERROW_BASE_SETTINGS_H
#define SKERROW_BASE_SETTINGS_H

#include <windows.h>

#include <cstddef>

#include "base/paths.h"
#include "base/recent.h"

// The texts searched that are offered again, and the longest one.
const int FIND_HISTORY_COUNT = 10;
const size_t FIND_TEXT_SIZE = 128;

struct AppSettingsRecord {
    // [WINDOW]
    int FLAG;
    int X, Y, WIDTH, HEIGHT;
    // [OPTION]
    int BlankSkip, LineDisp, BorderFlg, LayNum, EndFlg, RunWait, TabsCol;
    // A text in Aozora Bunko's notation read as read (1), its ruby in
    // parentheses after its base (RubyParen 1) rather than left out.
    int Notation, RubyParen;
    // The text and the grip kept opaque while the rest takes LayNum's
    // transparency (1), rather than the whole window faded alike.
    int OpaqueText;
    // A line along the bottom of the text as long as the share of the text
    // before the piece shown (1).
    int ProgressLine;
    // Hidden once the pointer has been away LeaveWait ms (LeaveHide 1).
    int LeaveHide, LeaveWait;
    // The feed stays on a line or piece as long as its characters take to
    // read at FeedSpeed a minute (FeedByLength 1), rather than RunWait.
    int FeedByLength, FeedSpeed;
    int ONHOTALT, ONHOTCTL, ONHOTSFT, ONHOTKEY;
    int MENUHOTALT, MENUHOTCTL, MENUHOTSFT, MENUHOTKEY;
    // Global keys that step to the next and the previous line and switch
    // the feed, whatever application has the keyboard.
    int NEXTHOTALT, NEXTHOTCTL, NEXTHOTSFT, NEXTHOTKEY;
    int PREVHOTALT, PREVHOTCTL, PREVHOTSFT, PREVHOTKEY;
    int FEEDHOTALT, FEEDHOTCTL, FEEDHOTSFT, FEEDHOTKEY;
    // [FONT]: the colours and the display font's LOGFONT fields
    COLORREF BackColor, FontColor;
    LOGFONTW Font;
    // [BACKUP]
    int BackFlg, BackNo;
    wchar_t BackFile[PATH_SIZE];
    // The BlankSkip rule BackNo counts lines by: the one the open text was
    // indexed with, which a later change of BlankSkip leaves alone. In the
    // file only while it differs from BlankSkip.
    int BackSkip;
    // Where in line BackNo the piece shown begins (ReadingPlace.offset); in
    // the file only while it is not 0, the line's start.
    int BackPos;
    // [FIND]: the texts searched, the newest first, and how
    wchar_t FindHistory[FIND_HISTORY_COUNT][FIND_TEXT_SIZE];
    int FindDown, FindCase;
    // [RECENT]: the texts opened last, newest first, each with its place;
    // the open text's entry follows it (StorePlace).
    RecentText Recent[RECENT_COUNT];
};

extern AppSettingsRecord AppSettings;

// A global hot key: its id (HOTKEY_...), its control on the Hot-key page,
// the name the user knows it by there, and its fields in the record: the
// virtual-key code (0: no hot key), then whether it needs Alt, Ctrl, Shift.
struct GlobalHotKey {
    int id;
    int controlId;
    const char* label;
    int AppSettingsRecord::*fields[4];
};
const int GLOBAL_HOT_KEY_COUNT = 5;
// In the order of the page's rows, which is the order they are checked,
// registered and reported in.
extern const GlobalHotKey GLOBAL_HOT_KEYS[GLOBAL_HOT_KEY_COUNT];

// The start folder, ending in one backslash; set once at start.
extern wchar_t BaseDir[PATH_SIZE];

// The groups of keys written together: at exit, by each page of the options
// sheet when it is confirmed, by the line-number key, and by a find.
enum SettingGroup : unsigned {
    SAVED_AT_EXIT = 1u << 0,
    GENERAL_PAGE = 1u << 1,
    DISPLAY_PAGE = 1u << 2,
    HOTKEY_PAGE = 1u << 3,
    LINE_NUMBER_KEY = 1u << 4,
    FIND_KEYS = 1u << 5,
};

// Reads every key into AppSettings (the recent texts tidied: TidyRecent).
void LoadSettings();

// Writes the keys of the group from AppSettings, in the table's order,
// integers with "%d". A failed write is silent.
void SaveSettings(unsigned group);

// Copies the fields of the group's keys that its page edits from one
// record to another.
void CopySettings(unsigned group, const AppSettingsRecord& from, AppSettingsRecord* to);

// The values a page accepts for the integer field at the given offset in
// AppSettingsRecord (offsetof), as the table gives them.
void SettingLimits(size_t field, int* least, int* most);

// The default display font: 13-pixel "ＭＳ Ｐゴシック", fixed-pitch modern family.
void SetDefaultFont(LOGFONTW* font);

#endif
