#include "common/trace/Trace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "common/trace/LineLog.h"
#include "common/trace/TracePlatform_private.h"
#include "tests/support/CoreLibrary.h"
#include "tests/support/TestFiles.h"

namespace {

TEST(TraceFormat, Prefix) {
    const struct {
        uint32_t dwPid, dwTid, dwTick;
        const char* pszExpected;
    } kCases[] = {
        {0x1A, 0x2B, 3725042, "001A;002B;   62:05.042; "},
        {0x12345, 0xABCDE, 0, "12345;ABCDE;    0:00.000; "},
        {1, 2, 0xFFFFFFFF, "0001;0002;71582:47.295; "},
    };
    for (const auto& c : kCases) EXPECT_EQ(TraceFormatPrefix(c.dwPid, c.dwTid, c.dwTick), c.pszExpected);
}

TEST(TraceFormat, DumpHasNoBlankAfterLabelAndEndsWithLineFeed) {
    const uint8_t kBytes[] = {0x1B, 0x40, 0x0A};
    EXPECT_EQ(TraceFormatDump("Binary_Data:", kBytes, sizeof(kBytes)), "Binary_Data:1B 40 0A\n");
}

// Records of this thread in the real PLX4.LOG of the prefix.
class TraceScopeTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnableCoreTrace();
        TraceSetEnabled(true);
        m_cbStart = TraceLogSize();
    }
    void TearDown() override { TraceSetEnabled(false); }
    std::string Written() const {
        // Cut the prefix (pid;tid;time; ) so the lines compare as text.
        std::string strOut;
        const std::string strOwn = OwnTraceSince(m_cbStart);
        size_t pos = 0;
        while (pos < strOwn.size()) {
            const size_t end = strOwn.find('\n', pos);
            const std::string strLine = strOwn.substr(pos, end - pos);
            const size_t tid = strLine.find(';');
            const size_t time = strLine.find(';', tid + 1);
            const size_t body = strLine.find(';', time + 1) + 2;
            strOut += strLine.substr(body) + "|";
            pos = end + 1;
        }
        return strOut;
    }
    size_t m_cbStart = 0;
};

TEST_F(TraceScopeTest, ScopesWriteOpeningRecordsAndIndent) {
    {
        TraceScope outer("Outer::Run");
        outer.Write("value = %d\n", 5);
        {
            TraceScope inner("Inner::Step");
            inner.Write("deeper\n");
        }
        outer.Write("back\n");
    }
    EXPECT_EQ(Written(), "|---|Outer::Run|  value = 5|  |  ---|  Inner::Step|    deeper|  back|");
}

TEST_F(TraceScopeTest, DumpsAreOneRecordAndSkipEmptyInput) {
    const uint8_t kBytes[] = {0x1B, 0x40, 0x0A};
    {
        TraceScope scope(nullptr);
        scope.Dump(kBytes, sizeof(kBytes), "Binary_Data:");
        scope.Dump(kBytes, 0, "Binary_Data:");
        scope.Dump(nullptr, 3, "Binary_Data:");
        scope.Dump(kBytes, sizeof(kBytes), nullptr);
        scope.Dump(kBytes, sizeof(kBytes), "");
        scope.DumpStatusReply(kBytes, 1);
    }
    EXPECT_EQ(Written(), "|---|  Binary_Data:1B 40 0A|  Binary Status Reply:1B|");
}

TEST_F(TraceScopeTest, RecordWithoutLineEndIsEnded) {
    {
        TraceScope scope("Open::Ended");
        scope.Write("ProfileName : %s", "C:\\x.ini");
        scope.Write("next\n");
    }
    EXPECT_EQ(Written(), "|---|Open::Ended|  ProfileName : C:\\x.ini|  next|");
}

TEST_F(TraceScopeTest, DisabledTraceWritesNothing) {
    TraceSetEnabled(false);
    {
        TraceScope scope("Silent");
        scope.Write("nothing\n");
    }
    EXPECT_EQ(Written(), "");
}

TEST(TracePlatform, MissingFolderLosesTheRecordOnly) {
    TempFolder folder("trace");
    const std::string strPath = folder.File("missing\\PLX4.LOG");
    TracePlatformAppend(strPath, "lost\n");
    EXPECT_FALSE(FileExists(strPath));
    TracePlatformAppend(folder.File("PLX4.LOG"), "kept\n");
    EXPECT_EQ(ReadTextFile(folder.File("PLX4.LOG")), "kept\n");
}

// The line log, with a switch value of its own under HKCU.
class LineLogTest : public ::testing::Test {
protected:
    static constexpr char kSwitch[] = "K_SIC_TEST";
    void SetSwitch(DWORD dwValue) {
        UniqueHKey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVRO\\PLX3", 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.put(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key.get(), kSwitch, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    }
    void TearDown() override {
        UniqueHKey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\KAVRO\\PLX3", 0, KEY_WRITE, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), kSwitch);
        LineLogOpen("", kSwitch);  // leaves the log off for the next test
    }
    TempFolder m_folder{"linelog"};
};

TEST_F(LineLogTest, WritesThreeLineFormsWhenSwitchedOn) {
    SetSwitch(1);
    const std::string strPath = m_folder.File("plxtraylog.LOG");
    ASSERT_EQ(LineLogOpen(strPath.c_str(), kSwitch), 1);
    EXPECT_EQ(LineLogWriteText("***** LOG START ******"), 1);
    EXPECT_EQ(LineLogWriteTextText("Printer", "KAVRO PX-100"), 1);
    EXPECT_EQ(LineLogWriteTextNumber("Result", -57), 1);
    EXPECT_EQ(LineLogWriteText(nullptr), 0);
    EXPECT_EQ(LineLogClose(), 1);

    const std::string strLog = ReadTextFile(strPath);
    char szPid[16];
    snprintf(szPid, sizeof(szPid), "%04X;", static_cast<unsigned>(GetCurrentProcessId()));
    size_t pos = 0;
    for (const char* pszMessage : {"***** LOG START ******", "Printer : KAVRO PX-100", "Result : -57"}) {
        SCOPED_TRACE(pszMessage);
        ASSERT_EQ(strLog.compare(pos, strlen(szPid), szPid), 0) << strLog;
        const size_t end = strLog.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos);
        const std::string strLine = strLog.substr(pos, end - pos);
        // pid; then "%5u:%02u.%03u; " then the message
        EXPECT_EQ(strLine.substr(strlen(szPid) + 14), pszMessage);
        EXPECT_EQ(strLine[strlen(szPid) + 5], ':');
        pos = end + 2;
    }
    EXPECT_EQ(pos, strLog.size());
}

TEST_F(LineLogTest, StaysOffWithoutSwitchOrWithBadPath) {
    const std::string strPath = m_folder.File("off.LOG");
    EXPECT_EQ(LineLogOpen(strPath.c_str(), kSwitch), 0);
    EXPECT_EQ(LineLogWriteText("***** LOG START ******"), 0);
    EXPECT_FALSE(FileExists(strPath));

    SetSwitch(0);
    EXPECT_EQ(LineLogOpen(strPath.c_str(), kSwitch), 0);
    SetSwitch(1);
    EXPECT_EQ(LineLogOpen(std::string(260, 'x').c_str(), kSwitch), 0);
    EXPECT_EQ(LineLogOpen("", kSwitch), 0);
    EXPECT_EQ(LineLogWriteText("x"), 0);
}

TEST_F(LineLogTest, MissingFolderLosesLines) {
    SetSwitch(1);
    ASSERT_EQ(LineLogOpen(m_folder.File("nope\\x.LOG").c_str(), kSwitch), 1);
    EXPECT_EQ(LineLogWriteText("lost"), 0);
}

}  // namespace
