#include "base/settings.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/escape.h"
#include "base/wide.h"
#include "res/resource.h"

AppSettingsRecord AppSettings;
wchar_t BaseDir[PATH_SIZE];

#define HOT_KEY_FIELDS(prefix) \
    {&AppSettingsRecord::prefix##HOTKEY, &AppSettingsRecord::prefix##HOTALT, &AppSettingsRecord::prefix##HOTCTL, \
     &AppSettingsRecord::prefix##HOTSFT}
const GlobalHotKey GLOBAL_HOT_KEYS[GLOBAL_HOT_KEY_COUNT] = {
    {HOTKEY_SHOW, IDC_ONHOTKEY, "一覧表示ｷｰ", HOT_KEY_FIELDS(ON)},
    {HOTKEY_MENU, IDC_MENUHOTKEY, "ﾀｽｸﾄﾚｲﾒﾆｭｰ表示ｷｰ", HOT_KEY_FIELDS(MENU)},
    {HOTKEY_NEXT, IDC_NEXTHOTKEY, "次の行ｷｰ", HOT_KEY_FIELDS(NEXT)},
    {HOTKEY_PREV, IDC_PREVHOTKEY, "前の行ｷｰ", HOT_KEY_FIELDS(PREV)},
    {HOTKEY_FEED, IDC_FEEDHOTKEY, "自動送りｷｰ", HOT_KEY_FIELDS(FEED)},
};
#undef HOT_KEY_FIELDS

namespace {

// A place is a recent text's "line,offset,rule" (ParsePlace): its field
// is the whole entry, which it leaves out when it is not sound. What the
// entry's line says (ParseSaid), the encoding chosen for it (ParseChosen)
// and its bookmarks (ParseMarks) have the whole entry for their field too,
// read after the path and the place they are checked against.
enum SettingKind { INT_KEY, BYTE_KEY, TEXT_KEY, PLACE_KEY, SAID_KEY, CHOSEN_KEY, MARKS_KEY };

// Keys read only when the key before them allows it; otherwise they take
// their default without the file being consulted.
enum ReadWhen { ALWAYS, WHEN_PLACE_KEPT, WHEN_RESTORE_OFFERED };

const int NO_COLOUR = -1;
// Windows' coordinates, and a font's height and width in pixels, stay
// well inside these; beyond them the sums made of them overflow.
const int SCREEN_LIMIT = 32767;
const int FONT_LIMIT = 16384;

struct Setting {
    const char* section;
    const char* key;
    SettingKind kind;
    size_t field;  // offset in AppSettingsRecord
    size_t size;   // bytes of a text field, terminating zero included
    int def;       // integers and bytes
    int defColour; // a system colour index read at load time, or NO_COLOUR
    const char* defText;  // code page 932
    // What the pages accept, and what a value read is brought into.
    int least, most;
    unsigned groups;
    ReadWhen readWhen;
    // A key that goes without saying: written only while it differs from
    // its default. A sparse text is read whole or not at all.
    bool sparse;
    // The field at this offset is the default (NO_FIELD: def is).
    size_t impliedBy;
    // A page edits the field; the others follow the text.
    bool edited;
};

const size_t NO_FIELD = static_cast<size_t>(-1);

#define FIELD(name) offsetof(AppSettingsRecord, name)
#define KEY_INT(section, key, name, def, least, most, groups, when) \
    {section, key, INT_KEY, FIELD(name), sizeof(int), def, NO_COLOUR, NULL, least, most, groups, when, false, NO_FIELD, true}
#define KEY_SPARSE(section, key, name, implied, least, most, groups, when) \
    {section, key, INT_KEY, FIELD(name), sizeof(int), 0, NO_COLOUR, NULL, least, most, groups, when, true, implied, false}
// A page's key that a file written before it existed goes without: written
// only while the user has chosen other than its default.
#define KEY_QUIET(key, name, def, least, most, groups) \
    {"OPTION", key, INT_KEY, FIELD(name), sizeof(int), def, NO_COLOUR, NULL, least, most, groups, ALWAYS, true, NO_FIELD, true}
#define KEY_BYTE(key, name, def) \
    {"FONT", key, BYTE_KEY, FIELD(Font.name), 1, def, NO_COLOUR, NULL, 0, 255, DISPLAY_PAGE, ALWAYS, false, NO_FIELD, true}
#define KEY_COLOUR(key, name, sysColour) \
    {"FONT", key, INT_KEY, FIELD(name), sizeof(COLORREF), 0, sysColour, NULL, 0, INT_MAX, DISPLAY_PAGE, ALWAYS, false, NO_FIELD, true}
#define KEY_TEXT(section, key, name, def, groups, when) \
    {section, key, TEXT_KEY, FIELD(name), sizeof(static_cast<AppSettingsRecord*>(NULL)->name), 0, NO_COLOUR, def, 0, 0, groups, when, false, NO_FIELD, true}
#define KEY_RECENT(n) \
    {"RECENT", "File" #n, TEXT_KEY, FIELD(Recent[n - 1].File), sizeof(wchar_t) * PATH_SIZE, 0, NO_COLOUR, "", 0, 0, SAVED_AT_EXIT, ALWAYS, true, NO_FIELD, false}, \
    {"RECENT", "Place" #n, PLACE_KEY, FIELD(Recent[n - 1]), sizeof(RecentText), 0, NO_COLOUR, NULL, 0, 0, SAVED_AT_EXIT, ALWAYS, true, NO_FIELD, false}, \
    {"RECENT", "Said" #n, SAID_KEY, FIELD(Recent[n - 1]), sizeof(RecentText), 0, NO_COLOUR, NULL, 0, 0, SAVED_AT_EXIT, ALWAYS, true, NO_FIELD, false}, \
    {"RECENT", "Code" #n, CHOSEN_KEY, FIELD(Recent[n - 1]), sizeof(RecentText), 0, NO_COLOUR, NULL, 0, 0, SAVED_AT_EXIT, ALWAYS, true, NO_FIELD, false}, \
    {"RECENT", "Marks" #n, MARKS_KEY, FIELD(Recent[n - 1]), sizeof(RecentText), 0, NO_COLOUR, NULL, 0, 0, SAVED_AT_EXIT, ALWAYS, true, NO_FIELD, false}

// In the order the keys are written. Every writer writes its group in this
// order, which keeps each writer's own order of keys (and so, in a new
// file, the order of the sections and of the keys in them). A key that
// gates others comes before them.
const Setting SETTINGS[] = {
    KEY_INT("WINDOW", "FLAG", FLAG, 1, 0, 1, SAVED_AT_EXIT | GENERAL_PAGE, ALWAYS),
    KEY_INT("WINDOW", "X", X, 0, -SCREEN_LIMIT, SCREEN_LIMIT, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "Y", Y, 0, -SCREEN_LIMIT, SCREEN_LIMIT, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "WIDTH", WIDTH, 600, 0, SCREEN_LIMIT, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("WINDOW", "HEIGHT", HEIGHT, 50, 0, SCREEN_LIMIT, SAVED_AT_EXIT, WHEN_PLACE_KEPT),
    KEY_INT("OPTION", "BlankSkip", BlankSkip, 0, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "LineDisp", LineDisp, 0, 0, 1, GENERAL_PAGE | LINE_NUMBER_KEY, ALWAYS),
    KEY_INT("BACKUP", "BackFlg", BackFlg, 1, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("BACKUP", "BackNo", BackNo, 0, INT_MIN, INT_MAX, SAVED_AT_EXIT, WHEN_RESTORE_OFFERED),
    KEY_TEXT("BACKUP", "BackFile", BackFile, "", SAVED_AT_EXIT, WHEN_RESTORE_OFFERED),
    // Written by the General page too: a new BlankSkip may make it needed.
    // A rule the program does not know keeps blank lines where it is read.
    KEY_SPARSE("BACKUP", "BackSkip", BackSkip, FIELD(BlankSkip), INT_MIN, INT_MAX, SAVED_AT_EXIT | GENERAL_PAGE,
               WHEN_RESTORE_OFFERED),
    KEY_SPARSE("BACKUP", "BackPos", BackPos, NO_FIELD, 0, INT_MAX, SAVED_AT_EXIT, WHEN_RESTORE_OFFERED),
    KEY_INT("OPTION", "EndFlg", EndFlg, 0, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "RunWait", RunWait, 5, 1, 999, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "TabsCol", TabsCol, 4, 1, 9, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "Notation", Notation, 1, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_INT("OPTION", "RubyParen", RubyParen, 0, 0, 1, GENERAL_PAGE, ALWAYS),
    KEY_QUIET("LeaveHide", LeaveHide, 0, 0, 1, GENERAL_PAGE),
    KEY_QUIET("LeaveWait", LeaveWait, 800, 0, 10000, GENERAL_PAGE),
    KEY_QUIET("FeedByLength", FeedByLength, 0, 0, 1, GENERAL_PAGE),
    KEY_QUIET("FeedSpeed", FeedSpeed, 500, 60, 6000, GENERAL_PAGE),
    KEY_INT("OPTION", "LayNum", LayNum, 0, 0, 20, DISPLAY_PAGE, ALWAYS),
    KEY_INT("OPTION", "BorderFlg", BorderFlg, 1, 0, 1, DISPLAY_PAGE, ALWAYS),
    KEY_INT("OPTION", "OpaqueText", OpaqueText, 0, 0, 1, DISPLAY_PAGE, ALWAYS),
    KEY_QUIET("ProgressLine", ProgressLine, 0, 0, 1, DISPLAY_PAGE),
    KEY_INT("OPTION", "ONHOTALT", ONHOTALT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTCTL", ONHOTCTL, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTSFT", ONHOTSFT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "ONHOTKEY", ONHOTKEY, 0, 0, 255, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTALT", MENUHOTALT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTCTL", MENUHOTCTL, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTSFT", MENUHOTSFT, 0, 0, 1, HOTKEY_PAGE, ALWAYS),
    KEY_INT("OPTION", "MENUHOTKEY", MENUHOTKEY, 0, 0, 255, HOTKEY_PAGE, ALWAYS),
    KEY_QUIET("NEXTHOTALT", NEXTHOTALT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("NEXTHOTCTL", NEXTHOTCTL, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("NEXTHOTSFT", NEXTHOTSFT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("NEXTHOTKEY", NEXTHOTKEY, 0, 0, 255, HOTKEY_PAGE),
    KEY_QUIET("PREVHOTALT", PREVHOTALT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("PREVHOTCTL", PREVHOTCTL, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("PREVHOTSFT", PREVHOTSFT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("PREVHOTKEY", PREVHOTKEY, 0, 0, 255, HOTKEY_PAGE),
    KEY_QUIET("FEEDHOTALT", FEEDHOTALT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("FEEDHOTCTL", FEEDHOTCTL, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("FEEDHOTSFT", FEEDHOTSFT, 0, 0, 1, HOTKEY_PAGE),
    KEY_QUIET("FEEDHOTKEY", FEEDHOTKEY, 0, 0, 255, HOTKEY_PAGE),
    KEY_COLOUR("BackColor", BackColor, COLOR_BTNFACE),
    KEY_COLOUR("FontColor", FontColor, COLOR_WINDOWTEXT),
    KEY_INT("FONT", "Height", Font.lfHeight, -13, -FONT_LIMIT, FONT_LIMIT, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Width", Font.lfWidth, 0, -FONT_LIMIT, FONT_LIMIT, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Escapement", Font.lfEscapement, 0, -3600, 3600, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Orientation", Font.lfOrientation, 0, -3600, 3600, DISPLAY_PAGE, ALWAYS),
    KEY_INT("FONT", "Weight", Font.lfWeight, 400, 0, 1000, DISPLAY_PAGE, ALWAYS),
    KEY_BYTE("Italic", lfItalic, 0),
    KEY_BYTE("Underline", lfUnderline, 0),
    KEY_BYTE("StrikeOut", lfStrikeOut, 0),
    KEY_BYTE("CharSet", lfCharSet, SHIFTJIS_CHARSET),
    KEY_BYTE("OutPrecision", lfOutPrecision, OUT_STROKE_PRECIS),
    KEY_BYTE("ClipPrecision", lfClipPrecision, CLIP_STROKE_PRECIS),
    KEY_BYTE("Quality", lfQuality, DRAFT_QUALITY),
    KEY_BYTE("PitchAndFamily", lfPitchAndFamily, FF_MODERN | FIXED_PITCH),
    KEY_TEXT("FONT", "FaceName", Font.lfFaceName, "ＭＳ Ｐゴシック", DISPLAY_PAGE, ALWAYS),
    KEY_INT("FIND", "Down", FindDown, 1, 0, 1, FIND_KEYS, ALWAYS),
    KEY_INT("FIND", "MatchCase", FindCase, 0, 0, 1, FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text1", FindHistory[0], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text2", FindHistory[1], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text3", FindHistory[2], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text4", FindHistory[3], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text5", FindHistory[4], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text6", FindHistory[5], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text7", FindHistory[6], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text8", FindHistory[7], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text9", FindHistory[8], "", FIND_KEYS, ALWAYS),
    KEY_TEXT("FIND", "Text10", FindHistory[9], "", FIND_KEYS, ALWAYS),
    KEY_RECENT(1), KEY_RECENT(2), KEY_RECENT(3), KEY_RECENT(4), KEY_RECENT(5),
    KEY_RECENT(6), KEY_RECENT(7), KEY_RECENT(8), KEY_RECENT(9), KEY_RECENT(10),
};

#undef FIELD
#undef KEY_INT
#undef KEY_SPARSE
#undef KEY_QUIET
#undef KEY_BYTE
#undef KEY_COLOUR
#undef KEY_TEXT
#undef KEY_RECENT

static_assert(sizeof(LONG) == sizeof(int) && sizeof(COLORREF) == sizeof(int), "32-bit fields");

// BaseDir always leaves room for the file name (see MakeBaseDir).
void SettingsPath(wchar_t* path)
{
    wmemset(path, L'\0', PATH_SIZE);
    wcscpy(path, BaseDir);
    wcscat(path, L"Skerrow.ini");
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

int DefaultOf(const AppSettingsRecord& s, const Setting& row)
{
    if (row.impliedBy != NO_FIELD) {
        int implied;
        memcpy(&implied, reinterpret_cast<const char*>(&s) + row.impliedBy, sizeof implied);
        return implied;
    }
    return row.defColour != NO_COLOUR ? static_cast<int>(GetSysColor(row.defColour)) : row.def;
}

void SetDefault(AppSettingsRecord* s, const Setting& row)
{
    if (row.kind == TEXT_KEY) {
        memset(FieldOf(s, row), 0, row.size);
        WideFrom932(row.defText, -1, reinterpret_cast<wchar_t*>(FieldOf(s, row)),
                    static_cast<int>(row.size / sizeof(wchar_t)));
    } else {
        SetInt(s, row, DefaultOf(*s, row));
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

// The file is reached through the wide calls, so that the start folder may
// have any name; its values still pass through the system's ANSI code page
// exactly as the ANSI calls pass them, so that the file's bytes are those
// every earlier copy of the program wrote and read.

// Code page 932 takes at most two bytes for each UTF-16 unit.
const size_t STORED_TEXT_SIZE = 2 * PATH_SIZE;
// A path in UTF-8, escaped: up to three bytes a unit, three characters a byte.
const size_t ESCAPED_TEXT_SIZE = 9 * PATH_SIZE;
// The second key of a text key is its name with this after it.
const char UNICODE_KEY_SUFFIX[] = "Utf8";

// Names of sections and keys are ASCII.
struct WideName {
    wchar_t text[32];
    explicit WideName(const char* name) { MultiByteToWideChar(CP_ACP, 0, name, -1, text, 32); }
};

// A value's bytes as the ANSI call would read them: the file's text through
// the ANSI code page. *found is false when the key is missing.
void ReadBytes(const char* section, const char* key, char* out, size_t size, const wchar_t* path, bool* found)
{
    wchar_t wide[ESCAPED_TEXT_SIZE];
    // A default no value can hold tells a missing key from an empty one.
    const wchar_t MISSING[] = L"\x01";
    GetPrivateProfileStringW(WideName(section).text, WideName(key).text, MISSING, wide, ESCAPED_TEXT_SIZE, path);
    *found = wcscmp(wide, MISSING) != 0;
    // A value too long for out is cut, as the ANSI call cuts it, but at a
    // whole character.
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, NULL, 0, NULL, NULL) > static_cast<int>(size))
        wide[(size - 1) / 2] = L'\0';
    memset(out, 0, size);
    if (*found && WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(size), NULL, NULL) == 0)
        memset(out, 0, size);
}

// Writes bytes (NULL: deletes the key) as the ANSI call would.
void WriteBytes(const char* section, const char* key, const char* bytes, const wchar_t* path)
{
    wchar_t wide[ESCAPED_TEXT_SIZE];
    if (bytes != NULL)
        MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide, ESCAPED_TEXT_SIZE);
    WritePrivateProfileStringW(WideName(section).text, WideName(key).text, bytes != NULL ? wide : NULL, path);
}

// Deletes a key that is there: a file without it stays as it was.
void DeleteKey(const char* section, const char* key, const wchar_t* path)
{
    char value[ESCAPED_TEXT_SIZE];
    bool found = false;
    ReadBytes(section, key, value, sizeof value, path, &found);
    if (found)
        WriteBytes(section, key, NULL, path);
}

// What reading back bytes written through the ANSI code page gives: the
// reader also trims blanks around a value and drops a pair of quotes
// around what is left.
void ReadBack(const char* bytes, char* out, size_t size)
{
    wchar_t wide[STORED_TEXT_SIZE];
    memset(out, 0, size);
    if (MultiByteToWideChar(CP_ACP, 0, bytes, -1, wide, STORED_TEXT_SIZE) == 0 ||
        WideCharToMultiByte(CP_ACP, 0, wide, -1, out, static_cast<int>(size), NULL, NULL) == 0) {
        memset(out, 0, size);
        return;
    }
    const char BLANKS[] = " \t\n\v\f\r\x1A";
    size_t start = strspn(out, BLANKS), end = strlen(out);
    while (end > start && strchr(BLANKS, out[end - 1]) != NULL)
        --end;
    if (end - start >= 2 && (out[start] == '"' || out[start] == '\'') && out[end - 1] == out[start]) {
        ++start;
        --end;
    }
    memmove(out, out + start, end - start);
    memset(out + (end - start), 0, size - (end - start));
}

// The code page 932 form of a text value, '?' for what it cannot spell, into
// out (STORED_TEXT_SIZE bytes). True when that form holds the value whole:
// every character spelt, within the bytes the field had when it was code page
// 932 (one per character of the wide field now), and read back unchanged.
bool StoredForm(const wchar_t* value, size_t fieldChars, char* out)
{
    memset(out, 0, STORED_TEXT_SIZE);
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(PROGRAM_CODE_PAGE, WC_NO_BEST_FIT_CHARS, value, -1, out, STORED_TEXT_SIZE, "?", &lost);
    if (n == 0)
        memset(out, 0, STORED_TEXT_SIZE);
    char back[STORED_TEXT_SIZE];
    ReadBack(out, back, sizeof back);
    return n > 0 && !lost && strlen(out) < fieldChars && strcmp(back, out) == 0;
}

void UnicodeKey(const Setting& row, char* key, size_t size)
{
    snprintf(key, size, "%s%s", row.key, UNICODE_KEY_SUFFIX);
}

// The text in the second key, when there is one and it still belongs to
// the first: an earlier copy of the program may have written the first key
// since, and leaves the second alone.
bool ReadUnicodeKey(const Setting& row, const char* stored, wchar_t* field, size_t fieldChars, const wchar_t* path)
{
    char escaped[ESCAPED_TEXT_SIZE], utf8[ESCAPED_TEXT_SIZE];
    char key[64];
    UnicodeKey(row, key, sizeof key);
    bool found = false;
    ReadBytes(row.section, key, escaped, sizeof escaped, path, &found);
    if (!found || !UnescapeBytes(escaped, utf8, sizeof utf8))
        return false;
    wchar_t value[ESCAPED_TEXT_SIZE];
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, value, ESCAPED_TEXT_SIZE) == 0 ||
        wcslen(value) >= fieldChars)
        return false;
    char form[STORED_TEXT_SIZE], back[STORED_TEXT_SIZE];
    StoredForm(value, fieldChars, form);
    ReadBack(form, back, sizeof back);
    if (strcmp(back, stored) != 0)
        return false;
    wcscpy(field, value);
    return true;
}

void LoadText(AppSettingsRecord* s, const Setting& row, const wchar_t* path)
{
    wchar_t* field = reinterpret_cast<wchar_t*>(FieldOf(s, row));
    size_t chars = row.size / sizeof(wchar_t);
    char stored[STORED_TEXT_SIZE];
    bool found = false;
    ReadBytes(row.section, row.key, stored, sizeof stored, path, &found);
    if (!found)
        strcpy(stored, row.defText);
    wmemset(field, L'\0', chars);
    if (found && ReadUnicodeKey(row, stored, field, chars, path))
        return;
    if (row.sparse && strlen(stored) >= chars)
        return;
    // As the field held it when it was code page 932: cut to its bytes.
    stored[chars - 1] = '\0';
    WideFrom932(stored, -1, field, static_cast<int>(chars));
}

// The first key gets the code page 932 form; the second key the text
// itself, only when the first cannot hold it, and it goes when it can.
void SaveText(const AppSettingsRecord& s, const Setting& row, const wchar_t* path)
{
    const wchar_t* value = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(&s) + row.field);
    char stored[STORED_TEXT_SIZE], escaped[ESCAPED_TEXT_SIZE], utf8[ESCAPED_TEXT_SIZE];
    char key[64];
    UnicodeKey(row, key, sizeof key);
    if (row.sparse && value[0] == L'\0') {
        DeleteKey(row.section, row.key, path);
        DeleteKey(row.section, key, path);
        return;
    }
    bool held = StoredForm(value, row.size / sizeof(wchar_t), stored);
    WriteBytes(row.section, row.key, stored, path);
    if (!held && WideCharToMultiByte(CP_UTF8, 0, value, -1, utf8, sizeof utf8, NULL, NULL) > 0 &&
        EscapeBytes(utf8, escaped, sizeof escaped)) {
        WriteBytes(row.section, key, escaped, path);
        return;
    }
    DeleteKey(row.section, key, path);
}

void LoadPlace(AppSettingsRecord* s, const Setting& row, const wchar_t* path)
{
    RecentText* entry = reinterpret_cast<RecentText*>(FieldOf(s, row));
    char text[64];
    bool found = false;
    ReadBytes(row.section, row.key, text, sizeof text, path, &found);
    ParsePlace(found ? text : "", &entry->Place, &entry->Rule);
}

void SavePlace(const AppSettingsRecord& s, const Setting& row, const wchar_t* path)
{
    const RecentText* entry = reinterpret_cast<const RecentText*>(reinterpret_cast<const char*>(&s) + row.field);
    if (entry->File[0] == L'\0') {
        DeleteKey(row.section, row.key, path);
        return;
    }
    char text[64];
    FormatPlace(entry->Place, entry->Rule, text, sizeof text);
    WriteBytes(row.section, row.key, text, path);
}

// What an entry's line says, the encoding chosen for it and its
// bookmarks: read after the path and place they are checked against,
// written only while the entry has them, so that a file without these keys
// reads and stays as before.
void LoadBeside(AppSettingsRecord* s, const Setting& row, const wchar_t* path)
{
    RecentText* entry = reinterpret_cast<RecentText*>(FieldOf(s, row));
    char text[MARKS_TEXT_SIZE];
    bool found = false;
    ReadBytes(row.section, row.key, text, sizeof text, path, &found);
    if (row.kind == SAID_KEY)
        entry->Said = found ? ParseSaid(text, *entry) : 0;
    else if (row.kind == CHOSEN_KEY)
        entry->Chosen = found ? ParseChosen(text, *entry) : NONE_CHOSEN;
    else
        ParseMarks(found ? text : "", entry);
}

void SaveBeside(const AppSettingsRecord& s, const Setting& row, const wchar_t* path)
{
    const RecentText* entry = reinterpret_cast<const RecentText*>(reinterpret_cast<const char*>(&s) + row.field);
    char text[MARKS_TEXT_SIZE] = "";
    if (entry->File[0] != L'\0' && row.kind == SAID_KEY && entry->Said != 0)
        FormatSaid(*entry, text, sizeof text);
    if (entry->File[0] != L'\0' && row.kind == CHOSEN_KEY && entry->Chosen != NONE_CHOSEN)
        FormatChosen(*entry, text, sizeof text);
    if (entry->File[0] != L'\0' && row.kind == MARKS_KEY)
        FormatMarks(*entry, text, sizeof text);
    if (text[0] == '\0')
        DeleteKey(row.section, row.key, path);
    else
        WriteBytes(row.section, row.key, text, path);
}

// A number beyond the row's limits becomes the nearer limit. An on/off key
// stays as it stands: every other number has a meaning where it is read.
int WithinLimits(const Setting& row, int value)
{
    if (row.least == 0 && row.most == 1)
        return value;
    return value < row.least ? row.least : value > row.most ? row.most : value;
}

void Load(AppSettingsRecord* s, const Setting& row, const wchar_t* path)
{
    if (row.kind == PLACE_KEY) {
        LoadPlace(s, row, path);
    } else if (row.kind == SAID_KEY || row.kind == CHOSEN_KEY || row.kind == MARKS_KEY) {
        LoadBeside(s, row, path);
    } else if (!Consulted(*s, row)) {
        SetDefault(s, row);
    } else if (row.kind == TEXT_KEY) {
        LoadText(s, row, path);
    } else {
        const int value = static_cast<int>(GetPrivateProfileIntW(WideName(row.section).text,
                                                                 WideName(row.key).text, DefaultOf(*s, row), path));
        SetInt(s, row, row.kind == INT_KEY ? WithinLimits(row, value) : value);
    }
    // Only exactly 1 offers the last text; anything else is taken as 0.
    if (row.field == offsetof(AppSettingsRecord, BackFlg) && s->BackFlg != 1)
        s->BackFlg = 0;
}

// Every key of a store is written into this copy of the file, which then
// takes the file's place whole: each key written rewrites the whole file,
// and a reader, a kill or a power cut in between would find it cut short.
void DraftPath(wchar_t* path)
{
    wmemset(path, L'\0', PATH_SIZE);
    wcscpy(path, BaseDir);
    wcscat(path, L"Skerrow.in~");
}

// The draft starts as the file, or empty while there is none: a draft left
// by a store that was cut off must not come back.
bool StartDraft(const wchar_t* path, const wchar_t* draft)
{
    if (CopyFileW(path, draft, FALSE))
        return true;
    return GetLastError() == ERROR_FILE_NOT_FOUND && (DeleteFileW(draft) || GetLastError() == ERROR_FILE_NOT_FOUND);
}

// The draft on the disk first, then over the file in one step, so that the
// file is the old one or the new one, each whole. Where the file cannot be
// replaced (a program holds it open), the draft is copied into it.
void ReplaceWithDraft(const wchar_t* draft, const wchar_t* path)
{
    // The profile functions may hold the file's text to write it later.
    WritePrivateProfileStringW(NULL, NULL, NULL, draft);
    HANDLE h = CreateFileW(draft, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(h);
        CloseHandle(h);
    }
    // Another program reading the file holds it for a moment, and a file
    // held open cannot be replaced.
    for (int tries = 0; tries < 20; ++tries) {
        if (MoveFileExW(draft, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return;
        Sleep(1);
    }
    CopyFileW(draft, path, FALSE);
    DeleteFileW(draft);
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
    wchar_t path[PATH_SIZE];
    SettingsPath(path);
    for (const Setting& row : SETTINGS)
        Load(&AppSettings, row, path);
    TidyRecent(AppSettings.Recent);
}

void SaveSettings(unsigned group)
{
    wchar_t path[PATH_SIZE], draft[PATH_SIZE];
    SettingsPath(path);
    DraftPath(draft);
    const bool drafted = StartDraft(path, draft);
    // A file that cannot be copied is written where it stands, as it always was.
    const wchar_t* target = drafted ? draft : path;
    for (const Setting& row : SETTINGS) {
        if ((row.groups & group) == 0)
            continue;
        if (row.kind == TEXT_KEY) {
            SaveText(AppSettings, row, target);
        } else if (row.kind == PLACE_KEY) {
            SavePlace(AppSettings, row, target);
        } else if (row.kind == SAID_KEY || row.kind == CHOSEN_KEY || row.kind == MARKS_KEY) {
            SaveBeside(AppSettings, row, target);
        } else if (row.sparse && IntOf(AppSettings, row) == DefaultOf(AppSettings, row)) {
            DeleteKey(row.section, row.key, target);
        } else {
            char text[16];
            snprintf(text, sizeof text, "%d", IntOf(AppSettings, row));
            WriteBytes(row.section, row.key, text, target);
        }
    }
    if (drafted)
        ReplaceWithDraft(draft, path);
}

void CopySettings(unsigned group, const AppSettingsRecord& from, AppSettingsRecord* to)
{
    // A key that goes without saying follows the text, not a page.
    for (const Setting& row : SETTINGS)
        if ((row.groups & group) && row.edited)
            memcpy(FieldOf(to, row), reinterpret_cast<const char*>(&from) + row.field, row.size);
}

void SettingLimits(size_t field, int* least, int* most)
{
    const Setting* row = FindSetting(field);
    *least = row != NULL ? row->least : 0;
    *most = row != NULL ? row->most : 0;
}

void SetDefaultFont(LOGFONTW* font)
{
    // The font's defaults are those of its rows.
    AppSettingsRecord defaults;
    memset(&defaults, 0, sizeof defaults);
    for (const Setting& row : SETTINGS)
        if (row.field >= offsetof(AppSettingsRecord, Font) &&
            row.field < offsetof(AppSettingsRecord, Font) + sizeof(LOGFONTW))
            SetDefault(&defaults, row);
    *font = defaults.Font;
}
