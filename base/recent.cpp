#include "base/recent.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

wchar_t Folded(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool Separator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The last `parts` parts of path (the name alone for 1), or the whole.
const wchar_t* Tail(const wchar_t* path, int parts)
{
    const wchar_t* p = path + wcslen(path);
    while (p > path && !(Separator(p[-1]) && --parts == 0))
        --p;
    return p;
}

// A whole decimal number of at most nine digits at *text, passed.
bool Number(const char** text, uint32_t* value)
{
    const char* p = *text;
    *value = 0;
    while (*p >= '0' && *p <= '9' && p - *text < 9)
        *value = *value * 10 + static_cast<uint32_t>(*p++ - '0');
    if (p == *text || (*p >= '0' && *p <= '9'))
        return false;
    *text = p;
    return true;
}

}  // namespace

uint32_t EntryCheck(const wchar_t* path, const uint32_t* units, size_t n)
{
    uint32_t hash = 2166136261u;
    const auto mix = [&hash](uint32_t unit) {
        for (int shift = 0; shift < 32; shift += 8)
            hash = (hash ^ ((unit >> shift) & 0xff)) * 16777619u;
    };
    for (const wchar_t* p = path; *p != L'\0'; ++p)
        mix(static_cast<uint32_t>(Folded(*p)));
    for (size_t i = 0; i < n; ++i)
        mix(units[i]);
    return hash;
}

namespace {

uint32_t SaidCheck(const RecentText& entry)
{
    const uint32_t units[] = {entry.Place.line, entry.Place.offset, static_cast<uint32_t>(entry.Rule),
                              static_cast<uint32_t>(entry.Said), static_cast<uint32_t>(entry.Said >> 32)};
    return EntryCheck(entry.File, units, sizeof units / sizeof units[0]);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Exactly `digits` hex digits at *text, passed.
bool Hex(const char** text, int digits, uint64_t* value)
{
    *value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = HexDigit((*text)[i]);
        if (d < 0)
            return false;
        *value = *value << 4 | static_cast<uint64_t>(d);
    }
    *text += digits;
    return true;
}

}  // namespace

bool SameFile(const wchar_t* a, const wchar_t* b)
{
    for (; *a != L'\0' && Folded(*a) == Folded(*b); ++a, ++b) {
    }
    return Folded(*a) == Folded(*b);
}

int FindRecent(const RecentText* list, const wchar_t* path)
{
    for (int k = 0; k < RECENT_COUNT && list[k].File[0] != L'\0'; ++k)
        if (SameFile(list[k].File, path))
            return k;
    return -1;
}

void RememberText(RecentText* list, const RecentText& entry)
{
    if (entry.File[0] == L'\0')
        return;
    const int k = FindRecent(list, entry.File);
    memmove(list + 1, list, (k < 0 ? RECENT_COUNT - 1 : k) * sizeof *list);
    list[0] = entry;
}

void ForgetRecent(RecentText* list, int k)
{
    if (k < 0 || k >= RECENT_COUNT)
        return;
    memmove(list + k, list + k + 1, (RECENT_COUNT - 1 - k) * sizeof *list);
    memset(list + RECENT_COUNT - 1, 0, sizeof *list);
}

void TidyRecent(RecentText* list)
{
    RecentText sound[RECENT_COUNT];
    memset(sound, 0, sizeof sound);
    int kept = 0;
    for (int k = 0; k < RECENT_COUNT; ++k) {
        const RecentText& e = list[k];
        if (e.File[0] != L'\0' && e.Place.line != UINT32_MAX && FindRecent(sound, e.File) < 0)
            sound[kept++] = e;
    }
    memcpy(list, sound, sizeof sound);
}

bool ParsePlace(const char* text, ReadingPlace* place, int* rule)
{
    uint32_t line = 0, offset = 0, r = 0;
    bool sound = Number(&text, &line) && line > 0 && *text++ == ',' && Number(&text, &offset) && *text++ == ',' &&
                 Number(&text, &r) && r <= 2 && *text == '\0';
    *place = ReadingPlace{sound ? line - 1 : UINT32_MAX, sound ? offset : 0};
    *rule = sound ? static_cast<int>(r) : 0;
    return sound;
}

void FormatPlace(const ReadingPlace& place, int rule, char* out, size_t size)
{
    snprintf(out, size, "%lu,%lu,%d", static_cast<unsigned long>(place.line) + 1,
             static_cast<unsigned long>(place.offset), rule);
}

uint64_t ParseSaid(const char* text, const RecentText& entry)
{
    uint64_t said = 0, check = 0;
    if (!Hex(&text, 16, &said) || *text++ != ',' || !Hex(&text, 8, &check) || *text != '\0')
        return 0;
    RecentText checked = entry;
    checked.Said = said;
    return check == SaidCheck(checked) ? said : 0;
}

void FormatSaid(const RecentText& entry, char* out, size_t size)
{
    snprintf(out, size, "%08lx%08lx,%08lx", static_cast<unsigned long>(entry.Said >> 32),
             static_cast<unsigned long>(entry.Said & 0xffffffffu), static_cast<unsigned long>(SaidCheck(entry)));
}

namespace {

uint32_t ChosenCheck(const RecentText& entry, int chosen)
{
    const uint32_t unit = static_cast<uint32_t>(chosen);
    return EntryCheck(entry.File, &unit, 1);
}

uint32_t MarksCheck(const wchar_t* path, int rule, const Bookmarks& marks)
{
    uint32_t units[1 + 2 * BOOKMARK_MOST];
    units[0] = static_cast<uint32_t>(rule);
    for (uint32_t i = 0; i < marks.count; ++i) {
        units[1 + 2 * i] = marks.at[i].line;
        units[2 + 2 * i] = marks.at[i].offset;
    }
    return EntryCheck(path, units, 1 + 2 * marks.count);
}

}  // namespace

int ParseChosen(const char* text, const RecentText& entry)
{
    const char* comma = strchr(text, ',');
    uint64_t check = 0;
    if (comma == NULL)
        return NONE_CHOSEN;
    const char* digits = comma + 1;
    if (!Hex(&digits, 8, &check) || *digits != '\0')
        return NONE_CHOSEN;
    for (int e = 0; e < TEXT_ENCODINGS; ++e) {
        const int chosen = ChoiceOf(static_cast<TextEncoding>(e));
        if (strlen(ENCODING_NAMES[e]) == static_cast<size_t>(comma - text) &&
            strncmp(text, ENCODING_NAMES[e], static_cast<size_t>(comma - text)) == 0)
            return check == ChosenCheck(entry, chosen) ? chosen : NONE_CHOSEN;
    }
    return NONE_CHOSEN;
}

void FormatChosen(const RecentText& entry, char* out, size_t size)
{
    snprintf(out, size, "%s,%08lx", ENCODING_NAMES[ChosenEncoding(entry.Chosen)],
             static_cast<unsigned long>(ChosenCheck(entry, entry.Chosen)));
}

void ParseMarks(const char* text, RecentText* entry)
{
    Bookmarks& marks = entry->Marks;
    marks.count = 0;
    uint64_t check = 0;
    if (!Hex(&text, 8, &check))
        return;
    Bookmarks read;
    read.count = 0;
    uint32_t line = 0, offset = 0;
    while (*text == ',' && read.count < BOOKMARK_MOST) {
        ++text;
        if (!Number(&text, &line) || line == 0 || *text++ != ':' || !Number(&text, &offset))
            return;
        read.at[read.count++] = ReadingPlace{line - 1, offset};
    }
    if (*text == '\0' && read.count > 0 && check == MarksCheck(entry->File, entry->Rule, read))
        marks = read;
}

void FormatMarks(const RecentText& entry, char* out, size_t size)
{
    const Bookmarks& marks = entry.Marks;
    if (marks.count == 0) {
        out[0] = '\0';
        return;
    }
    size_t n = static_cast<size_t>(
        snprintf(out, size, "%08lx", static_cast<unsigned long>(MarksCheck(entry.File, entry.Rule, marks))));
    for (uint32_t i = 0; i < marks.count && n < size; ++i)
        n += static_cast<size_t>(snprintf(out + n, size - n, ",%lu:%lu",
                                          static_cast<unsigned long>(marks.at[i].line) + 1,
                                          static_cast<unsigned long>(marks.at[i].offset)));
}

void RecentLabel(const RecentText* list, int k, wchar_t* out, size_t size)
{
    const wchar_t* path = list[k].File;
    int parts = 1;
    for (bool shared = true; shared && Tail(path, parts) != path; parts += shared) {
        shared = false;
        for (int j = 0; j < RECENT_COUNT && list[j].File[0] != L'\0'; ++j)
            shared |= j != k && SameFile(Tail(list[j].File, parts), Tail(path, parts));
    }
    size_t n = static_cast<size_t>(swprintf(out, size, k < 9 ? L"&%d " : L"1&0 ", k + 1));
    for (const wchar_t* p = Tail(path, parts); *p != L'\0' && n + 2 < size; ++p) {
        if (*p == L'&')
            out[n++] = L'&';
        out[n++] = *p;
    }
    out[n] = L'\0';
}
