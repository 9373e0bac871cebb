#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/escape.h"
#include "base/paths.h"

namespace {

struct BaseDirCase {
    const wchar_t* cwd;
    int result;
    const wchar_t* baseDir;
};

const BaseDirCase kBaseDirCases[] = {
    {L"D:\\Tools\\Viewer", 0, L"D:\\Tools\\Viewer\\"},
    {L"D:\\", 0, L"D:\\"},
    {L"C:\\表", 0, L"C:\\表\\"},
    {L"C:\\a\\表\\", 0, L"C:\\a\\表\\"},
    {L"C:\\Café\\한국", 0, L"C:\\Café\\한국\\"},
    {L"\\\\server\\share", 0, L"\\\\server\\share\\"},
    {L"", -1, L""},
};

TEST(MakeBaseDir, EndsInExactlyOneBackslash)
{
    for (const BaseDirCase& c : kBaseDirCases) {
        wchar_t out[PATH_SIZE];
        EXPECT_EQ(MakeBaseDir(c.cwd, out), c.result) << "cwd " << c.cwd;
        EXPECT_STREQ(out, c.baseDir) << "cwd " << c.cwd;
    }
}

// The longest kept name is 11 characters, so with its terminating zero the
// folder may be at most 248 characters long, its backslash included, of
// whatever characters.
TEST(MakeBaseDir, RefusesFoldersTooDeepForTheFileNames)
{
    const struct {
        size_t length;
        bool trailingBackslash;
        int result;
    } cases[] = {
        {247, false, 0},  // 247 + "\" = 248
        {248, false, -1},
        {248, true, 0},
        {249, true, -1},
        {259, false, -1},
    };
    for (wchar_t fill : {L'a', L'表'}) {
        for (const auto& c : cases) {
            std::wstring cwd = L"C:" + std::wstring(c.length - 2, fill);
            if (c.trailingBackslash)
                cwd.back() = L'\\';
            wchar_t out[PATH_SIZE];
            wmemset(out, L'x', PATH_SIZE);
            EXPECT_EQ(MakeBaseDir(cwd.c_str(), out), c.result) << "length " << c.length;
            if (c.result == 0)
                EXPECT_EQ(wcslen(out) + wcslen(L"Skerrow.tmp") + 1, c.trailingBackslash ? c.length + 12 : c.length + 13);
            else
                EXPECT_STREQ(out, L"") << "length " << c.length;
        }
    }
}

TEST(ReplaceChar, ReplacesEveryOneAndFitsTheDestination)
{
    wchar_t out[PATH_SIZE];
    ReplaceChar(L"D:\\Tools\\表\\", L'\\', L'@', out, PATH_SIZE);
    EXPECT_STREQ(out, L"D:@Tools@表@");

    wchar_t small[4];
    wmemset(small, L'x', 4);
    ReplaceChar(L"a\\b\\c", L'\\', L'@', small, 4);
    EXPECT_STREQ(small, L"a@b");
}

// Escaped texts go into the settings file whatever its code page: printable
// ASCII only, back to the same bytes; what it never writes is refused.
TEST(EscapeBytes, RoundTripsAndRefusesWhatItNeverWrites)
{
    const struct {
        const char* bytes;
        const char* escaped;
    } cases[] = {
        {"C:\\a b.txt", "C:\\a%20b.txt"}, {"100%", "100%25"}, {"Caf\xC3\xA9", "Caf%C3%A9"}, {"\x01\x7F~", "%01%7F~"},
        {" \"x\" 'y'", "%20%22x%22%20%27y%27"},
    };
    for (const auto& c : cases) {
        char out[64], back[64];
        EXPECT_TRUE(EscapeBytes(c.bytes, out, sizeof out) && strcmp(out, c.escaped) == 0) << c.escaped;
        EXPECT_TRUE(UnescapeBytes(out, back, sizeof back) && strcmp(back, c.bytes) == 0) << c.escaped;
    }
    // Blanks and quotes as earlier copies left them plain still read.
    char old[16];
    EXPECT_TRUE(UnescapeBytes("a b\"'%C3%A9", old, sizeof old) && strcmp(old, "a b\"'\xC3\xA9") == 0);
    for (const char* text : {"%", "%4", "%G0", "%00", "a\tb", "\xC3\xA9", "abcdef", "%c3%a9", "%41", "%7E", "%C3",
                             "%C3%28", "%C0%AF", "%ED%A0%80", "%F4%90%80%80", "%FF"}) {
        char out[6] = "x";
        EXPECT_FALSE(UnescapeBytes(text, out, sizeof out) || out[0] != '\0') << text;
    }
    char small[6];
    EXPECT_FALSE(EscapeBytes("Caf\xC3\xA9", small, sizeof small) || small[0] != '\0');
    EXPECT_TRUE(EscapeBytes("abcde", small, sizeof small));
}

}  // namespace
