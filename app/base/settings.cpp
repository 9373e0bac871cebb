#include "app/base/settings.h"

#include <climits>
#include <cstdio>
#include <cstring>

AppSettingsRecord AppSettings;
char BaseDir[PATH_SIZE];

namespace {

enum SettingKind { INT_KEY, BYTE_KEY, TEXT_KEY };

// Keys read only when the key before them allows it; otherwise they take
// their default without the file being consulted.
enum ReadWhen { ALWAYS, WHEN_PLACE_KEPT, WHEN_RESTORE_OFFERED };

const int NO_COLOUR = -1;

struct Setting {
    const char* section;
    const char* key;
    SettingKind kind;
    size_t field;  // offset in AppSettingsRecord
    size_t size;   // bytes of a text field, terminating zero included
    int def;       // integers and bytes
    int defColour; // a system colour index read at load time, or NO_COLOUR
    const char* defText;
    int least, most;  // what the pages accept
    unsigned groups;
    ReadWhen readWhen;
};

#define FIELD(name) offsetof(AppSettingsRecord, name)
#define KEY_INT(section, key, name, def, least, most, groups, when) \
    {section, key, INT_KEY, FIELD(name), sizeof(int), def, NO_COLOUR, NULL, least, most, groups, when}
#define KEY_BYTE(key, name, def) \
    {"FONT", key, BYTE_KEY, FIELD(Font.name), 1, def, NO_COLOUR, NULL, 0, 255, DISPLAY_PAGE, ALWAYS}
#define KEY_COLOUR(key, name, sysColour) \
    {"FONT", key, INT_KEY, FIELD(name), sizeof(COLORREF), 0, sysColour, NULL, 0, INT_MAX, DISPLAY_PAGE, ALWAYS}
#define KEY_TEXT(section, key, name, def, groups, when) \
    {section, key, TEXT_KEY, FIELD(name), sizeof(static_cast<AppSettingsRecord*>(NULL)->name), 0, NO_COLOUR, def, 0, 0, groups, when}

// In the order the keys are written. Every writer writes its group in this
// order, which keeps each writer's own order of keys (and so, in a new
// file, the order of the sections and of the keys in them). A key that
// gates others comes before them.
const Setting SETTINGS[] = {
    KEY_INT("WINDOW", "FLAG", FLAG, 1, 0, 1, SAVED_AT_EXIT | GENERAL_PAGE, ALWAYS),
    KEY_INT("WINDOW", "X", X, 0, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "Y", Y, 0, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "WIDTH", WIDTH, 600, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "HEIGHT", HEIGHT, 50, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("OPTION", "BlankSkip", BlankSkip, 0, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "LineDisp", LineDisp, 0, 0, 1, GENERAL_PAGE | LINE_NUMBER_KEY, ALWAYS),
    KEY_INT("BACKUP", "BackFlg", BackFlg, 1, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("BACKUP", "BackNo", BackNo, 0, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_RESTORE_OFFERED),
    KEY_TEXT("BACKUP", "BackFile", BackFile, "", SAVED_AT_EXIT, WHEN_RESTORE_OFFERED),
    KEY_INT("OPTION", "EndFlg", EndFlg, 0, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "RunWait", RunWait, 5, 1, 999, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "TabsCol", TabsCol, 4, 1, 9, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "LayNum", LayNum, 0, 0, 20, DISPLAY_PAGE, ALWAYS),
    KEY_INT("OPTION", "BorderFlg", BorderFlg, 1, 0, 1, DISPLAY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTALT", ONHOTALT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTCTL", ONHOTCTL, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTSFT", ONHOTSFT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTKEY", ONHOTKEY, 0, 0, 255, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTALT", MENUHOTALT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTCTL", MENUHOTCTL, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTSFT", MENUHOTSFT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTKEY", MENUHOTKEY, 0, 0, 255, HOTKEY_PAGE, ALWAYS),
    KEY_COLOUR("BackColor", BackColor, COLOR_BTNFACE),
    KEY_COLOUR("FontColor", FontColor, COLOR_WINDOWTEXT),
    KEY_INT("FONT", "Height", Font.lfHeight, -13, INT_MIN, INT_MAX, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Width", Font.lfWidth, 0, INT_MIN, INT_MAX, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Escapement", Font.lfEscapement, 0, INT_MIN, INT_MAX, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Orientation", Font.lfOrientation, 0, INT_MIN, INT_MAX, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Weight", Font.lfWeight, 400, INT_MIN, INT_MAX, DISPLAY_PAGE, ALWAYS),
    KEY_BYTE("Italic", lfItalic, 0),
    KEY_BYTE("Underline", lfUnderline, 0),
    KEY_BYTE("StrikeOut", lfStrikeOut, 0),
    KEY_BYTE("CharSet", lfCharSet, SHIFTJIS_CHARSET),
    KEY_BYTE("OutPrecision", lfOutPrecision, OUT_STROKE_PRECIS),
    KEY_BYTE("ClipPrecision", lfClipPrecision, CLIP_STROKE_PRECIS),
    KEY_BYTE("Quality", lfQuality, DRAFT_QUALITY),
    KEY_BYTE("PitchAndFamily", lfPitchAndFamily, FF_MODERN | FIXED_PITCH),
    KEY_TEXT("FONT", "FaceName", Font.lfFaceName, "ＭＳ Ｐゴシック", DISPLAY_PAGE, ALWAYS),
};

#undef FIELD
#undef KEY_INT
#undef KEY_BYTE
#undef KEY_COLOUR
#undef KEY_TEXT

static_assert(sizeof(LONG) == sizeof(int) && sizeof(COLORREF) == sizeof(int), "32-bit fields");

// BaseDir always leaves room for the file name (see MakeBaseDir).
void SettingsPath(char* path)
{
    memset(path, 0, PATH_SIZE);
    snprintf(path, PATH_SIZE, "%s%s", BaseDir, "Skerrow.ini");
}

char* FieldOf(AppSettingsRecord* s, const Setting& row)
{
    return reinterpret_cast<char*>(s) + row.field;
}

int IntOf(const AppSettingsRecord& s, const Setting& row)
{
    const char* at = reinterpret_cast<const char*>(&s) + row.field;
    if (row.kind == BYTE_KEY)
        return static_cast<unsigned char>(*at);
    int value;
    memcpy(&value, at, sizeof value);
    return value;
}

// Bytes keep the low 8 bits of what is read.
void SetInt(AppSettingsRecord* s, const Setting& row, int value)
{
    if (row.kind == BYTE_KEY)
        *FieldOf(s, row) = static_cast<char>(value & 0xFF);
    else
        memcpy(FieldOf(s, row), &value, sizeof value);
}

int DefaultOf(const Setting& row)
{
    return row.defColour != NO_COLOUR ? static_cast<int>(GetSysColor(row.defColour)) : row.def;
}

void SetDefault(AppSettingsRecord* s, const Setting& row)
{
    if (row.kind == TEXT_KEY) {
        memset(FieldOf(s, row), 0, row.size);
        strncpy(FieldOf(s, row), row.defText, row.size - 1);
    } else {
        SetInt(s, row, DefaultOf(row));
    }
}

bool Consulted(const AppSettingsRecord& s, const Setting& row)
{
    switch (row.readWhen) {
    case WHEN_PLACE_KEPT: return s.FLAG != 0;
    case WHEN_RESTORE_OFFERED: return s.BackFlg == 1;
    default: return true;
    }
}

void Load(AppSettingsRecord* s, const Setting& row, const char* path)
{
    if (!Consulted(*s, row)) {
        SetDefault(s, row);
    } else if (row.kind == TEXT_KEY) {
        memset(FieldOf(s, row), 0, row.size);
        GetPrivateProfileStringA(row.section, row.key, row.defText, FieldOf(s, row), row.size, path);
    } else {
        SetInt(s, row, static_cast<int>(GetPrivateProfileIntA(row.section, row.key, DefaultOf(row), path)));
    }
    // Only exactly 1 offers the last text; anything else is taken as 0.
    if (row.field == offsetof(AppSettingsRecord, BackFlg) && s->BackFlg != 1)
        s->BackFlg = 0;
}

const Setting* FindSetting(size_t field)
{
    for (const Setting& row : SETTINGS)
        if (row.field == field)
            return &row;
    return NULL;
}

}  // namespace

void LoadSettings()
{
    char path[PATH_SIZE];
    SettingsPath(path);
    for (const Setting& row : SETTINGS)
        Load(&AppSettings, row, path);
    AppSettings.DisplayFont = CreateFontIndirectA(&AppSettings.Font);
}

void SaveSettings(unsigned group)
{
    char path[PATH_SIZE];
    SettingsPath(path);
    for (const Setting& row : SETTINGS) {
        if ((row.groups & group) == 0)
            continue;
        if (row.kind == TEXT_KEY) {
            WritePrivateProfileStringA(row.section, row.key, FieldOf(&AppSettings, row), path);
        } else {
            char text[16];
            snprintf(text, sizeof text, "%d", IntOf(AppSettings, row));
            WritePrivateProfileStringA(row.section, row.key, text, path);
        }
    }
}

void CopySettings(unsigned group, const AppSettingsRecord& from, AppSettingsRecord* to)
{
    for (const Setting& row : SETTINGS)
        if (row.groups & group)
            memcpy(FieldOf(to, row), reinterpret_cast<const char*>(&from) + row.field, row.size);
}

void SettingLimits(size_t field, int* least, int* most)
{
    const Setting* row = FindSetting(field);
    *least = row != NULL ? row->least : 0;
    *most = row != NULL ? row->most : 0;
}

void SetDefaultFont(LOGFONTA* font)
{
    // The font's defaults are those of its rows.
    AppSettingsRecord defaults;
    memset(&defaults, 0, sizeof defaults);
    for (const Setting& row : SETTINGS)
        if (row.field >= offsetof(AppSettingsRecord, Font) &&
            row.field < offsetof(AppSettingsRecord, Font) + sizeof(LOGFONTA))
            SetDefault(&defaults, row);
    *font = defaults.Font;
}
