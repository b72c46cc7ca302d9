// Trace records of the decoders, read back from the trace file.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/trace/TracePlatform_private.h"
#include "tests/status/StatusTestUtil.h"

namespace {

namespace fs = std::filesystem;

// Switches tracing on for one test and gives the records written since.
// Creates the trace folder when missing and removes what it created.
class StatusTrace : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = fs::path(TracePlatformLogPath());
        for (fs::path folder = m_path.parent_path(); !folder.empty() && !fs::exists(folder);
             folder = folder.parent_path()) {
            m_createdFolder = folder;
        }
        if (!m_createdFolder.empty()) fs::create_directories(m_path.parent_path());
        m_bFileExisted = fs::exists(m_path);
        m_cbRead = m_bFileExisted ? fs::file_size(m_path) : 0;
        m_bWasEnabled = TraceIsEnabled();
        TraceSetEnabled(true);
    }

    void TearDown() override {
        TraceSetEnabled(m_bWasEnabled);
        std::error_code ec;
        if (!m_bFileExisted) fs::remove(m_path, ec);
        if (!m_createdFolder.empty()) fs::remove_all(m_createdFolder, ec);
    }

    // Records written since the last call.
    std::string NewRecords() {
        std::ifstream file(m_path, std::ios::binary);
        file.seekg(static_cast<std::streamoff>(m_cbRead));
        std::string strRecords{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        m_cbRead += strRecords.size();
        return strRecords;
    }

private:
    fs::path m_path;
    fs::path m_createdFolder;
    bool m_bFileExisted = false;
    bool m_bWasEnabled = false;
    uintmax_t m_cbRead = 0;
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
