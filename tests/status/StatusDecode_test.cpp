// Reply form recognition, the hbm reply, hex pairs and the ink code table.
#include <cstring>
#include <string>

#include "tests/status/StatusTestUtil.h"

namespace {

TEST(StatusDecode, RecognisesReplyForm) {
    const DecodeCase kCases[] = {
        {"empty reply", {}, 0, [](StatusRecord&) {}},
        {"unknown header",
         Concat({
             Text("@BDC PS\r\n"),  // not a status reply
             Text("ST:04;"),       // would be a state
             {0x0C},
         }),
         0, [](StatusRecord&) {}},
        {"lower-case header",
         Concat({
             Text("@bdc st\r\n"),  // headers are exact
             Text("ST:04;"),
             {0x0C},
         }),
         0, [](StatusRecord&) {}},
        {"text header cut short",
         Text("@BDC ST\r"),  // eight of nine header bytes
         0, [](StatusRecord&) {}},
        {"binary header without its line feed",
         Concat({
             Text("@BDC ST2\r"),   // neither header
             Text("ST:04;"),       // would be a state
             {0x0C},
         }),
         0, [](StatusRecord&) {}},
        {"binary header goes to the binary decoder",
         Concat({
             kBinaryHeaderBytes,
             {0x03, 0x00},        // body length 3
             {0x01, 0x01, 0x0C},  // state 0C; as text only a form feed
         }),
         1, [](StatusRecord& r) { r.Status = {0x0C}; }},
    };
    CheckDecodeCases(kCases);
}

TEST(StatusDecode, ConvertStatusInfoStartsFromInitialRecord) {
    const NamedReply kReplies[] = {kSampleReplies[0], kSampleReplies[1], kSampleReplies[2], kSampleReplies[3]};
    for (const NamedReply& reply : kReplies) {
        SCOPED_TRACE(reply.name);
        StatusRecord fresh;
        const int iFresh = CStatusInfo::ConvertStatusInfo(fresh, reply.bytes.data(), reply.bytes.size());
        EXPECT_EQ(iFresh, 1);

        // A record left over from a busy earlier reply.
        StatusRecord used;
        for (int i = 0; i < 5; ++i) used.Status.Append(0x11);
        used.Error.Append(0x22);
        used.Warning.Append(0x33);
        used.WarningCount = 1;
        used.InkCount = 10;
        used.Ink.fill(0x44);
        used.InkCodeCount = 20;
        used.InkCode.fill(0x55);
        used.InkColor.fill(0x66);
        used.InkStateMask = used.WarningMask = 0x77;
        used.RcCode = 0x01;
        used.Cancel = 1;
        used.JobID = 0x88;
        used.JobName.fill(0x99);
        used.LogoResult = used.RcFlag = used.ExtraCount = 3;
        used.ExtraData.fill(0);
        used.InkExtra.fill(0);
        EXPECT_EQ(CStatusInfo::ConvertStatusInfo(used, reply.bytes.data(), reply.bytes.size()), iFresh);
        EXPECT_EQ(used, fresh);
    }
}

TEST(StatusDecode, DecodersRejectNullAndShortReplies) {
    StatusRecord record;
    EXPECT_EQ(CStatusInfo::ConvertStatusInfo(record, nullptr, 10), 0);
    EXPECT_EQ(CStatusInfo::ConvertAsciiStatus(record, nullptr, 10), 0);
    EXPECT_EQ(CStatusInfo::ConvertBinaryStatus(record, nullptr, 20), 0);
    // Called directly, the text decoder does not look at the header: a reply
    // shorter than one must not make it read from position 9 on.
    const Bytes kShort = Text("ST:04;");
    const auto exact = ExactCopy(kShort);
    EXPECT_EQ(CStatusInfo::ConvertAsciiStatus(record, exact.get(), kShort.size()), 0);
    EXPECT_EQ(CStatusInfo::ConvertBinaryStatus(record, exact.get(), kShort.size()), 0);
}

TEST(StatusDecode, HexPairToByte) {
    struct Case {
        const char* name;
        char chHigh;
        char chLow;
        int result;
        uint8_t byValue;  // when result is 1
    };
    const Case kCases[] = {
        {"zero", '0', '0', 1, 0x00},
        {"digits", '4', '2', 1, 0x42},
        {"upper-case letters", 'A', 'F', 1, 0xAF},
        {"lower-case letters", 'c', 'd', 1, 0xCD},
        {"mixed case", 'f', 'F', 1, 0xFF},
        {"nine and a", '9', 'a', 1, 0x9A},
        {"letter after F", 'G', '0', 0, 0},
        {"letter after f", '0', 'g', 0, 0},
        {"character before 0", '/', '0', 0, 0},
        {"character after 9", '0', ':', 0, 0},
        {"character before A", '@', '1', 0, 0},
        {"character before a", '1', '`', 0, 0},
        {"space", ' ', '1', 0, 0},
        {"terminator", '1', '\0', 0, 0},
        {"high-bit byte", '\xC1', '1', 0, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        uint8_t byOut = 0xCC;
        EXPECT_EQ(HexPairToByte(c.chHigh, c.chLow, byOut), c.result);
        EXPECT_EQ(byOut, c.result ? c.byValue : 0xCC);
    }
}

// Digit value by position in a digit string, an independent way to the answer.
int DigitOf(char ch) {
    static const std::string kUpper = "0123456789ABCDEF";
    static const std::string kLower = "0123456789abcdef";
    const size_t nUpper = kUpper.find(ch);
    const size_t nLower = kLower.find(ch);
    if (nUpper != std::string::npos) return static_cast<int>(nUpper);
    return nLower != std::string::npos ? static_cast<int>(nLower) : -1;
}

TEST(StatusDecode, HexPairToByteAgreesForEveryPair) {
    for (int iHigh = 0; iHigh < 256; ++iHigh) {
        for (int iLow = 0; iLow < 256; ++iLow) {
            const char chHigh = static_cast<char>(iHigh);
            const char chLow = static_cast<char>(iLow);
            const int iDigitHigh = DigitOf(chHigh);
            const int iDigitLow = DigitOf(chLow);
            const bool bHex = iDigitHigh >= 0 && iDigitLow >= 0;
            uint8_t byOut = 0xCC;
            const int result = HexPairToByte(chHigh, chLow, byOut);
            if (result != (bHex ? 1 : 0) || (bHex && byOut != iDigitHigh * 16 + iDigitLow)) {
                FAIL() << "pair " << iHigh << "," << iLow << " gave " << result << " byte " << unsigned{byOut};
            }
        }
    }
}

TEST(StatusDecode, FindHbmValue) {
    struct Case {
        const char* name;
        Bytes reply;
        uint8_t byTag;
        size_t cbOut;
        int result;
        Bytes out;  // the whole out buffer afterwards; CC = not written
    };
    const Case kCases[] = {
        {"sample: tag FE", kHbmSample, 0xFE, 1, 0, {0x0E}},
        {"tag after other entries",
         Concat({
             Text("hbm"),
             {0x01, 0x02, 0xAA, 0xBB},  // tag 01
             {0x02, 0x00},              // tag 02, empty
             {0xFE, 0x01, 0x0E},        // tag FE
             {0xFF},                    // end
         }),
         0xFE, 1, 0, {0x0E}},
        {"value cut to the buffer",
         Concat({
             Text("hbm"),
             {0xFE, 0x03, 0x01, 0x02, 0x03},  // tag FE, three bytes
         }),
         0xFE, 2, 0, {0x01, 0x02}},
        {"buffer larger than the value",
         Concat({
             Text("hbm"),
             {0xFE, 0x02, 0x01, 0x02},  // tag FE, two bytes
         }),
         0xFE, 4, 0, {0x01, 0x02, 0xCC, 0xCC}},
        {"zero-size buffer",
         Concat({
             Text("hbm"),
             {0xFE, 0x01, 0x0E},  // tag FE
         }),
         0xFE, 0, 0, {}},
        {"first of two equal tags",
         Concat({
             Text("hbm"),
             {0xFE, 0x01, 0x01},  // tag FE: 01
             {0xFE, 0x01, 0x02},  // tag FE: 02
         }),
         0xFE, 1, 0, {0x01}},
        {"end tag stops the walk",
         Concat({
             Text("hbm"),
             {0xFF, 0x00},        // end
             {0xFE, 0x01, 0x0E},  // after the end
         }),
         0xFE, 1, 1, {0xCC}},
        {"end tag can be asked for",
         Concat({
             Text("hbm"),
             {0xFF, 0x01, 0x42},  // end tag with a value
         }),
         0xFF, 1, 0, {0x42}},
        {"tag absent",
         Concat({
             Text("hbm"),
             {0x01, 0x01, 0x0E},  // tag 01
         }),
         0xFE, 1, 1, {0xCC}},
        {"nothing after the mark", Text("hbm"), 0xFE, 1, 1, {0xCC}},
        {"entry without length byte",
         Concat({
             Text("hbm"),
             {0xFE},  // tag only
         }),
         0xFE, 1, 1, {0xCC}},
        {"wanted entry cut off",
         Concat({
             Text("hbm"),
             {0xFE, 0x02, 0x0E},  // tag FE claims two bytes, one present
         }),
         0xFE, 1, 1, {0xCC}},
        {"entry before it cut off",
         Concat({
             Text("hbm"),
             {0x01, 0x09, 0xFE},  // tag 01 claims nine bytes
         }),
         0xFE, 1, 1, {0xCC}},
        {"not an hbm reply", Concat({Text("hbx"), {0xFE, 0x01, 0x0E}}), 0xFE, 1, -1, {0xCC}},
        {"upper-case mark", Concat({Text("HBM"), {0xFE, 0x01, 0x0E}}), 0xFE, 1, -1, {0xCC}},
        {"shorter than the mark", Text("hb"), 0xFE, 1, -1, {0xCC}},
        {"empty reply", {}, 0xFE, 1, -1, {0xCC}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(HexDump(c.reply));
        const auto check = [&c](const uint8_t* pbReply) {
            const auto out = ExactCopy(Bytes(c.cbOut, 0xCC));
            EXPECT_EQ(FindHbmValue(pbReply, c.reply.size(), c.byTag, out.get(), c.cbOut), c.result);
            EXPECT_EQ(Bytes(out.get(), out.get() + c.cbOut), c.out);
        };
        check(ExactCopy(c.reply).get());
        for (const Bytes& tail : kPoisonTails) {
            SCOPED_TRACE("tail " + HexDump(tail));
            check(Concat({c.reply, tail}).data());
        }
    }
}

TEST(StatusDecode, FindHbmValueWithoutBuffer) {
    EXPECT_EQ(FindHbmValue(kHbmSample.data(), kHbmSample.size(), 0xFE, nullptr, 0), 0);
    EXPECT_EQ(FindHbmValue(nullptr, 7, 0xFE, nullptr, 0), -1);
}

TEST(StatusDecode, GetInkSlotOrder) {
    struct Case {
        const char* name;
        uint16_t wInkCode;
        int iOrder;
    };
    const Case kCases[] = {
        {"code 03, slot 0", 0x03, 2},
        {"code 04, slot 1", 0x04, 3},
        {"code 05, slot 2", 0x05, 4},
        {"code 01, slot 3", 0x01, 1},
        {"code 00", 0x00, 0},
        {"code 02", 0x02, 0},
        {"code 06", 0x06, 0},
        {"code FF", 0xFF, 0},
        {"wide code with a known low byte", 0x0103, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CStatusInfo::GetInkSlotOrder(c.wInkCode), c.iOrder);
    }
}

TEST(StatusDecode, InkCodeTableRowsInSlotOrder) {
    const InkCodeRow kExpected[] = {
        {0x03, 0x01, 2, 1, 2},
        {0x04, 0x02, 3, 2, 3},
        {0x05, 0x03, 4, 3, 0},
        {0x01, 0x00, 1, -1, -1},
    };
    for (size_t i = 0; i < kInkSlotCount; ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        EXPECT_EQ(kInkCodeTable[i].InkCode, kExpected[i].InkCode);
        EXPECT_EQ(kInkCodeTable[i].ColorCode, kExpected[i].ColorCode);
        EXPECT_EQ(kInkCodeTable[i].SlotOrder, kExpected[i].SlotOrder);
        EXPECT_EQ(kInkCodeTable[i].Aux1, kExpected[i].Aux1);
        EXPECT_EQ(kInkCodeTable[i].Aux2, kExpected[i].Aux2);
    }
}

}  // namespace
