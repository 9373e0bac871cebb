// The options sheet and the small dialogs of the main window. Each asks,
// shows or edits and hands back what the user chose; the window acts on it.
#ifndef SKERROW_DIALOGS_DIALOGS_H
#define SKERROW_DIALOGS_DIALOGS_H

#include <windows.h>

#include <cstdint>

#include "base/settings.h"

// What the options sheet asks of the window while it is open.
struct OptionsHost {
    // Colours chosen on the Display page, and the whole default look (then
    // withFont, the font too), take effect at once from the edited look and
    // stay for the run whether or not the sheet is confirmed. A font chosen
    // in the chooser waits for OK.
    void (*preview)(const AppSettingsRecord& look, bool withFont);
    // The Hot-key page takes the hot keys away while it is up, so that
    // pressing them types them into its controls.
    void (*releaseHotKeys)();
};

// Besides the SettingGroup bit of each page confirmed with OK, the sheet's
// answer holds these.
enum OptionsOutcome : unsigned {
    OPTIONS_HOTKEYS_RELEASED = 1u << 8,  // they must be registered again
};

// The main window stays usable while the sheet is open, so F12 or the tray
// menu can ask again: true when a sheet is open, which is then brought
// forward; one sheet at a time, or two would edit the same settings and
// take the hot keys away from each other.
bool BringOptionsSheetForward();

// Whether the options sheet is open: the feed waits meanwhile, so that
// lines do not move while the settings that shape them change.
bool OptionsSheetOpen();

// Runs the options sheet. The pages confirmed with OK have written their
// settings into *edited (the other fields are left as they were); the
// answer says which pages those are.
unsigned ShowOptionsSheet(HINSTANCE instance, const OptionsHost& host, AppSettingsRecord* edited);

// The open dialog: 1 = a path was chosen, 0 = cancelled, -1 = the chosen
// path does not fit (path is then empty). path has PATH_SIZE characters.
int AskForFile(HWND owner, wchar_t* path);

// 「目次」: the text's headings (count items, one row each), the one at
// `current` selected; true when the user chose one, its index in *chosen.
// With none, the dialog says so.
bool AskChapter(HWND owner, HINSTANCE instance, const wchar_t* const* items, int count, int current, int* chosen);

// 「しおり」: the text's bookmarks, as AskChapter lists headings. Delete
// takes the selected row out of the list at once, telling removed its row
// (those after it move up), while the list stays up.
bool AskBookmark(HWND owner, HINSTANCE instance, const wchar_t* const* items, int count, int current, int* chosen,
                 void (*removed)(int row));

// What the jump dialog chose: a zero-based line, or a percentage of the
// text (0 to 100) for the window to find the line of.
struct JumpChoice {
    bool percent;
    uint32_t value;
};

// The jump dialog for a text of lineCount lines: true when the user chose
// a line or a share of the text, then in *chosen.
bool AskJumpLine(HWND owner, HINSTANCE instance, uint32_t lineCount, JumpChoice* chosen);

// The find dialog, started from what was searched last (history[0]) and
// the direction and case of *down and *matchCase: true when the user asked
// to find, the text then in query (FIND_TEXT_SIZE characters, not empty).
bool AskFindText(HWND owner, HINSTANCE instance, const wchar_t (*history)[FIND_TEXT_SIZE], wchar_t* query,
                 int* down, int* matchCase);

void ShowFileInfo(HWND owner, HINSTANCE instance);
void ShowVersionDialog(HWND owner, HINSTANCE instance);

// Opens the help file of the start folder; -1 after telling the user why not.
int ShowHelp(HWND owner);

#endif
