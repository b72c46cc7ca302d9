// Trace records of the decoders, read back from the trace file.
#include <string>
#include <vector>

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
        const std::string strRecords = NewRecords();
        for (const std::string& strRecord : c.records) {
            EXPECT_NE(strRecords.find(strRecord), std::string::npos) << "missing: " << strRecord << "in:\n"
                                                                     << strRecords;
        }
    }
}

}  // namespace
