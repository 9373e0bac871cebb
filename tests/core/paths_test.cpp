#include <gtest/gtest.h>

#include <string>

#include "app/base/paths.h"

namespace {

struct BaseDirCase {
    const char* cwd;
    int result;
    const char* baseDir;
};

// 0x95 0x5C is the code page 932 character 表: its second byte is not a
// backslash, so such a folder still gets one.
const BaseDirCase kBaseDirCases[] = {
    {"D:\\Tools\\Viewer", 0, "D:\\Tools\\Viewer\\"},
    {"D:\\", 0, "D:\\"},
    {"C:\\\x95\x5C", 0, "C:\\\x95\x5C\\"},
    {"C:\\a\\\x95\x5C\\", 0, "C:\\a\\\x95\x5C\\"},
    {"C:\\\x81\x40\\", 0, "C:\\\x81\x40\\"},
    {"\\\\server\\share", 0, "\\\\server\\share\\"},
    {"", -1, ""},
};

TEST(MakeBaseDir, EndsInExactlyOneBackslash)
{
    for (const BaseDirCase& c : kBaseDirCases) {
        char out[PATH_SIZE];
        EXPECT_EQ(MakeBaseDir(c.cwd, out), c.result) << "cwd " << c.cwd;
        EXPECT_STREQ(out, c.baseDir) << "cwd " << c.cwd;
    }
}

// The longest kept name is 11 bytes, so with its terminating zero the
// folder may be at most 248 bytes long, its backslash included.
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
    for (const auto& c : cases) {
        std::string cwd = "C:" + std::string(c.length - 2, 'a');
        if (c.trailingBackslash)
            cwd.back() = '\\';
        char out[PATH_SIZE];
        memset(out, 'x', sizeof out);
        EXPECT_EQ(MakeBaseDir(cwd.c_str(), out), c.result) << "length " << c.length;
        if (c.result == 0)
            EXPECT_EQ(strlen(out) + strlen("Skerrow.tmp") + 1, c.trailingBackslash ? c.length + 12 : c.length + 13);
        else
            EXPECT_STREQ(out, "") << "length " << c.length;
    }
}

TEST(EndsWithBackslash, ReadsDoubleByteCharactersWhole)
{
    EXPECT_TRUE(EndsWithBackslash("a\\"));
    EXPECT_FALSE(EndsWithBackslash("a"));
    EXPECT_FALSE(EndsWithBackslash(""));
    EXPECT_FALSE(EndsWithBackslash("\x95\x5C"));      // 表
    EXPECT_TRUE(EndsWithBackslash("\x95\x5C\\"));
    EXPECT_TRUE(EndsWithBackslash("\xB5\\"));         // half-width katakana is one byte
    EXPECT_TRUE(EndsWithBackslash("\x95"  "\\\\"));   // lead byte, its trail 0x5C, then a real one
    EXPECT_FALSE(EndsWithBackslash("x\x81"));         // a stray lead byte at the end
}

TEST(ReplaceChar, ReplacesEveryByteAndFitsTheDestination)
{
    char out[PATH_SIZE];
    ReplaceChar("D:\\Tools\\Viewer\\", '\\', '@', out, sizeof out);
    EXPECT_STREQ(out, "D:@Tools@Viewer@");
    ReplaceChar("D:\\", '\\', '@', out, sizeof out);
    EXPECT_STREQ(out, "D:@");
    // Byte by byte: the trail byte of 表 is replaced too.
    ReplaceChar("C:\\\x95\x5C\\", '\\', '@', out, sizeof out);
    EXPECT_STREQ(out, "C:@\x95@@");

    char small[4];
    memset(small, 'x', sizeof small);
    ReplaceChar("a\\b\\c", '\\', '@', small, sizeof small);
    EXPECT_STREQ(small, "a@b");
}

}  // namespace
