// TIniFile over the profile functions, with the settings file as the browser and the settings tool
// use it.
#include "platform/ini/TIniFile.h"
#include "tests/ini/TTempFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kKeys[] = {"Homepage",       "ShutdownAuto",   "ShutdownTime", "ExitPassword", "AutoStart",
                             "IdleAutoHomepage", "IdleMinutes",  "ShowExitButton", "ShowVendorSite", "VendorName",
                             "VendorURL",      "SoftSite",       "SoftSiteURL"};

class TIniFileTest : public testing::Test {
protected:
    TIniFile Open(const std::string& text)
    {
        FFolder.Write("Tovira.dat", text);
        return TIniFile(FFolder.Path("Tovira.dat"));
    }
    // What the settings tool's save does: every key, but only into a section that is there.
    void Save(TIniFile& ini)
    {
        if (ini.SectionExists("Common"))
            for (const char* key : kKeys)
                ini.WriteString("Common", key, std::string("new ") + key);
        ini.UpdateFile();
    }
    TTempFolder FFolder;
};

TEST_F(TIniFileTest, PresenceNeedsAKey)
{
    EXPECT_FALSE(TIniFile(FFolder.Path("Tovira.dat")).SectionExists("Common")) << "no file";
    EXPECT_FALSE(Open("[Common]\r\n").SectionExists("Common")) << "header alone";
    EXPECT_FALSE(Open("[Common]\r\n; Homepage=x\r\n\r\n[Other]\r\nA=1\r\n").SectionExists("Common"));
    EXPECT_TRUE(Open("[Common]\r\nIdleMinutes=\r\n").SectionExists("Common")) << "an empty value still counts";
    EXPECT_TRUE(Open("[common]\r\nA=1\r\n").SectionExists("Common"));
}

TEST_F(TIniFileTest, ReadsSectionKeyNames)
{
    TIniFile ini = Open("[Common]\r\nHomepage=a\r\n;Old=1\r\nIdleMinutes=5\r\n[Other]\r\nX=1\r\n");
    EXPECT_EQ(ini.ReadSection("Common"), (std::vector<std::string>{"Homepage", "IdleMinutes"}));
    EXPECT_TRUE(ini.ReadSection("Missing").empty());

    // A list longer than the first buffer still arrives whole.
    std::string text = "[Big]\r\n";
    for (int i = 0; i < 3000; ++i)
        text += "Key" + std::to_string(i) + "=1\r\n";
    const std::vector<std::string> names = Open(text).ReadSection("Big");
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(names.back(), "Key2999");
}

TEST_F(TIniFileTest, MissingKeyGivesDefault)
{
    TIniFile ini = Open("[Common]\r\nIdleMinutes=5\r\n");
    EXPECT_EQ(ini.ReadString("Common", "Homepage", "file:///opt/tovira/welcome.html"), "file:///opt/tovira/welcome.html");
    EXPECT_EQ(ini.ReadInteger("Common", "ShowExitButton", 0), 0);
    EXPECT_EQ(ini.ReadString("Common", "ShutdownTime", ""), "");
}

TEST_F(TIniFileTest, Integers)
{
    struct TCase {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"30", 30},          {"0x1E", 30},       {"0X1e", 30},      {"$1E", 30},         {"-$1E", -30},
        {"-12", -12},        {"+7", 7},          {"007", 7},        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},        {"$FFFFFFFF", -1}, {"0x7fffffff", 2147483647},
        {"'  12'", 12},      {"2147483648", -9}, {"$100000000", -9}, {"0x", -9},         {"$", -9},
        {"-", -9},           {"1E", -9},         {"x1E", -9},       {"0x-1", -9},        {"12 ", 12},
        {"'12 '", -9},       {"abc", -9},        {"true", -9},      {"1.5", -9},         {"", -9},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Open("[Common]\r\nIdleMinutes=" + std::string(c.value) + "\r\n").ReadInteger("Common", "IdleMinutes", -9),
                  c.expected)
            << c.value;
}

TEST_F(TIniFileTest, SettingsAsBothProgramsReadThem)
{
    TIniFile ini = Open("[Common]\r\nIdleMinutes=0x1E\r\nShowExitButton=2\r\nShowVendorSite=true\r\n"
                        "AutoStart=0\r\nShutdownTime=  :  \r\nVendorURL=abc\r\n");
    EXPECT_EQ(ini.ReadInteger("Common", "IdleMinutes", 0), 30);
    EXPECT_EQ(ini.ReadString("Common", "IdleMinutes", "0"), "0x1E") << "the settings tool shows the text";
    EXPECT_TRUE(ini.ReadBool("Common", "ShowExitButton", false));
    EXPECT_NE(ini.ReadInteger("Common", "ShowExitButton", 0), 0);
    EXPECT_EQ(ini.ReadInteger("Common", "ShowVendorSite", 0), 0) << "a word is no flag";
    EXPECT_FALSE(ini.ReadBool("Common", "AutoStart", true));
    EXPECT_EQ(ini.ReadInteger("Common", "VendorURL", 0), 0);
    EXPECT_EQ(ini.ReadString("Common", "ShutdownTime", "x"), ":") << "the blanks of an unset time are trimmed";
}

TEST_F(TIniFileTest, LongValueCutTo2047Bytes)
{
    std::string value;
    for (int i = 0; value.size() < 3000; ++i)
        value += char('a' + i % 26);
    TIniFile ini = Open("[Common]\r\nHomepage=" + value + "\r\n");
    EXPECT_EQ(ini.ReadString("Common", "Homepage", ""), value.substr(0, 2047));
}

TEST_F(TIniFileTest, GbkValuesReadAsUtf8)
{
    const std::string gbk = "\xB9\xE3\xD6\xDD\xBF\xC6\xBC\xBC";        // 广州科技
    const std::string utf8 = "\xE5\xB9\xBF\xE5\xB7\x9E\xE7\xA7\x91\xE6\x8A\x80"; // the same in UTF-8
    TIniFile ini = Open("[Common]\r\nVendorName=" + gbk + "\r\nSoftSite=" + utf8 + "\r\nExitPassword=\xFF\xFE\r\n");
    EXPECT_EQ(ini.ReadString("Common", "VendorName", ""), utf8);
    EXPECT_EQ(ini.ReadString("Common", "SoftSite", ""), utf8) << "UTF-8 unchanged";
    EXPECT_EQ(ini.ReadString("Common", "ExitPassword", ""), "\xFF\xFE") << "neither: the bytes as they are";
}

TEST_F(TIniFileTest, CutInsideACharacter)
{
    // 2 + 681 * 3 = 2045: the cut leaves two bytes of the next UTF-8 character.
    std::string utf8 = "ab";
    for (int i = 0; i < 700; ++i)
        utf8 += "\xE4\xB8\xAD"; // 中
    EXPECT_EQ(Open("[Common]\r\nHomepage=" + utf8 + "\r\n").ReadString("Common", "Homepage", ""), utf8.substr(0, 2047))
        << "a cut UTF-8 value is no GBK value";

    // 2 + 1022 * 2 = 2046: the cut leaves the lead byte of the next GBK character, which is dropped.
    std::string gbk = "ab", expected = "ab";
    for (int i = 0; i < 1100; ++i) {
        gbk += "\xD6\xD0"; // 中
        if (i < 1022)
            expected += "\xE4\xB8\xAD";
    }
    EXPECT_EQ(Open("[Common]\r\nHomepage=" + gbk + "\r\n").ReadString("Common", "Homepage", ""), expected);
}

TEST_F(TIniFileTest, SaveIntoEmptySectionLeavesFileAlone)
{
    const std::string before = "; shipped with the kiosk\r\n[Common]\r\n\r\n";
    TIniFile ini = Open(before);
    Save(ini);
    EXPECT_EQ(FFolder.Read("Tovira.dat"), before);

    TIniFile none(FFolder.Path("Missing.dat"));
    Save(none);
    EXPECT_FALSE(FFolder.Exists("Missing.dat")) << "the settings tool never creates the file";
}

TEST_F(TIniFileTest, SaveReplacesInPlaceAndAddsTheRest)
{
    TIniFile ini = Open("; shipped\r\n[Common]\r\nhomepage = old\r\nIdleMinutes=5\r\n\r\n[Other]\r\nX=1\r\n");
    Save(ini);
    std::string expected = "; shipped\r\n[Common]\r\nhomepage = new Homepage\r\nIdleMinutes=new IdleMinutes\r\n";
    for (const char* key : kKeys)
        if (std::string(key) != "Homepage" && std::string(key) != "IdleMinutes")
            expected += std::string(key) + "=new " + key + "\r\n";
    EXPECT_EQ(FFolder.Read("Tovira.dat"), expected + "\r\n[Other]\r\nX=1\r\n");
    for (const char* key : kKeys)
        EXPECT_EQ(ini.ReadString("Common", key, ""), std::string("new ") + key);
}

TEST_F(TIniFileTest, WritesIntegersAndFlags)
{
    TIniFile ini = Open("[Common]\r\n");
    ini.WriteInteger("Common", "IdleMinutes", -30);
    ini.WriteBool("Common", "AutoStart", true);
    ini.WriteBool("Common", "ShowExitButton", false);
    EXPECT_EQ(FFolder.Read("Tovira.dat"), "[Common]\r\nIdleMinutes=-30\r\nAutoStart=1\r\nShowExitButton=0\r\n");
}

TEST_F(TIniFileTest, WriteFailureRaisesNamingTheFile)
{
    TIniFile ini = Open("[Common]\r\nA=1\r\n");
    chmod(FFolder.Path("Tovira.dat").c_str(), 0444);
    try {
        ini.WriteString("Common", "A", "2");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_NE(std::string(e.what()).find(FFolder.Path("Tovira.dat")), std::string::npos) << e.what();
    }
    TIniFile nowhere(FFolder.Path("gone/Tovira.dat"));
    EXPECT_THROW(nowhere.WriteInteger("Common", "A", 1), EIniFileException);
    EXPECT_THROW(nowhere.WriteBool("Common", "A", true), std::runtime_error);
    EXPECT_NO_THROW(nowhere.UpdateFile());
}

} // namespace
