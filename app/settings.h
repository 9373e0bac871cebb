// The settings record and its file, Skerrow.ini in the start folder.
// The record is read once at start; from then on memory is authoritative
// and the file is written key by key when a setting is confirmed.
#ifndef SKERROW_APP_SETTINGS_H
#define SKERROW_APP_SETTINGS_H

#include <windows.h>

#include "app/paths.h"

struct AppSettingsRecord {
    // [WINDOW]
    int FLAG;
    int X, Y, WIDTH, HEIGHT;
    // [OPTION]
    int BlankSkip, LineDisp, BorderFlg, LayNum, EndFlg, RunWait, TabsCol;
    int ONHOTALT, ONHOTCTL, ONHOTSFT, ONHOTKEY;
    int MENUHOTALT, MENUHOTCTL, MENUHOTSFT, MENUHOTKEY;
    // [FONT]: the colours and the display font's LOGFONT fields
    COLORREF BackColor, FontColor;
    LOGFONTA Font;
    HFONT DisplayFont;
    // [BACKUP]
    int BackFlg, BackNo;
    char BackFile[PATH_SIZE];
};

extern AppSettingsRecord AppSettings;

// The start folder, ending in one backslash; set once by WinMain.
extern char BaseDir[PATH_SIZE];

void LoadSettings();

// The default display font: 13-pixel "ＭＳ Ｐゴシック", fixed-pitch modern family.
void SetDefaultFont(LOGFONTA* font);

// Writes one key at once, integers formatted with "%d".
void WriteIntKey(const char* section, const char* key, int value);
void WriteStringKey(const char* section, const char* key, const char* value);

#endif
