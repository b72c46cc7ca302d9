// Hex text of the cartridge tables, the fields of decoded values and the
// vertical form of type texts.
#include "core/cartridge/CsicText.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/cartridge/CsicTestUtil.h"

namespace {

constexpr char kPoison = '\xCC';

std::string Repeat(const char* pszPiece, size_t nCount) {
    std::string str;
    for (size_t i = 0; i < nCount; ++i) str += pszPiece;
    return str;
}

struct DecodeCase {
    const char* pszName;
    std::string strHex;
    std::string strAtText;
    size_t cchOut;
    int iExpected;
    std::string strExpected;  // ignored when the output must stay untouched
    bool bUntouched;
};

TEST(CsicText, DecodesHexPairs) {
    const DecodeCase kCases[] = {
        {"upper-case digits", "414243", "", kCsicTextSize, 1, "ABC", false},
        {"lower-case digits", "6a6B2c", "", kCsicTextSize, 1, "jk,", false},
        {"empty text", "", "", kCsicTextSize, 1, "", false},
        {"'@' becomes the text", "3140322F40", "KAVRO", kCsicTextSize, 1, "1KAVRO2/KAVRO", false},
        {"'@' with no text", "314032", "", kCsicTextSize, 1, "12", false},
        {"fits exactly", "414243", "", 4, 1, "ABC", false},
        {"one over is cut", "414243", "", 3, 0, "AB", false},
        {"'@' text cut", "4140", "KAVRO", 5, 0, "AKAV", false},
        {"longest value", Repeat("41", kCsicTextSize - 1), "", kCsicTextSize, 1,
         std::string(kCsicTextSize - 1, 'A'), false},
        {"one character too many", Repeat("41", kCsicTextSize), "", kCsicTextSize, 0,
         std::string(kCsicTextSize - 1, 'A'), false},
        {"odd digit count", "41424", "", kCsicTextSize, 0, "", true},
        {"single digit", "4", "", kCsicTextSize, 0, "", true},
        {"pair that is no number", "41G2", "", kCsicTextSize, 0, "", true},
        {"sign inside a pair", "41-1", "", kCsicTextSize, 0, "", true},
        {"blank inside a pair", "4 41", "", kCsicTextSize, 0, "", true},
        {"zero character", "410042", "", kCsicTextSize, 0, "", true},
    };
    for (const DecodeCase& c : kCases) {
        SCOPED_TRACE(c.pszName);
        std::vector<char> out(c.cchOut + 1, kPoison);
        EXPECT_EQ(DecodeHexText(c.strHex.c_str(), c.strHex.size(), out.data(), c.cchOut, c.strAtText), c.iExpected);
        if (c.bUntouched) {
            EXPECT_EQ(std::string(out.begin(), out.end()), std::string(out.size(), kPoison));
        } else {
            EXPECT_EQ(std::string(out.data()), c.strExpected);
        }
        EXPECT_EQ(out[c.cchOut], kPoison) << "written past the buffer";
    }
}

TEST(CsicText, DecodeReadsOnlyTheGivenLength) {
    char szOut[8];
    EXPECT_EQ(DecodeHexText("4142ZZ", 4, szOut, sizeof(szOut), ""), 1);
    EXPECT_STREQ(szOut, "AB");
    EXPECT_EQ(DecodeHexText(nullptr, 0, szOut, sizeof(szOut), ""), 0);
    EXPECT_EQ(DecodeHexText("41", 2, szOut, 0, ""), 0);
}

TEST(CsicText, DecimalFields) {
    const std::pair<const char*, int32_t> kCases[] = {
        {"", 0},          {"12", 12},          {"  12", 12},        {"\t\r\n 7", 7},
        {"+5", 5},        {"-7", -7},          {"12abc", 12},       {"abc", 0},
        {"- 5", 0},       {"+-5", 0},          {"0x10", 0},         {"1 2", 1},
        {"2147483647", INT32_MAX},             {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},            {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& [pszField, iExpected] : kCases) EXPECT_EQ(ReadDecimalField(pszField), iExpected) << pszField;
}

TEST(CsicText, SplitsTypeEntries) {
    const std::pair<const char*, CsicTypeEntry> kCases[] = {
        {"3,1,KAVRO KI-21C/High capacity", {3, 1, "KAVRO KI-21C/High capacity"}},
        {" 3, +2,  spaced ", {3, 2, "  spaced "}},
        {"1,2,first,second", {1, 2, "first"}},
        {",,only text", {0, 0, "only text"}},
        {"7", {7, 0, ""}},
        {"7,8", {7, 8, ""}},
        {"", {0, 0, ""}},
        {"-1,70000,x", {0xFFFF, 70000 - 0x10000, "x"}},  // kept to 16 bits
    };
    for (const auto& [pszDecoded, expected] : kCases)
        EXPECT_EQ(EntryText(SplitCsicEntry(pszDecoded)), EntryText(expected)) << pszDecoded;
}

TEST(CsicText, SplitsSizeEntries) {
    const std::pair<const char*, Csic2Entry> kCases[] = {
        {"1,0,2,3,BLACK01", {1, 0, 2, 3, "BLACK01"}},
        {"5,9,1,-1,COLOR00,extra", {5, 9, 1, -1, "COLOR00"}},
        {"5", {5, 0, 0, 0, ""}},  // a missing slot reads as 0, unlike the empty entry's
        {"", {0, 0, 0, 0, ""}},
    };
    for (const auto& [pszDecoded, expected] : kCases)
        EXPECT_EQ(EntryText(SplitCsic2Entry(pszDecoded)), EntryText(expected)) << pszDecoded;
    EXPECT_EQ(Csic2Entry().Idx, -1);
}

TEST(CsicText, SlashesBecomeLineBreaksWithinTheBuffer) {
    constexpr size_t kBuffer = 128;
    EXPECT_EQ(SlashesToLineBreaks("KI-21C/KI-21XLC", kBuffer), std::optional<std::string>("KI-21C\r\nKI-21XLC"));
    EXPECT_EQ(SlashesToLineBreaks("//", kBuffer), std::optional<std::string>("\r\n\r\n"));
    EXPECT_EQ(SlashesToLineBreaks("", kBuffer), std::optional<std::string>(""));
    // The result needs its terminator too: 127 characters fit, 128 do not.
    EXPECT_EQ(SlashesToLineBreaks(std::string(125, 'x') + "/", kBuffer), std::string(125, 'x') + "\r\n");
    EXPECT_EQ(SlashesToLineBreaks(std::string(126, 'x') + "/", kBuffer), std::nullopt);
    EXPECT_EQ(SlashesToLineBreaks(std::string(127, 'x'), kBuffer), std::string(127, 'x'));
    EXPECT_EQ(SlashesToLineBreaks(std::string(128, 'x'), kBuffer), std::nullopt);
}

}  // namespace
