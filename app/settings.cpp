#include "app/settings.h"

#include <cstdio>
#include <cstring>

AppSettingsRecord AppSettings;
char BaseDir[PATH_SIZE];

namespace {

// BaseDir always leaves room for the file name (see MakeBaseDir).
void SettingsPath(char* path)
{
    memset(path, 0, PATH_SIZE);
    snprintf(path, PATH_SIZE, "%s%s", BaseDir, "Skerrow.ini");
}

int ReadInt(const char* path, const char* section, const char* key, int def)
{
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, path));
}

BYTE ReadByte(const char* path, const char* key, BYTE def)
{
    return static_cast<BYTE>(ReadInt(path, "FONT", key, def) & 0xFF);
}

}  // namespace

void SetDefaultFont(LOGFONTA* font)
{
    memset(font, 0, sizeof *font);
    font->lfHeight = -13;
    font->lfWeight = 400;
    font->lfCharSet = SHIFTJIS_CHARSET;
    font->lfOutPrecision = OUT_STROKE_PRECIS;
    font->lfClipPrecision = CLIP_STROKE_PRECIS;
    font->lfQuality = DRAFT_QUALITY;
    font->lfPitchAndFamily = FF_MODERN | FIXED_PITCH;
    strcpy(font->lfFaceName, "ＭＳ Ｐゴシック");
}

void LoadSettings()
{
    char path[PATH_SIZE];
    SettingsPath(path);
    AppSettingsRecord& s = AppSettings;

    s.FLAG = ReadInt(path, "WINDOW", "FLAG", 1);
    if (s.FLAG != 0) {
        s.X = ReadInt(path, "WINDOW", "X", 0);
        s.Y = ReadInt(path, "WINDOW", "Y", 0);
        s.WIDTH = ReadInt(path, "WINDOW", "WIDTH", 600);
        s.HEIGHT = ReadInt(path, "WINDOW", "HEIGHT", 50);
    } else {
        s.X = 0;
        s.Y = 0;
        s.WIDTH = 600;
        s.HEIGHT = 50;
    }

    s.BlankSkip = ReadInt(path, "OPTION", "BlankSkip", 0);
    s.LineDisp = ReadInt(path, "OPTION", "LineDisp", 0);
    s.BorderFlg = ReadInt(path, "OPTION", "BorderFlg", 1);
    s.LayNum = ReadInt(path, "OPTION", "LayNum", 0);
    s.EndFlg = ReadInt(path, "OPTION", "EndFlg", 0);
    s.RunWait = ReadInt(path, "OPTION", "RunWait", 5);
    s.TabsCol = ReadInt(path, "OPTION", "TabsCol", 4);
    s.ONHOTALT = ReadInt(path, "OPTION", "ONHOTALT", 0);
    s.ONHOTCTL = ReadInt(path, "OPTION", "ONHOTCTL", 0);
    s.ONHOTSFT = ReadInt(path, "OPTION", "ONHOTSFT", 0);
    s.ONHOTKEY = ReadInt(path, "OPTION", "ONHOTKEY", 0);
    s.MENUHOTALT = ReadInt(path, "OPTION", "MENUHOTALT", 0);
    s.MENUHOTCTL = ReadInt(path, "OPTION", "MENUHOTCTL", 0);
    s.MENUHOTSFT = ReadInt(path, "OPTION", "MENUHOTSFT", 0);
    s.MENUHOTKEY = ReadInt(path, "OPTION", "MENUHOTKEY", 0);

    s.BackColor = static_cast<COLORREF>(ReadInt(path, "FONT", "BackColor", static_cast<int>(GetSysColor(COLOR_BTNFACE))));
    s.FontColor = static_cast<COLORREF>(ReadInt(path, "FONT", "FontColor", static_cast<int>(GetSysColor(COLOR_WINDOWTEXT))));
    LOGFONTA def;
    SetDefaultFont(&def);
    LOGFONTA& f = s.Font;
    memset(&f, 0, sizeof f);
    f.lfHeight = ReadInt(path, "FONT", "Height", def.lfHeight);
    f.lfWidth = ReadInt(path, "FONT", "Width", def.lfWidth);
    f.lfEscapement = ReadInt(path, "FONT", "Escapement", def.lfEscapement);
    f.lfOrientation = ReadInt(path, "FONT", "Orientation", def.lfOrientation);
    f.lfWeight = ReadInt(path, "FONT", "Weight", def.lfWeight);
    f.lfItalic = ReadByte(path, "Italic", def.lfItalic);
    f.lfUnderline = ReadByte(path, "Underline", def.lfUnderline);
    f.lfStrikeOut = ReadByte(path, "StrikeOut", def.lfStrikeOut);
    f.lfCharSet = ReadByte(path, "CharSet", def.lfCharSet);
    f.lfOutPrecision = ReadByte(path, "OutPrecision", def.lfOutPrecision);
    f.lfClipPrecision = ReadByte(path, "ClipPrecision", def.lfClipPrecision);
    f.lfQuality = ReadByte(path, "Quality", def.lfQuality);
    f.lfPitchAndFamily = ReadByte(path, "PitchAndFamily", def.lfPitchAndFamily);
    GetPrivateProfileStringA("FONT", "FaceName", def.lfFaceName, f.lfFaceName, LF_FACESIZE, path);
    s.DisplayFont = CreateFontIndirectA(&f);

    s.BackNo = 0;
    memset(s.BackFile, 0, sizeof s.BackFile);
    s.BackFlg = ReadInt(path, "BACKUP", "BackFlg", 1);
    if (s.BackFlg == 1) {
        s.BackNo = ReadInt(path, "BACKUP", "BackNo", 0);
        GetPrivateProfileStringA("BACKUP", "BackFile", "", s.BackFile, sizeof s.BackFile, path);
    } else {
        s.BackFlg = 0;
    }
}

void WriteIntKey(const char* section, const char* key, int value)
{
    char path[PATH_SIZE];
    char text[16];
    SettingsPath(path);
    snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(section, key, text, path);
}

void WriteStringKey(const char* section, const char* key, const char* value)
{
    char path[PATH_SIZE];
    SettingsPath(path);
    WritePrivateProfileStringA(section, key, value, path);
}
