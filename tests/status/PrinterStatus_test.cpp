// The status object's operations: ink information, printing state, job id,
// record and picture, the detail message's cartridge list and the ink
// status web address.
#include <string>

#include "core/status/PrinterStatus.h"
#include "tests/status/StatusTestUtil.h"

namespace {

constexpr uint8_t kPoison = 0xCC;

// A status object built from a record, as classification would hand it.
CPrinterStatus StatusOf(const StatusRecord& record, int32_t iDetailMessageId = 0) {
    StatusClassInfo info;
    info.pStatusBuff = &record;
    info.Row.DetailMessageId = iDetailMessageId;
    return CPrinterStatus(info);
}

CPrinterStatus StatusWithoutRecord() { return CPrinterStatus(StatusClassInfo()); }

using Slots = std::array<uint8_t, kInkInfoSize>;

Slots Poisoned() { return {kPoison, kPoison, kPoison, kPoison}; }

TEST(PrinterStatus, GetInkInfo) {
    StatusRecord record;
    record.Ink = {0xFE, 0xFF, 0, 0xFD, 0xFE};
    record.InkExtra = {0xA1, 0xA2, 0xA3, 0xA4, 0xA5};
    record.InkCodeCount = 5;
    record.InkCode = {0x0103, 0x0204, 0x0305, 0x0401, 0x0507};
    StatusRecord levels;
    levels.Ink = {90, 50, 1, 100};
    levels.Warning = {0x60, 0x31, 0x12, 0x14};  // 0x14: slot 4
    levels.WarningCount = 4;
    StatusRecord twoCodes;
    twoCodes.InkCodeCount = 2;
    twoCodes.InkCode = {0x1103, 0x2204, 0x0305};

    struct Case {
        const char* name;
        StatusRecord record;
        int kind;
        Slots out;
    };
    const Case kCases[] = {
        {"levels as they are", record, kInkInfoLevels, {0xFE, 0xFF, 0, 0xFD}},
        {"levels with marks as letters", record, kInkInfoMarks, {'r', 'n', 0, 'i'}},
        {"plain levels keep their value", levels, kInkInfoMarks, {90, 50, 1, 100}},
        {"extra bytes", record, kInkInfoExtra, {0xA1, 0xA2, 0xA3, 0xA4}},
        {"states of the marks", record, kInkInfoStates,
         {kInkSlotFault, kInkSlotNoCartridge, kInkSlotEmpty, kInkSlotCI}},
        {"states of warned slots", levels, kInkInfoStates,
         {kInkSlotNormal, kInkSlotWarning, kInkSlotWarning, kInkSlotNormal}},
        {"low bytes of four codes", record, kInkInfoCodes, {0x03, 0x04, 0x05, 0x01}},
        {"codes beyond the count left alone", twoCodes, kInkInfoCodes, {0x03, 0x04, kPoison, kPoison}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Slots out = Poisoned();
        EXPECT_EQ(StatusOf(c.record).GetInkInfo(c.kind, out.data(), out.size()), 1);
        EXPECT_EQ(out, c.out);
    }
}

TEST(PrinterStatus, GetInkInfoRefusesWithoutEffect) {
    StatusRecord record;
    record.Ink = {1, 2, 3, 4};
    const CPrinterStatus status = StatusOf(record);
    std::array<uint8_t, kInkInfoSize + 1> buffer;
    struct Case {
        const char* name;
        const CPrinterStatus& status;
        int kind;
        size_t size;
    };
    const CPrinterStatus none = StatusWithoutRecord();
    const Case kCases[] = {
        {"no record", none, kInkInfoLevels, kInkInfoSize},
        {"buffer one short", status, kInkInfoLevels, kInkInfoSize - 1},
        {"buffer one over", status, kInkInfoLevels, kInkInfoSize + 1},
        {"unknown kind", status, kInkInfoCodes + 1, kInkInfoSize},
        {"negative kind", status, -1, kInkInfoSize},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        buffer.fill(kPoison);
        EXPECT_EQ(c.status.GetInkInfo(c.kind, buffer.data(), c.size), 0);
        for (uint8_t by : buffer) EXPECT_EQ(by, kPoison);
    }
    EXPECT_EQ(status.GetInkInfo(kInkInfoLevels, nullptr, kInkInfoSize), 0);
}

TEST(PrinterStatus, GetPrintingState) {
    StatusRecord printing;
    printing.Status = {0x03};
    StatusRecord ready;
    ready.Status = {0x04};
    StatusRecord printingThenMore;
    printingThenMore.Status = {0x03, 0x04};
    StatusRecord noState;
    noState.Status.RemoveFront();
    EXPECT_EQ(StatusWithoutRecord().GetPrintingState(), 0);
    EXPECT_EQ(StatusOf(printing).GetPrintingState(), 2);
    EXPECT_EQ(StatusOf(printingThenMore).GetPrintingState(), 2);
    EXPECT_EQ(StatusOf(ready).GetPrintingState(), 1);
    EXPECT_EQ(StatusOf(noState).GetPrintingState(), 1);
}

TEST(PrinterStatus, JobIdAndRecordOnlyWithARecord) {
    const CStatusInfo info;
    const Bytes& reply = kBinaryAllFieldsSample;
    const auto status = info.CreateStatusObject(0x10000005, reply.data(), reply.size(), 0, 0, 0);
    ASSERT_NE(status, nullptr);
    uint32_t dwJobId = 0;
    EXPECT_EQ(status->GetStatusJobID(dwJobId), 1);
    EXPECT_EQ(dwJobId, 0x12345678u);
    StatusRecord record;
    EXPECT_EQ(status->GetStatusRecord(record), 1);
    EXPECT_EQ(record.JobName[0], 0x41);

    const CPrinterStatus none = StatusWithoutRecord();
    dwJobId = 0xDEADBEEF;
    EXPECT_EQ(none.GetStatusJobID(dwJobId), 0);
    EXPECT_EQ(dwJobId, 0xDEADBEEFu);
}

TEST(PrinterStatus, KeepsWhatItWasBuiltFrom) {
    const StatusPictureRow& picture = kStatusPictureTable[2];
    StatusClassInfo info;
    info.Row.StatusNo = 5;
    info.Row.SubButton = 1608;
    info.pPictureRow = &picture;
    info.TroubleShoot = {kTroubleInkWindow, "name", 11011, 7};
    info.UserValue = 3;
    const CPrinterStatus status(info);
    info = StatusClassInfo();  // the object holds copies

    EXPECT_EQ(status.GetRow().StatusNo, 5);
    EXPECT_EQ(status.GetRow().SubButton, 1608);
    EXPECT_EQ(status.GetUserValue(), 3u);
    StatusPictureRow row{};
    EXPECT_EQ(status.GetPictureRow(row), 1);
    EXPECT_EQ(row.Id, 3);
    EXPECT_EQ(row.OverlayIcon, 770);
    TroubleShootInfo trouble;
    EXPECT_EQ(status.GetTroubleShootInfo(nullptr), 4u);
    EXPECT_EQ(status.GetTroubleShootInfo(&trouble), 4u);
    EXPECT_EQ(trouble.Name, "name");
    EXPECT_EQ(trouble.ResourceId, 11011u);
    EXPECT_EQ(trouble.Slot, 7);
}

TEST(PrinterStatus, CartridgeListSlots) {
    struct Case {
        int32_t messageId;
        uint32_t inkMask;
        uint32_t warningMask;
        unsigned slots;
    };
    const Case kCases[] = {
        {3024, 0x00000010, 0, 0b0010},       // empty slot 1
        {3024, 0x00008421, 0, 0b0111},       // empty, fault, no cartridge; not CI
        {3029, 0x00000421, 0, 0b0111},
        {3032, 0x00084210, 0, 0b1110},       // slot 4 is beyond the list
        {3047, 0x00000004, 0x11, 0b0001},    // warnings do not count
        {3026, 0x00008421, 0, 0b1110},       // fault, no cartridge, CI; not empty
        {3103, 0x00008421, 0, 0b1000},       // CI only
        {3051, 0, 0x00001021, 0b1001},       // low warnings of slots 0 and 3
        {3051, 0x00008000, 0x00001001, 0b0001},  // not where CI is set
        {3052, 0, 0x00002021, 0b1010},       // high warnings of slots 1 and 3
        {3052, 0x00000080, 0x00000020, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.messageId << " M=" << std::hex << c.inkMask << " W=" << c.warningMask);
        const CartridgeListRule* pRule = FindCartridgeListRule(c.messageId);
        ASSERT_NE(pRule, nullptr);
        EXPECT_EQ(CartridgeListSlots(*pRule, c.inkMask, c.warningMask), c.slots);
    }
    for (int32_t id : {0, 3006, 3050, 3025, 2002}) EXPECT_EQ(FindCartridgeListRule(id), nullptr) << id;
}

TEST(PrinterStatus, GetSubMessageText) {
    const CartridgeTexts kTexts = {"Black", "Cyan", "", "Yellow"};
    struct Case {
        const char* name;
        int32_t messageId;
        uint32_t inkMask;
        uint32_t warningMask;
        const char* format;
        const char* text;
    };
    const Case kCases[] = {
        {"ink out in slot 1", 3024, 0x00000010, 0, "Replace:\r\n%s", "Replace:\r\nCyan\r\n"},
        {"slots in order", 3029, 0x00004004, 0, "%s!", "Black\r\nYellow\r\n!"},
        {"slot without a text is skipped", 3032, 0x00000444, 0, "[%s]", "[Black\r\nCyan\r\n]"},
        {"no slot affected", 3103, 0x00000001, 0, "[%s]", "[]"},
        {"warned slot", 3052, 0, 0x00000020, "Low: %s", "Low: Cyan\r\n"},
        {"message without a list is its own text", 3006, 0x00000010, 0, "100%s sure", "100%s sure"},
        {"a second conversion reads nothing", 3024, 0x1, 0, "%s %s%%", "Black\r\n %"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        StatusRecord record;
        record.InkStateMask = c.inkMask;
        record.WarningMask = c.warningMask;
        EXPECT_EQ(StatusOf(record, c.messageId).GetSubMessageText(c.format, kTexts), c.text);
    }
}

TEST(PrinterStatus, FillFormat) {
    struct Case {
        const char* name;
        const char* format;
        std::initializer_list<std::string_view> args;
        const char* text;
    };
    const Case kCases[] = {
        {"in order", "a=%d&b=%s", {"4", "x"}, "a=4&b=x"},
        {"percent sign", "100%% %s", {"y"}, "100% y"},
        {"too few arguments", "%s-%s-%d", {"1"}, "1--"},
        {"arguments left over", "%s", {"1", "2"}, "1"},
        {"other conversions stay", "%x %5s %", {"1"}, "%x %5s %"},
        {"escaped address characters stay", "a%20b=%s", {"c"}, "a%20b=c"},
        {"no format", "", {"1"}, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FillFormat(c.format, c.args), c.text);
    }
}

TEST(PrinterStatus, FormatInkStatusURL) {
    constexpr const char* kFormat = "http://ink.example/?n=%d&c=%s&m=%s&y=%s&k=%s";
    StatusRecord four;
    four.InkCount = 4;
    four.Ink = {90, 0xFF, 0, 100};
    StatusRecord two;
    two.InkCount = 2;
    two.Ink = {0xFD, 0xFE, 30, 30};
    StatusRecord six;
    six.InkCount = 6;
    six.Ink = {1, 2, 3, 4, 5, 6};
    struct Case {
        const char* name;
        CPrinterStatus status;
        const char* header;
        const char* url;
    };
    const Case kCases[] = {
        {"levels and marks", StatusOf(four), "", "http://ink.example/?n=4&c=90&m=NA&y=0&k=100"},
        {"missing inks", StatusOf(two), "", "http://ink.example/?n=4&c=NA&m=NA&y=NA&k=NA"},
        {"first four inks", StatusOf(six), "", "http://ink.example/?n=4&c=1&m=2&y=3&k=4"},
        {"no record", StatusWithoutRecord(), "", "http://ink.example/?n=4&c=NA&m=NA&y=NA&k=NA"},
        {"header in front, taken as it is", StatusOf(four), "http://hdr.example/PX%20100/%s?",
         "http://hdr.example/PX%20100/%s?http://ink.example/?n=4&c=90&m=NA&y=0&k=100"},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.status.FormatInkStatusURL(kFormat, c.header), c.url);
    }
    EXPECT_EQ(StatusOf(four).FormatInkStatusURL("", "http://hdr.example/"), "") << "no address without a format";
}

}  // namespace
