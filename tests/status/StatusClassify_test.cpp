// Classification of status replies into status objects: status numbers,
// rows of the status information table, button changes, and the masks and
// warning selection the status code table reads.
#include <optional>
#include <ostream>
#include <tuple>

#include "core/status/PrinterStatus.h"
#include "core/status/StatusResourceIds.h"
#include "tests/status/StatusTestUtil.h"

namespace {

// Channels by what classification makes of them.
constexpr uint32_t kNoChannel = 0;
constexpr uint32_t kLocalChannel = 0x10000005;  // keeps the row's buttons
constexpr uint32_t kOtherChannel = 0x10000003;  // "@BDC ST" replies, buttons changed
constexpr uint32_t kFirstChannel = 0x00000004;  // "@BDC ST" replies, buttons changed
constexpr uint32_t kHbmChannel = 0x02000001;
constexpr uint32_t kUnknownChannel = 0x10000004;
constexpr uint32_t kNetworkBit = 0x8000;

// What a status object shows, from its row and its picture row.
struct Shown {
    int statusNo;
    int simpleNo;
    int notifyClass;
    int messageId;
    int detailId;
    int button;
    int subButton;
    int pictureId;

    bool operator==(const Shown& o) const {
        return std::tie(statusNo, simpleNo, notifyClass, messageId, detailId, button, subButton, pictureId) ==
               std::tie(o.statusNo, o.simpleNo, o.notifyClass, o.messageId, o.detailId, o.button, o.subButton,
                        o.pictureId);
    }
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << "{No " << s.statusNo << ", simple " << s.simpleNo << ", notify " << s.notifyClass << ", msg "
        << s.messageId << "/" << s.detailId << ", buttons " << s.button << "/" << s.subButton << ", picture "
        << s.pictureId << "}";
}

Shown ShownBy(const CPrinterStatus& status) {
    const StatusInfoRow& r = status.GetRow();
    StatusPictureRow picture{};
    EXPECT_EQ(status.GetPictureRow(picture), 1);
    return {r.StatusNo, r.SimpleNo, r.NotifyClass, r.MessageId, r.DetailMessageId, r.Button, r.SubButton, picture.Id};
}

// Rows of the status information table as the status window shows them.
//                              No  simple notify msg   detail button              sub              picture
constexpr Shown kReady{1, 1, 1, 3504, 3004, IDS_CLOSE, 0, 1};
constexpr Shown kBusy{11, 999, 999, 3502, 3002, IDS_CLOSE, 0, 1};
constexpr Shown kCleaning{10, 1, 1, 3523, 3023, IDS_STOP, 0, 1};
constexpr Shown kState08{19, 12, 12, 3526, 3026, IDS_STOP, 0, 2};
constexpr Shown kState0A{58, 1, 1, 3554, 3050, IDS_STOP, 0, 1};
constexpr Shown kCommError{21, 11, 11, 3528, 2002, IDS_STOP, 0, 6};
constexpr Shown kError00{14, 12, 12, 3506, 3006, IDS_STOP, 0, 7};
constexpr Shown kError01{18, 999, 12, 3507, 3007, IDS_INK_STOPRESET, 0, 1};
constexpr Shown kPaperJam{6, 5, 12, 3510, 3010, IDS_DISCHARGE_PAPER, 0, 4};
constexpr Shown kNoCartridge{25, 10, 12, 3533, 3029, IDS_INK_STOPRESET, 0, 2};
constexpr Shown kCartridgeFault{60, 10, 12, 3536, 3032, IDS_INK_STOPRESET, 0, 2};
constexpr Shown kInkOut{2, 10, 12, 3524, 3024, IDS_INK_STOPRESET, 0, 2};
constexpr Shown kInkCI{61, 10, 12, 3597, 3103, IDS_INK_STOPRESET, 0, 2};
constexpr Shown kError06{5, 3, 12, 3512, 3012, IDS_INK_CANCEL, IDS_INK_RETURN, 3};
constexpr Shown kError10{31, 12, 12, 3532, 3028, IDS_STOP, 0, 7};
constexpr Shown kError12{30, 12, 12, 3531, 3027, IDS_INK_STOPRESET, 0, 9};
constexpr Shown kOtherError{9, 12, 12, 3514, 3014, IDS_STOP, 0, 7};
constexpr Shown kInkLow{20, 9, 9, 3555, 3051, IDS_STOP, 0, 5};
constexpr Shown kWarning20{32, 13, 501, 3541, 3036, IDS_STOP, 0, 8};
constexpr Shown kForced17{17, 999, 12, 3501, 3001, IDS_STOP, 0, 1};
constexpr Shown kForced16{16, 12, 12, 3525, 3025, IDS_STOP, 0, 7};
constexpr Shown kCommError22{22, 14, 14, 3528, 2002, IDS_STOP, 0, 6};
constexpr Shown kBdcDefault{-1, 12, 12, 3529, 2101, IDS_STOP, 0, 7};
constexpr Shown kHbmCommError22{22, 11, 11, 3528, 2002, IDS_STOP, 0, 6};
constexpr Shown kHbmDefault{-1, 11, 11, 3530, 2102, IDS_STOP, 0, 6};
constexpr Shown kNoBidi{1000, 1, 1, 3527, 2001, IDS_CLOSE, 0, 1};
constexpr Shown kOtherDefault{-1, 11, 11, 3528, 2002, IDS_CLOSE, 0, 6};

const std::optional<Bytes> kNoReply;

Bytes HbmReply(std::initializer_list<uint8_t> entries) { return Concat({Text("hbm"), Bytes(entries)}); }

// Binary reply of state 00, error 05 and four 3-byte ink entries.
Bytes BinaryInkError(uint8_t byInk0, uint8_t byInk1, uint8_t byInk2, uint8_t byInk3) {
    return BinaryReply({
        {0x01, 0x01, 0x00},        // state 00
        {0x02, 0x01, 0x05},        // error 05
        {0x0F, 0x0D, 0x03},        // ink, 13 bytes, 3-byte entries
        {0x03, 0x01, byInk0},      //   slot 0
        {0x04, 0x02, byInk1},      //   slot 1
        {0x05, 0x03, byInk2},      //   slot 2
        {0x01, 0x00, byInk3},      //   slot 3
    });
}

struct ClassifyCase {
    const char* name;
    uint32_t channel;
    std::optional<Bytes> reply;
    int forced;
    Shown shown;
};

void CheckClassifyCase(const CStatusInfo& info, const ClassifyCase& c) {
    SCOPED_TRACE(c.name);
    if (c.reply) SCOPED_TRACE(HexDump(*c.reply));
    std::unique_ptr<uint8_t[]> exact;
    if (c.reply) exact = ExactCopy(*c.reply);
    const auto status = info.CreateStatusObject(c.channel, exact.get(), c.reply ? c.reply->size() : 0, c.forced, 0, 0);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(ShownBy(*status), c.shown);
}

TEST(StatusClassify, ClassifiesReplies) {
    const ClassifyCase kCases[] = {
        // Printer states.
        {"ready", kLocalChannel, TextReply("ST:04;"), 0, kReady},
        {"printing", kLocalChannel, TextReply("ST:03;ER:00;"), 0, kBusy},
        {"busy", kLocalChannel, TextReply("ST:02;"), 0, kBusy},
        {"cleaning", kLocalChannel, TextReply("ST:07;"), 0, kCleaning},
        {"state 08 whatever the error", kLocalChannel, TextReply("ST:08;ER:04;"), 0, kState08},
        {"state 0A", kLocalChannel, TextReply("ST:0A;"), 0, kState0A},
        {"state of no row", kLocalChannel, TextReply("ST:05;"), 0, kCommError},
        {"binary sample: ready with an empty slot", kLocalChannel, kBinarySample, 0, kReady},
        // Errors (state 00).
        {"error state without an error", kLocalChannel, TextReply("ST:00;"), 0, kCommError},
        {"error FF reported matches 'no error'", kLocalChannel, TextReply("ST:00;ER:FF;"), 0, kCommError},
        {"error 00", kLocalChannel, TextReply("ST:00;ER:00;"), 0, kError00},
        {"error 01", kLocalChannel, TextReply("ST:00;ER:01;"), 0, kError01},
        {"paper jam", kLocalChannel, TextReply("ST:00;ER:04;"), 0, kPaperJam},
        {"paper jam with warning 20: errors come first", kLocalChannel, TextReply("ST:00;ER:04;WR:20;"), 0,
         kPaperJam},
        {"error 06", kLocalChannel, TextReply("ST:00;ER:06;"), 0, kError06},
        {"error 10", kLocalChannel, TextReply("ST:00;ER:10;"), 0, kError10},
        {"error 12", kLocalChannel, TextReply("ST:00;ER:12;"), 0, kError12},
        {"error of no row", kLocalChannel, TextReply("ST:00;ER:03;"), 0, kOtherError},
        {"no error but warning 10: only row 0 wants no warning", kLocalChannel, TextReply("ST:00;WR:10;"), 0,
         kOtherError},
        {"warning FF selected passes the no-warning row by its low byte", kLocalChannel,
         TextReply("ST:00;WR:FF;"), 0, kCommError},
        // Ink errors (state 00, error 05) by the ink condition mask.
        {"no cartridge in slot 0", kLocalChannel, TextReply("ST:00;ER:05;IQ:NA323232;"), 0, kNoCartridge},
        {"cartridge fault in slot 3", kLocalChannel, TextReply("ST:00;ER:05;IQ:323232RE;"), 0, kCartridgeFault},
        {"write error counts as a fault", kLocalChannel, TextReply("ST:00;ER:05;IQ:WE323232;"), 0,
         kCartridgeFault},
        {"ink out in slot 2", kLocalChannel, TextReply("ST:00;ER:05;IQ:32320032;"), 0, kInkOut},
        {"CI condition in slot 1", kLocalChannel, TextReply("ST:00;ER:05;IQ:32CI3232;"), 0, kInkCI},
        {"no cartridge outranks ink out", kLocalChannel, TextReply("ST:00;ER:05;IQ:00NA3232;"), 0, kNoCartridge},
        {"fault outranks ink out and CI", kLocalChannel, TextReply("ST:00;ER:05;IQ:CI00RE32;"), 0,
         kCartridgeFault},
        {"ink error with every ink fine", kLocalChannel, TextReply("ST:00;ER:05;IQ:32323232;"), 0, kOtherError},
        {"ink error beyond the ink colours", kLocalChannel, TextReply("ST:00;ER:05;IQ:3232323200;"), 0,
         kOtherError},
        {"binary: ink out in slot 1", kLocalChannel, BinaryInkError(50, 0, 50, 50), 0, kInkOut},
        {"binary: ink error without ink levels reads them as empty", kLocalChannel,
         BinaryReply({{0x01, 0x01, 0x00}, {0x02, 0x01, 0x05}}), 0, kInkOut},
        // Warnings.
        {"ink low 10 while ready", kLocalChannel, TextReply("ST:04;WR:10;"), 0, kInkLow},
        {"ink low 13 while printing", kLocalChannel, TextReply("ST:03;WR:13;"), 0, kInkLow},
        {"ink low 16", kLocalChannel, TextReply("ST:04;WR:16;"), 0, kInkLow},
        {"warning 20", kLocalChannel, TextReply("ST:04;WR:20;"), 0, kWarning20},
        {"warnings 10 and 20: 20 is selected", kLocalChannel, TextReply("ST:04;WR:10,20;"), 0, kWarning20},
        {"warning 17 has no row", kLocalChannel, TextReply("ST:04;WR:17;"), 0, kReady},
        {"warning 40 selected over 10", kLocalChannel, TextReply("ST:04;WR:10,40;"), 0, kReady},
        {"state 08 outranks warnings", kLocalChannel, TextReply("ST:08;WR:20;"), 0, kState08},
        {"binary: warnings 10 and 20", kLocalChannel, kBinaryAllFieldsSample, 0, kWarning20},
        // hbm replies: the status number is the value of tag FE.
        {"hbm communication error", kHbmChannel, HbmReply({0xFE, 0x01, 0x16, 0xFF}), 0, kHbmCommError22},
        {"hbm number of no row", kHbmChannel, kHbmSample, 0, kHbmDefault},
        {"hbm status entry without a value", kHbmChannel, HbmReply({0xFE, 0x00, 0xFF}), 0, kHbmDefault},
        {"hbm with forced number", kHbmChannel, kHbmSample, 22, kHbmCommError22},
        // No reply, or one that is not read.
        {"no channel, no reply", kNoChannel, kNoReply, 0, kOtherDefault},
        {"no bidirectional communication", kNoChannel, kNoReply, 1000, kNoBidi},
        {"no channel, forced number of no row", kNoChannel, kNoReply, 22, kOtherDefault},
        {"unknown channel ignores its reply", kUnknownChannel, TextReply("ST:00;ER:04;"), 0, kOtherDefault},
        {"status channel without a reply", kLocalChannel, kNoReply, 0, kBdcDefault},
        {"forced 17", kLocalChannel, kNoReply, 17, kForced17},
        {"forced 16", kLocalChannel, kNoReply, 16, kForced16},
        {"forced 22", kLocalChannel, kNoReply, 22, kCommError22},
        {"forced 1000 has no row of this type", kLocalChannel, kNoReply, 1000, kBdcDefault},
        {"forced number replaces a decoded one", kLocalChannel, TextReply("ST:04;"), 6, kPaperJam},
    };
    const CStatusInfo info;
    for (const ClassifyCase& c : kCases) CheckClassifyCase(info, c);
}

TEST(StatusClassify, NoObjectWithoutAReadableStatus) {
    struct Case {
        const char* name;
        uint32_t channel;
        Bytes reply;
        int forced;
    };
    const Case kCases[] = {
        {"text reply without a state", kLocalChannel, TextReply("ER:04;"), 0},
        {"undecodable reply, forced number", kLocalChannel, TextReply("ST:0"), 6},
        {"empty reply", kOtherChannel, {}, 0},
        {"hbm reply on a status channel", kLocalChannel, kHbmSample, 0},
        {"hbm reply without status tag", kHbmChannel, HbmReply({0x01, 0x01, 0x16, 0xFF}), 0},
        {"hbm status entry cut off", kHbmChannel, HbmReply({0xFE, 0x02, 0x16}), 0},
        {"text reply on the hbm channel", kHbmChannel, kAsciiSample, 22},
    };
    const CStatusInfo info;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(HexDump(c.reply));
        const auto exact = ExactCopy(c.reply);
        EXPECT_EQ(info.CreateStatusObject(c.channel, exact.get(), c.reply.size(), c.forced, 0, 0), nullptr);
    }
}

// A queue that answers as told and counts the questions.
class CFakeQueue : public CPrinterQueue {
public:
    explicit CFakeQueue(QueueLookup lookup) : m_lookup(lookup) {}
    QueueLookup FindFirstJob() override {
        ++m_nCalls;
        return m_lookup;
    }
    int Calls() const { return m_nCalls; }

private:
    QueueLookup m_lookup;
    int m_nCalls = 0;
};

TEST(StatusClassify, ChangesButtonsByConnection) {
    constexpr uint32_t kNet = kNetworkBit;
    struct Case {
        const char* name;
        uint32_t channel;
        Bytes reply;
        uint32_t connection;
        uint32_t userValue;
        int button;
        int subButton;
    };
    const Bytes kStopReset = TextReply("ST:00;ER:01;");
    const Bytes kJamReply = TextReply("ST:00;ER:04;");
    const Bytes kCancelReturn = TextReply("ST:00;ER:06;");
    const Bytes kReadyReply = TextReply("ST:04;");
    const Case kCases[] = {
        {"local channel keeps the row's buttons", kLocalChannel, kCancelReturn, 0, 0, IDS_INK_CANCEL, IDS_INK_RETURN},
        {"local channel keeps stop/reset", kLocalChannel, kStopReset, 0, 0, IDS_INK_STOPRESET, 0},
        {"other channel, user value 0: stop", kOtherChannel, kStopReset, 0, 0, IDS_STOP, 0},
        {"other channel, user value 1: sub-button goes", kOtherChannel, kStopReset, 0, 1, IDS_INK_STOPRESET, 0},
        {"other channel, user value 1: cancel stays, return goes", kOtherChannel, kCancelReturn, 0, 1, IDS_INK_CANCEL,
         0},
        {"other channel, user value 0: cancel and return become stop", kOtherChannel, kCancelReturn, 0, 0, IDS_STOP, 0},
        {"other channel, user value 1: paper discharge becomes stop", kOtherChannel, kJamReply, 0, 1, IDS_STOP, 0},
        {"first status channel counts as other", kFirstChannel, kStopReset, 0, 0, IDS_STOP, 0},
        {"network printer on the local channel", kLocalChannel, kStopReset, kNet, 0, IDS_STOP, 0},
        {"network printer, user value 1", kLocalChannel, kCancelReturn, kNet, 1, IDS_INK_CANCEL, 0},
        {"plain close button stays", kOtherChannel, kReadyReply, kNet, 0, IDS_CLOSE, 0},
    };
    const CStatusInfo info;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const auto status = info.CreateStatusObject(c.channel, c.reply.data(), c.reply.size(), 0, c.connection,
                                                    c.userValue);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetRow().Button, c.button);
        EXPECT_EQ(status->GetRow().SubButton, c.subButton);
        EXPECT_EQ(status->GetUserValue(), c.userValue);
    }
}

TEST(StatusClassify, OfflineCancelNeedsAQueuedJob) {
    constexpr int kOffline = 59;
    struct Case {
        const char* name;
        std::optional<QueueLookup> queue;  // none: no queue given
        uint32_t channel;
        uint32_t connection;
        int subButton;
    };
    const Case kCases[] = {
        {"job queued", QueueLookup::HasJob, kLocalChannel, 0, IDS_INK_OFFLINE_CANCEL},
        {"queue empty", QueueLookup::Empty, kLocalChannel, 0, 0},
        {"printer cannot be opened", QueueLookup::PrinterNotOpened, kLocalChannel, 0, IDS_INK_OFFLINE_CANCEL},
        {"spooler cannot list the queue", QueueLookup::NotKnown, kLocalChannel, 0, IDS_INK_OFFLINE_CANCEL},
        {"no queue given", std::nullopt, kLocalChannel, 0, IDS_INK_OFFLINE_CANCEL},
        // The offline check replaces the connection rule: no stop button.
        {"job queued on a network printer", QueueLookup::HasJob, kOtherChannel, kNetworkBit, IDS_INK_OFFLINE_CANCEL},
        {"queue empty on a network printer", QueueLookup::Empty, kOtherChannel, kNetworkBit, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CFakeQueue queue(c.queue.value_or(QueueLookup::PrinterNotOpened));
        CStatusInfo info;
        if (c.queue) info.SetPrinterQueue(&queue);
        const auto status = info.CreateStatusObject(c.channel, nullptr, 0, kOffline, c.connection, 0);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetRow().StatusNo, kOffline);
        EXPECT_EQ(status->GetRow().Button, IDS_CLOSE);
        EXPECT_EQ(status->GetRow().SubButton, c.subButton);
        EXPECT_EQ(queue.Calls(), c.queue ? 1 : 0);
    }
}

TEST(StatusClassify, AsksTheQueueOnlyForTheOfflineStatus) {
    CFakeQueue queue(QueueLookup::Empty);
    CStatusInfo info;
    info.SetPrinterQueue(&queue);
    for (int iForced : {1000, 0, 5, 22}) {
        EXPECT_NE(info.CreateStatusObject(kLocalChannel, nullptr, 0, iForced, 0, 0), nullptr) << iForced;
    }
    EXPECT_EQ(queue.Calls(), 0);
}

TEST(StatusClassify, ObjectKeepsTheRecordWithItsMasks) {
    const Bytes reply = TextReply("ST:00;ER:05;IQ:NA00RECI;WR:12,31;");
    const CStatusInfo info;
    const auto status = info.CreateStatusObject(kOtherChannel, reply.data(), reply.size(), 0, 0, 0);
    ASSERT_NE(status, nullptr);
    StatusRecord record;
    ASSERT_EQ(status->GetStatusRecord(record), 1);
    EXPECT_EQ(record.Ink[1], 0);
    EXPECT_EQ(record.InkStateMask, 0x8214u);
    EXPECT_EQ(record.WarningMask, 0x0120u);
    EXPECT_EQ(status->GetRow().StatusNo, 25);
}

TEST(StatusClassify, OnlyReadRepliesGiveARecord) {
    struct Case {
        const char* name;
        uint32_t channel;
        Bytes reply;
    };
    const Case kCases[] = {
        {"hbm reply", kHbmChannel, kHbmSample},
        {"unknown channel", kUnknownChannel, kAsciiSample},
        {"no reply", kLocalChannel, {}},
    };
    const CStatusInfo info;
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const uint8_t* pbReply = c.reply.empty() ? nullptr : c.reply.data();
        const auto status = info.CreateStatusObject(c.channel, pbReply, c.reply.size(), 0, 0, 0);
        ASSERT_NE(status, nullptr);
        StatusRecord record;
        record.JobID = 0xDEADBEEF;
        EXPECT_EQ(status->GetStatusRecord(record), 0);
        EXPECT_EQ(record.JobID, 0xDEADBEEFu);
    }
}

TEST(StatusClassify, InkColorCountBoundsTheInkError) {
    // Ink out in slot 5 only: an ink error of the model's inks when it has
    // six colours, of no ink of a four-colour model.
    const Bytes reply = TextReply("ST:00;ER:05;IQ:323232323200;");
    struct Case {
        int inkColors;
        int statusNo;
    };
    const Case kCases[] = {{4, 9}, {5, 9}, {6, 2}, {8, 2}, {10, 2}, {0, 9}, {-1, 9}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.inkColors);
        CStatusInfo info;
        info.SetInkColorCount(c.inkColors);
        const auto status = info.CreateStatusObject(kLocalChannel, reply.data(), reply.size(), 0, 0, 0);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetRow().StatusNo, c.statusNo);
    }
}

TEST(StatusClassify, InkStateMask) {
    struct Case {
        const char* name;
        std::array<uint8_t, kMaxInks> ink;
        int inkColors;
        uint32_t mask;
    };
    const Case kCases[] = {
        {"levels set nothing", {1, 50, 100, 99}, 4, 0},
        {"empty, fault, no cartridge, CI", {0, 0xFE, 0xFF, 0xFD}, 4, 0x8421},
        {"unset inks read as empty", {50, 50}, 4, 0x1100},
        {"only the model's inks", {0xFF, 0xFF, 0xFF, 0xFF}, 2, 0x0044},
        {"eight inks fill the mask", {0xFD, 0, 0, 0, 0, 0, 0, 0xFD}, 8, 0x81111118},
        {"inks beyond eight have no nibble", {50, 50, 50, 50, 50, 50, 50, 50, 0, 0}, 10, 0},
        {"no inks", {0, 0}, 0, 0},
        {"negative count", {0, 0}, -3, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        StatusRecord record;
        record.Ink = c.ink;
        EXPECT_EQ(InkStateMask(record, c.inkColors), c.mask);
    }
    StatusRecord fourEmpty;
    EXPECT_EQ(InkStateMask(fourEmpty), 0x1111u) << "four ink colours unless told";
}

// Record with the given warnings, WarningCount counting all of them.
StatusRecord WithWarnings(std::initializer_list<uint8_t> warnings) {
    StatusRecord record;
    for (uint8_t by : warnings) record.Warning.Append(by);
    record.WarningCount = static_cast<uint8_t>(warnings.size());
    return record;
}

TEST(StatusClassify, WarningMask) {
    struct Case {
        const char* name;
        StatusRecord record;
        uint32_t mask;
    };
    const Case kCases[] = {
        {"none", WithWarnings({}), 0},
        {"low warnings 10 and 17", WithWarnings({0x10, 0x17}), 0x10000001},
        {"high warnings 30 and 37", WithWarnings({0x30, 0x37}), 0x20000002},
        {"low and high of one slot", WithWarnings({0x12, 0x32}), 0x300},
        {"codes beside the groups", WithWarnings({0x0F, 0x18, 0x20, 0x2F, 0x38, 0xFF}), 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WarningMask(c.record), c.mask);
    }
}

TEST(StatusClassify, SelectedWarning) {
    StatusRecord counted = WithWarnings({0x10, 0x20, 0x40});
    counted.WarningCount = 1;  // a later field of one warning
    StatusRecord overcounted = WithWarnings({0x13});
    overcounted.WarningCount = 5;
    struct Case {
        const char* name;
        StatusRecord record;
        uint8_t selected;
    };
    const Case kCases[] = {
        {"no warnings", WithWarnings({}), 0},
        {"high nibble 2 first", WithWarnings({0x10, 0x40, 0x30, 0x21}), 0x21},
        {"then 4", WithWarnings({0x10, 0x30, 0x41}), 0x41},
        {"then 3", WithWarnings({0x10, 0x35}), 0x35},
        {"then 1", WithWarnings({0x50, 0x11}), 0x11},
        {"first in reply order within a nibble", WithWarnings({0x14, 0x12}), 0x14},
        {"else the first warning", WithWarnings({0x50, 0x60}), 0x50},
        {"only the counted warnings", counted, 0x10},
        {"count beyond the list", overcounted, 0x13},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SelectedWarning(c.record), c.selected);
    }
}

TEST(StatusClassify, GetStatusNoOfHandMadeRecords) {
    StatusRecord emptyLists;
    emptyLists.Status.RemoveFront();
    emptyLists.Error.RemoveFront();
    StatusRecord overcounted;
    overcounted.Status = {0x04};
    overcounted.WarningCount = 3;
    const CStatusInfo info;
    EXPECT_EQ(info.GetStatusNo(emptyLists), 21) << "empty lists read as 'none'";
    EXPECT_EQ(info.GetStatusNo(overcounted), 1) << "a count without warnings selects none";
}

TEST(StatusClassify, SearchStatusInfo) {
    struct Case {
        const char* name;
        int32_t type;
        int32_t statusNo;
        int row;
    };
    const Case kCases[] = {
        {"first row", 1, 14, 0},
        {"status 59", 1, 59, 22},
        {"default of type 1", 1, -1, 23},
        {"type 2", 2, 22, 24},
        {"default of type 2", 2, -1, 25},
        {"no bidirectional communication", 0, 1000, 26},
        {"end row", 0, -1, 27},
        {"number of another type", 2, 14, -1},
        {"unknown number", 1, 7, -1},
        {"unknown type", 3, -1, -1},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CStatusInfo::SearchStatusInfo(c.type, c.statusNo), c.row);
    }
}

}  // namespace
