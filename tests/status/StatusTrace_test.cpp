// Trace records of the decoders, read back from the trace file.
#include <string>
#include <vector>

#include "core/status/PrinterStatus.h"
#include "tests/status/StatusTestUtil.h"
#include "tests/support/CoreLibrary.h"

namespace {

// Switches tracing on for one test and gives the records this process
// wrote since; other test programs may write to the same file meanwhile.
class StatusTrace : public ::testing::Test {
protected:
    void SetUp() override {
        EnableCoreTrace();
        m_cbRead = TraceLogSize();
        m_bWasEnabled = TraceIsEnabled();
        TraceSetEnabled(true);
    }

    void TearDown() override { TraceSetEnabled(m_bWasEnabled); }

    // Checks that the records written since the last look hold each of
    // present and none of absent.
    void ExpectRecords(const std::vector<std::string>& present, const std::vector<std::string>& absent = {}) {
        const std::string strRecords = NewRecords();
        for (const std::string& strRecord : present) {
            EXPECT_NE(strRecords.find(strRecord), std::string::npos) << "missing: " << strRecord << "in:\n"
                                                                     << strRecords;
        }
        for (const std::string& strRecord : absent) {
            EXPECT_EQ(strRecords.find(strRecord), std::string::npos) << "unexpected: " << strRecord << "in:\n"
                                                                     << strRecords;
        }
    }

    // Records written since the last call.
    std::string NewRecords() {
        const std::string strRecords = OwnTraceSince(m_cbRead);
        m_cbRead = TraceLogSize();
        return strRecords;
    }

private:
    bool m_bWasEnabled = false;
    size_t m_cbRead = 0;
};

TEST_F(StatusTrace, DecodersWriteTheirRecords) {
    struct Case {
        const char* name;
        Bytes reply;
        std::vector<std::string> records;
    };
    const Case kCases[] = {
        {"binary sample", kBinarySample,
         {"CStatusInfo::ConvertStatusInfo\n", "CStatusInfo::ConvertBinaryStatus\n",
          TraceFormatDump("Binary Status Reply:", kBinarySample.data(), kBinarySample.size()), "iBuffSize = 24\n",
          "m1Idx = 3\n", "ink remain = 90(5Ah)\n", "m1Idx = 2\n"}},
        {"binary entry known by its colour",
         BinaryReply({
             {0x01, 0x01, 0x04},  // state
             {0x0F, 0x04, 0x03},  // ink, 3-byte entries
             {0x07, 0x02, 0xC8},  //   code 07, colour 02, 200 %
         }),
         {"iBuffSize = 21\n", "m2Idx = 1\n", "ink remain = 200(C8h)\n"}},
        {"text cancel field", kAsciiAllFieldsSample,
         {"CStatusInfo::ConvertAsciiStatus\n", "byCancel = 81\n"}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(HexDump(c.reply));
        StatusRecord record;
        EXPECT_EQ(CStatusInfo::ConvertStatusInfo(record, c.reply.data(), c.reply.size()), 1);
        ExpectRecords(c.records);
    }
}

// A queue without jobs.
class CEmptyQueue : public CPrinterQueue {
public:
    QueueLookup FindFirstJob() override { return QueueLookup::Empty; }
};

TEST_F(StatusTrace, ClassificationWritesItsRecords) {
    CEmptyQueue queue;
    CStatusInfo info;
    info.SetPrinterQueue(&queue);
    struct Case {
        const char* name;
        uint32_t channel;
        Bytes reply;
        int forced;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case kCases[] = {
        {"paper jam on a channel that changes buttons",
         0x10000003,
         TextReply("ST:00;ER:04;"),
         0,
         {"CStatusInfo::CreateStatusObject\n", "Channel : 10000003\n", "pStatus->Status = 0(no cast)\n",
          "StatusCode Table index : 3\n", "StatusNo : 6\n", "StatusInfo Table index : 2\n",
          "Button info changing\n",
          "CStatusInfo::CreateStatusObject pCNowStatus = (CPrinterStatus *)new CPrinterStatus(&StatusClassInfo)\n",
          "pStatusClassInfo->pStatusBuff = 0x", "CreateStatusObject success\n"},
         {"Status is Offline\n"}},
        {"ready on the local channel",
         0x10000005,
         TextReply("ST:04;"),
         0,
         {"pStatus->Status = 0x4(no cast)\n", "StatusCode Table index : 24\n", "StatusNo : 1\n"},
         {"Button info changing\n"}},
        {"offline with an empty queue",
         0x10000005,
         {},
         59,
         {"StatusNo : 59\n", "Status is Offline\n", "OpenPrinter Success\n", "Job Not found\n",
          "pStatusClassInfo->pStatusBuff = 0\n"},
         {"Button info changing\n"}},
        {"number of no row",
         0x02000001,
         kHbmSample,
         0,
         {"Channel : 02000001\n", "StatusNo : 14\n", "StatusInfo Table index : -1\n",
          "StatusInfo Table index : 25\n"},
         {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const uint8_t* pbReply = c.reply.empty() ? nullptr : c.reply.data();
        EXPECT_NE(info.CreateStatusObject(c.channel, pbReply, c.reply.size(), c.forced, 0, 0), nullptr);
        ExpectRecords(c.present, c.absent);
    }
}

TEST_F(StatusTrace, StatusObjectWritesItsRecords) {
    const CStatusInfo info;
    const Bytes reply = TextReply("ST:00;ER:05;IQ:5A32NA;");
    const auto status = info.CreateStatusObject(0x10000005, reply.data(), reply.size(), 0, 0, 0);
    ASSERT_NE(status, nullptr);
    uint32_t dwJobId = 0;
    EXPECT_EQ(status->GetStatusJobID(dwJobId), 1);
    ExpectRecords({"Status Reply Job ID = 0x0\n"});
    EXPECT_EQ(status->GetSubMessageText("Replace %s", {"Black", "Cyan", "Magenta", "Yellow"}),
              "Replace Magenta\r\nYellow\r\n");
    // The reader keeps only lines that begin with this process's prefix, so
    // the record's further lines are not looked at.
    ExpectRecords({"csSubMsg = Replace Magenta\r\n"});
    EXPECT_EQ(status->FormatInkStatusURL("u?%d,%s,%s,%s,%s", "h/"), "h/u?4,90,50,NA,NA");
    ExpectRecords({"pStatus->Ink[0] = 90\n", "pStatus->Ink[2] = 255\n", "InkStatusURL(header) = h/\n",
                   "InkStatusURL = h/u?4,90,50,NA,NA\n"},
                  {"pStatus->Ink[3]"});
    EXPECT_EQ(status->FormatInkStatusURL("", ""), "");
    ExpectRecords({"IDS_INKSTATUSURL not found\n"});
}

}  // namespace
