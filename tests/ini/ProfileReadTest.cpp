// Reading through the profile functions: file bytes in, one call, the bytes that land in the buffer
// and the count returned.
#include "platform/ini/Profile.h"
#include "tests/ini/TTempFolder.h"

#include <gtest/gtest.h>
#include <vector>

using namespace std::string_literals;

namespace {

struct TReadCase {
    const char* what;
    std::string file;
    const char* section;
    const char* key;
    const char* def;
    uint32_t size;
    std::string written; // every byte written to the buffer, NULs included
    uint32_t returned;
};

// The buffer is filled with a marker first, so that a byte written past what is expected shows.
void Check(const TTempFolder& folder, const TReadCase& c, uint32_t (*read)(const TReadCase&, char*, const char*))
{
    SCOPED_TRACE(c.what);
    folder.Write("Tovira.dat", c.file);
    std::vector<char> buf(c.size + 8, '#');
    const uint32_t returned = read(c, buf.data(), folder.Path("Tovira.dat").c_str());
    EXPECT_EQ(returned, c.returned);
    EXPECT_EQ(std::string(buf.data(), c.written.size()), c.written);
    EXPECT_EQ(std::string(buf.data() + c.written.size(), c.size + 8 - c.written.size()),
              std::string(c.size + 8 - c.written.size(), '#'));
}

uint32_t ReadString(const TReadCase& c, char* buf, const char* file)
{
    return GetPrivateProfileStringA(c.section, c.key, c.def, buf, c.size, file);
}

TEST(ProfileRead, ValuesAsWindowsReadsThem)
{
    const TReadCase cases[] = {
        {"LF line ends", "[Common]\nHomepage=http://a/\nIdleMinutes=5\n", "Common", "Homepage", "", 64, "http://a/\0"s, 9},
        {"CR line ends", "[Common]\rHomepage=a\rIdleMinutes=5\r", "Common", "IdleMinutes", "", 64, "5\0"s, 1},
        {"CRLF line ends", "[Common]\r\nHomepage=a\r\nIdleMinutes=5\r\n", "Common", "IdleMinutes", "", 64, "5\0"s, 1},
        {"mixed line ends, no last", "[Common]\r\nA=1\nB=2\rC=3", "Common", "C", "", 64, "3\0"s, 1},
        {"blanks around names and value", "  [Common]  \n \t Homepage  =  a b \t\n", "Common", "Homepage", "", 64,
         "a b\0"s, 3},
        {"caller's blanks trimmed", "[Common]\nHomepage=a\n", " Common ", "\tHomepage ", "", 64, "a\0"s, 1},
        {"blanks inside the brackets", "[ Common ]\nHomepage=a\n", "Common", "Homepage", "", 64, "a\0"s, 1},
        {"double quotes removed", "[Common]\nK=\"  a b \"\n", "Common", "K", "", 64, "  a b \0"s, 6},
        {"single quotes removed", "[Common]\nK='x'\n", "Common", "K", "", 64, "x\0"s, 1},
        {"only one pair of quotes", "[Common]\nK=\"\"x\"\"\n", "Common", "K", "", 64, "\"x\"\0"s, 3},
        {"quotes that do not match", "[Common]\nK=\"x'\n", "Common", "K", "", 64, "\"x'\0"s, 3},
        {"a lone quote", "[Common]\nK=\"\n", "Common", "K", "", 64, "\"\0"s, 1},
        {"quotes inside kept", "[Common]\nK=a\"b\"\n", "Common", "K", "", 64, "a\"b\"\0"s, 4},
        {"empty value is not the default", "[Common]\nK=\n", "Common", "K", "dflt", 64, "\0"s, 0},
        {"an equals sign in the value", "[Common]\nK=a=b\n", "Common", "K", "", 64, "a=b\0"s, 3},
        {"a ';' after the value is part of it", "[Common]\nK=1 ; one\n", "Common", "K", "", 64, "1 ; one\0"s, 7},
        {"comment line skipped", "[Common]\n;K=1\nK=2\n", "Common", "K", "", 64, "2\0"s, 1},
        {"commented-out key absent", "[Common]\n ;K=1\n", "Common", "K", "d", 64, "d\0"s, 1},
        {"header name ends at first ]", "[Com]mon]\nK=1\n", "Com", "K", "", 64, "1\0"s, 1},
        {"text after the header ignored", "[Common] ; settings\nK=1\n", "Common", "K", "", 64, "1\0"s, 1},
        {"header without ] is no header", "[Other]\nK=0\n[Common\nK=1\n", "Common", "K", "d", 64, "d\0"s, 1},
        {"first section wins", "[Common]\nA=1\n[Common]\nA=2\nB=3\n", "Common", "A", "", 64, "1\0"s, 1},
        {"later section of that name unseen", "[Common]\nA=1\n[Common]\nB=3\n", "Common", "B", "d", 64, "d\0"s, 1},
        {"first key wins", "[Common]\nA=1\nA=2\n", "Common", "A", "", 64, "1\0"s, 1},
        {"names match in any case", "[COMMON]\nHOMEPAGE=x\n", "common", "homePage", "", 64, "x\0"s, 1},
        {"key of another section", "[Other]\nK=1\n[Common]\n", "Common", "K", "d", 64, "d\0"s, 1},
        {"key before any header", "K=1\n[Common]\n", "Common", "K", "d", 64, "d\0"s, 1},
        {"line without '=' is no key", "[Common]\nK\n", "Common", "K", "d", 64, "d\0"s, 1},
        {"missing section gives default", "[Other]\nK=1\n", "Common", "K", "dflt", 64, "dflt\0"s, 4},
        {"default's trailing blanks trimmed", "", "Common", "K", "  d e  \t", 64, "  d e\0"s, 5},
        {"NULL default is empty", "", "Common", "K", nullptr, 64, "\0"s, 0},
        {"default's quotes kept", "", "Common", "K", "'d'", 64, "'d'\0"s, 3},
        {"value cut to size - 1", "[Common]\nK=abcdef\n", "Common", "K", "", 4, "abc\0"s, 3},
        {"value that just fits", "[Common]\nK=abc\n", "Common", "K", "", 4, "abc\0"s, 3},
        {"quoted value cut", "[Common]\nK=\"abcdef\"\n", "Common", "K", "", 4, "abc\0"s, 3},
        {"default cut", "", "Common", "K", "abcdef", 3, "ab\0"s, 2},
        {"size 1", "[Common]\nK=abc\n", "Common", "K", "", 1, "\0"s, 0},
        {"size 0 writes nothing", "[Common]\nK=abc\n", "Common", "K", "", 0, "", 0},
        {"UTF-8 byte-order mark skipped", "\xEF\xBB\xBF[Common]\nK=1\n", "Common", "K", "", 64, "1\0"s, 1},
        {"NUL ends a value", "[Common]\nK=ab\0cd\n"s, "Common", "K", "", 64, "ab\0"s, 2},
        {"DOS end-of-file mark is a blank", "[Common]\r\nK=1\x1A", "Common", "K", "", 64, "1\0"s, 1},
        {"GBK bytes pass unchanged", "[Common]\nVendorName=\xD6\xD0\xCE\xC4\n", "Common", "VendorName", "", 64,
         "\xD6\xD0\xCE\xC4\0"s, 4},
    };
    TTempFolder folder;
    for (const TReadCase& c : cases)
        Check(folder, c, ReadString);
}

TEST(ProfileRead, ListsOfNames)
{
    const std::string file = "[Common]\nA=1\n;B=2\n\nnokey\n=v\n c = 3\nA=4\n[]\n[Other]\nD=5\n[common]\nE=6\n";
    const TReadCase cases[] = {
        {"key names, comments and lines without a name left out", file, "Common", nullptr, "", 64, "A\0c\0A\0\0"s, 6},
        {"key list cut: last name shortened, two NULs, size - 2", "[S]\nAlpha=1\nBeta=2\n", "S", nullptr, "", 9,
         "Alpha\0B\0\0"s, 7},
        {"key list cut within the first name", "[S]\nAlpha=1\n", "S", nullptr, "", 4, "Al\0\0"s, 2},
        {"key list that just fits", "[S]\nAB=1\n", "S", nullptr, "", 4, "AB\0\0"s, 3},
        {"key list of size 1", "[S]\nAB=1\n", "S", nullptr, "", 1, "\0"s, 0},
        {"section without keys gives the default", "[S]\n;c\n", "S", nullptr, "none", 64, "none\0\0"s, 4},
        {"missing section gives the default", "", "S", nullptr, nullptr, 64, "\0\0"s, 0},
        {"section names, repeated ones too, empty ones not", file, nullptr, nullptr, "", 64,
         "Common\0Other\0common\0\0"s, 20},
        {"section names cut", file, nullptr, nullptr, "", 12, "Common\0Oth\0\0"s, 10},
        {"no sections", "K=1\n", nullptr, nullptr, "", 64, "\0"s, 0},
    };
    TTempFolder folder;
    for (const TReadCase& c : cases)
        Check(folder, c, ReadString);
    Check(folder, cases[7], [](const TReadCase& c, char* buf, const char* file) {
        return GetPrivateProfileSectionNamesA(buf, c.size, file);
    });
}

TEST(ProfileRead, SectionEntries)
{
    const TReadCase cases[] = {
        {"entries trimmed, quotes kept, bare lines as they are", "[S]\n A = 1 \n;c\n\nB='2'\nbare line\n[T]\nC=3\n",
         "S", nullptr, nullptr, 64, "A=1\0B='2'\0bare line\0\0"s, 20},
        {"entries cut", "[S]\nA=1\nB=2\n", "S", nullptr, nullptr, 7, "A=1\0B\0\0"s, 5},
        {"missing section", "[T]\nC=3\n", "S", nullptr, nullptr, 64, "\0"s, 0},
    };
    TTempFolder folder;
    for (const TReadCase& c : cases)
        Check(folder, c, [](const TReadCase& c, char* buf, const char* file) {
            return GetPrivateProfileSectionA(c.section, buf, c.size, file);
        });
}

TEST(ProfileRead, Integers)
{
    struct TCase {
        const char* value;
        uint32_t expected;
    } cases[] = {
        {"30", 30}, {"0x1E", 30}, {"0X1e", 30}, {"0b101", 5}, {"0o17", 15}, {"-5", uint32_t(-5)},
        {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"true", 0}, {"\" 7\"", 7}, {"4294967297", 1},
        {"", 99},
    };
    TTempFolder folder;
    const std::string file = folder.Path("Tovira.dat");
    for (const TCase& c : cases) {
        folder.Write("Tovira.dat", "[Common]\nIdleMinutes=" + std::string(c.value) + "\n");
        EXPECT_EQ(GetPrivateProfileIntA("Common", "IdleMinutes", 99, file.c_str()), c.expected) << c.value;
    }
    EXPECT_EQ(GetPrivateProfileIntA("Common", "Missing", -3, file.c_str()), uint32_t(-3));
}

TEST(ProfileRead, MissingOrUnreadableFileReadsAsEmpty)
{
    TTempFolder folder;
    char buf[16];
    EXPECT_EQ(GetPrivateProfileStringA("Common", "K", "d", buf, sizeof buf, folder.Path("none.dat").c_str()), 1u);
    EXPECT_STREQ(buf, "d");
    EXPECT_EQ(GetPrivateProfileStringA("Common", "K", "d", buf, sizeof buf, folder.Path("no/such.dat").c_str()), 1u);
    EXPECT_EQ(GetPrivateProfileStringA("Common", "K", "d", buf, sizeof buf, folder.Path().c_str()), 1u);
    EXPECT_EQ(GetPrivateProfileStringA("Common", "K", "d", buf, sizeof buf, nullptr), 1u);
    EXPECT_STREQ(buf, "d");
}

TEST(ProfileRead, FileNameMatchesInAnyCase)
{
    TTempFolder folder;
    folder.Write("Tovira.dat", "[Common]\nK=upper\n");
    char buf[16];
    GetPrivateProfileStringA("Common", "K", "", buf, sizeof buf, folder.Path("tovira.dat").c_str());
    EXPECT_STREQ(buf, "upper");
    GetPrivateProfileStringA("Common", "K", "", buf, sizeof buf, folder.Path("TOVIRA.DAT").c_str());
    EXPECT_STREQ(buf, "upper");

    // An exact match wins over one that differs only in case.
    folder.Write("tovira.dat", "[Common]\nK=lower\n");
    GetPrivateProfileStringA("Common", "K", "", buf, sizeof buf, folder.Path("tovira.dat").c_str());
    EXPECT_STREQ(buf, "lower");
    GetPrivateProfileStringA("Common", "K", "", buf, sizeof buf, folder.Path("Tovira.dat").c_str());
    EXPECT_STREQ(buf, "upper");
}

} // namespace
