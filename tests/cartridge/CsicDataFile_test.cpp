// The cartridge tables of a model data file, on real INI files, and the
// '@' text of real resource modules.
#include "core/cartridge/CsicDataFile.h"

#include <gtest/gtest.h>

#include "tests/cartridge/CartridgeTestUtil.h"
#include "tests/cartridge/CsicTestUtil.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr char kAtText[] = "KAVRO";
// 129 characters: 258 hex digits, the most a value may have (259) rounded
// down to whole pairs.
const std::string kLongestValue = "1,2," + std::string(125, 'x');

// The first 259 characters of the decoded value "1,2," followed by 60 '@',
// less its two numbers.
std::string CutAtMarks() {
    std::string strMarks;
    while (strMarks.size() < kCsicTextSize) strMarks += kAtText;
    return strMarks.substr(0, kCsicTextSize - 1 - 4);
}

class CsicDataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string strText = "[CSIC]\r\n"
                                    "BLACK00=" + HexText("1,1,@ KI-21BK") + "\r\n"
                                    "COLOR00=" + HexText("3,2,KI-21XLC/High capacity") + "\r\n"
                                    "ODD=" + HexText("3,1,C") + "4\r\n"
                                    "NOTHEX=" + HexText("3,1,C").replace(0, 1, "X") + "\r\n"
                                    "EMPTY=\r\n"
                                    "LONGEST=" + HexText(kLongestValue) + "\r\n"
                                    "ODDLONGEST=" + HexText(kLongestValue) + "4\r\n"
                                    "TOOLONG=" + HexText(kLongestValue) + "41\r\n"
                                    "ATS=" + HexText("1,2," + std::string(60, '@')) + "\r\n"
                                    "[CSIC2]\r\n"
                                    "000=" + HexText("1,0,2,3,BLACK01") + "\r\n"
                                    "001=" + HexText("5,7") + "\r\n"
                                    "002=" + HexText("3,0,1,0,COLOR00") + "F\r\n";
        ASSERT_TRUE(WriteTextFile(m_strFile, strText));
    }

    TempFolder m_folder{"csic"};
    const std::string m_strFile = m_folder.File("MODEL.INI");
};

TEST_F(CsicDataFileTest, TypeEntries) {
    struct Case {
        const char* pszKey;
        int iExpected;
        CsicTypeEntry expected;
    };
    const Case kCases[] = {
        {"BLACK00", 1, {1, 1, "KAVRO KI-21BK"}},
        {"COLOR00", 1, {3, 2, "KI-21XLC/High capacity"}},
        // Values that do not decode still count as found.
        {"ODD", 1, {}},
        {"NOTHEX", 1, {}},
        {"LONGEST", 1, {1, 2, std::string(125, 'x')}},
        {"ODDLONGEST", 1, {}},  // 259 digits: read, but odd
        // Each '@' grows by the text: cut to what the buffer holds, found.
        {"ATS", 1, {1, 2, CutAtMarks()}},
        {"EMPTY", 0, {}},
        {"MISSING", 0, {}},
        {"TOOLONG", 0, {}},  // 260 digits would be cut
        {"", 0, {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszKey);
        CsicTypeEntry entry{0xCCCC, 0xCCCC, "poison"};
        EXPECT_EQ(GetInfoFileCSICData(m_strFile.c_str(), c.pszKey, kAtText, entry), c.iExpected);
        EXPECT_EQ(EntryText(entry), EntryText(c.expected));
    }
}

TEST_F(CsicDataFileTest, SizeEntries) {
    struct Case {
        const char* pszKey;
        int iExpected;
        Csic2Entry expected;
    };
    const Case kCases[] = {
        {"000", 1, {1, 0, 2, 3, "BLACK01"}},
        {"001", 1, {5, 7, 0, 0, ""}},
        {"002", 1, {0, 0, 0, 0, ""}},  // odd digit count: numbers 0, slot 0
        {"003", 0, {}},                // missing: the empty entry
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszKey);
        Csic2Entry entry{0xCCCC, 0xCCCC, 0xCCCC, 77, "poison"};
        EXPECT_EQ(GetInfoFileCSIC2Data(m_strFile.c_str(), c.pszKey, kAtText, entry), c.iExpected);
        EXPECT_EQ(EntryText(entry), EntryText(c.expected));
    }
}

TEST_F(CsicDataFileTest, MissingFileOrNames) {
    CsicTypeEntry entry;
    Csic2Entry entry2;
    EXPECT_EQ(GetInfoFileCSICData(m_folder.File("NONE.INI").c_str(), "BLACK00", kAtText, entry), 0);
    EXPECT_EQ(GetInfoFileCSICData(nullptr, "BLACK00", kAtText, entry), 0);
    // An empty name would be a file in the Windows folder.
    EXPECT_EQ(GetInfoFileCSICData("", "BLACK00", kAtText, entry), 0);
    EXPECT_EQ(GetInfoFileCSICData(m_strFile.c_str(), nullptr, kAtText, entry), 0);
    EXPECT_EQ(GetInfoFileCSIC2Data(m_strFile.c_str(), nullptr, kAtText, entry2), 0);
}

TEST(CsicAtText, ComesFromTheResourceModule) {
    const UniqueHModule english = LoadSampleModule(kEnglishModule);
    const UniqueHModule stringless = LoadSampleModule(kStringlessModule);
    ASSERT_TRUE(english && stringless);
    EXPECT_EQ(LoadCsicAtText(english.get()), "KAVRO");
    EXPECT_EQ(LoadCsicAtText(stringless.get()), "");
}

}  // namespace
