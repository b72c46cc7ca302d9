// The ink-remaining reply of the cartridge channel.
#include "core/cartridge/InkRemainReply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cartridge/CsicTestUtil.h"

namespace {

constexpr uint16_t kPoison = 0xDEAD;

struct ReplyCase {
    const char* pszName;
    std::string strReply;
    int iExpected;
    uint16_t wBlack;  // expected values; kPoison: left alone
    uint16_t wColor;
};

TEST(InkRemainReply, DecodesTheReply) {
    const std::string kHead = "@BDC PS\r\n";
    const ReplyCase kCases[] = {
        {"black 100, colour 50", kHead + "IR:00640032;", 1, 100, 50},
        {"lower-case tag and digits", kHead + "ir:00ff0aB0;", 1, 0x00FF, 0x0AB0},
        {"bytes after the terminator", kHead + "IR:FFFF0000;\r\nmore", 1, 0xFFFF, 0},
        {"colour not available", kHead + "IR:0064NAVL;", 0, kPoison, kPoison},
        {"black busy", kHead + "IR:BUSY0032;", 0, kPoison, kPoison},
        {"lower-case mark", kHead + "IR:navl0032;", 0, kPoison, kPoison},
        {"mark without terminator", kHead + "IR:0064BUSY", 0, kPoison, kPoison},
        {"another reply of the header", kHead + "IC:00640032;", 0, kPoison, kPoison},
        {"another reply, header and tag only", kHead + "XX:", 0, kPoison, kPoison},
        {"no terminator", kHead + "IR:00640032", -1, kPoison, kPoison},
        {"wrong terminator", kHead + "IR:00640032,", -1, kPoison, kPoison},
        {"value cut short", kHead + "IR:0064003", -1, kPoison, kPoison},
        {"tag only", kHead + "IR:", -1, kPoison, kPoison},
        {"header only", kHead, -1, kPoison, kPoison},
        {"status header", "@BDC ST\r\nIR:00640032;", -1, kPoison, kPoison},
        {"header without line end", "@BDC PS  IR:00640032;", -1, kPoison, kPoison},
        {"digits that are no number", kHead + "IR:00G40032;", -1, kPoison, kPoison},
        {"blank in a value", kHead + "IR:0064 032;", -1, kPoison, kPoison},
        {"empty", "", -1, kPoison, kPoison},
    };
    for (const ReplyCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.pszName << ": " << HexText(c.strReply));
        // An exact copy, so that a read past the reply shows under ASan.
        const std::vector<uint8_t> reply(c.strReply.begin(), c.strReply.end());
        uint16_t wBlack = kPoison;
        uint16_t wColor = kPoison;
        EXPECT_EQ(AnalyzeCsicRemainData(reply.data(), static_cast<int>(reply.size()), &wBlack, &wColor), c.iExpected);
        EXPECT_EQ(wBlack, c.wBlack);
        EXPECT_EQ(wColor, c.wColor);
    }
}

TEST(InkRemainReply, LengthAndPointersBoundTheReply) {
    const std::string strReply = "@BDC PS\r\nIR:00640032;";
    const auto* pbReply = reinterpret_cast<const uint8_t*>(strReply.data());
    const int iLength = static_cast<int>(strReply.size());
    uint16_t wBlack = kPoison;
    uint16_t wColor = kPoison;
    // The length given rules, not the bytes that happen to follow.
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, iLength - 1, &wBlack, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, 11, &wBlack, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, 0, &wBlack, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, -5, &wBlack, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(nullptr, iLength, &wBlack, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, iLength, nullptr, &wColor), -1);
    EXPECT_EQ(AnalyzeCsicRemainData(pbReply, iLength, &wBlack, nullptr), -1);
    EXPECT_EQ(wBlack, kPoison);
    EXPECT_EQ(wColor, kPoison);
}

}  // namespace
