// The one-shot status request through the real core library, the real
// spooler of the test prefix and the simulated printer.
#include "core/comm/GetPrinterStatus.h"
#include "common/base/Guard.h"

#include <windows.h>

#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "sim/control/SimPrinter.h"
#include "tests/support/CoreLibrary.h"
#include "tests/support/TestDriver.h"

namespace {

using PFN_PrGetPrinterStatus = int(__cdecl*)(const char*, BYTE**);
using PFN_PrReleasePrinterStatus = void(__cdecl*)(BYTE*);

constexpr char kModel[] = "PX-T1";
constexpr char kTextReply[] = "@BDC ST\r\n\x15\x00ST:04;ER:00;IQ:5ANA;\x0C";
const std::string kReply(kTextReply, sizeof(kTextReply) - 1);

struct Outcome {
    int iResult = 0;
    std::string strReply;  // the reply bytes when the result is a length
    bool bBufferGiven = false;
};

// One driver, one printer and the core library for the whole suite: the
// spooler work is the slow part. Each test gets a fresh scenario folder.
class PrGetPrinterStatusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EnableCoreTrace();
        s_driver = new TestDriver("gps", StandardSetupBody(kModel));
        s_core = new CoreLibrary();
    }
    static void TearDownTestSuite() {
        delete s_core;
        delete s_driver;
    }

    void SetUp() override {
        ASSERT_TRUE(s_driver->Installed()) << s_driver->Error();
        ASSERT_TRUE(s_core->Loaded());
        m_pfnGet = s_core->Export<PFN_PrGetPrinterStatus>("PrGetPrinterStatus");
        m_pfnRelease = s_core->Export<PFN_PrReleasePrinterStatus>("PrReleasePrinterStatus");
        ASSERT_TRUE(m_pfnGet && m_pfnRelease);
        m_sim = std::make_unique<SimPrinter>(m_folder.Path());
    }

    const std::string& Printer() const { return s_driver->PrinterName(); }

    std::string PrinterSection(const std::string& strChannels, const std::string& strDeviceId = "MFG:KAVRO;MDL:PX-T1;",
                               const std::string& strStatus = kReply) const {
        return SimPrinterSection(Printer(), strChannels, strDeviceId, strStatus);
    }

    Outcome Request(const char* pszPrinter) {
        Outcome outcome;
        BYTE* pStatus = nullptr;
        outcome.iResult = m_pfnGet(pszPrinter, &pStatus);
        outcome.bBufferGiven = pStatus != nullptr;
        if (pStatus && outcome.iResult > 0) outcome.strReply.assign(reinterpret_cast<char*>(pStatus), outcome.iResult);
        m_pfnRelease(pStatus);
        return outcome;
    }
    Outcome Request() { return Request(Printer().c_str()); }

    static TestDriver* s_driver;
    static CoreLibrary* s_core;
    TempFolder m_folder{"sim"};
    std::unique_ptr<SimPrinter> m_sim;
    PFN_PrGetPrinterStatus m_pfnGet = nullptr;
    PFN_PrReleasePrinterStatus m_pfnRelease = nullptr;
};

TestDriver* PrGetPrinterStatusTest::s_driver = nullptr;
CoreLibrary* PrGetPrinterStatusTest::s_core = nullptr;

constexpr char kStandardChannels[] = "0x10000005:0x0007, 0x00000004:0x0004";

struct ScenarioCase {
    const char* pszName;
    std::string strChannels;
    std::string strDeviceId;
    std::string strExtra;  // per-channel replies and fault sections
    int iExpected;         // 0 = the length of the expected reply
    std::string strExpectedReply;
    bool bReleaseExpected;
};

const ScenarioCase kScenarioCases[] = {
    {"reply from the first status channel in order", kStandardChannels, "MFG:KAVRO;MDL:PX-T1;",
     "Status@0x00000004=from-4\r\nStatus@0x10000005=from-10000005\r\n", 0, "from-4", true},
    {"hbm-only printer gives its reply unchanged", "0x02000001:0x0004", "MDL:PX-T1;",
     "Status@0x02000001=hbm\\xFE\\x01\\x0E\\xFF\r\n", 0, std::string("hbm\xFE\x01\x0E\xFF", 7), true},
    {"channel without the status bit is passed over", "0x10000005:0x0003, 0x10010003:0x0004", "MDL:PX-T1;",
     "Status@0x10010003=from-10010003\r\n", 0, "from-10010003", true},
    {"status bit on an unknown channel is not enough", "0x12345678:0x0007", "MDL:PX-T1;", "", kGpsNoStatusChannel,
     "", true},
    {"printer offering no channel", "", "MDL:PX-T1;", "", 0, "", true},
    {"printer of another model", kStandardChannels, "MFG:KAVRO;MDL:PX-999;", "", kGpsModelMismatch, "", true},
    {"device id without a model", kStandardChannels, "MFG:KAVRO;CMD:ESC;", "", kGpsModelMismatch, "", true},
    {"model text must end with a semicolon", kStandardChannels, "MFG:KAVRO;MDL:PX-T1", "", kGpsModelMismatch, "",
     true},
    {"library has no device id yet: no comparison", kStandardChannels, "MDL:PX-999;",
     "[Fault.QBGetDeviceID]\r\nCall=1\r\nResult=0\r\n", 0, kReply, true},
    {"no status available yet", kStandardChannels, "MDL:PX-T1;", "[Fault.QBGetStatus]\r\nCall=1\r\nResult=-17\r\n",
     kQbNoStatusYet, "", true},
    {"library not ready", kStandardChannels, "MDL:PX-T1;", "[Fault.QBInitialize]\r\nResult=-3\r\n", -3, "", false},
    {"positive initialize result counts as ready", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBInitialize]\r\nResult=2\r\n", 0, kReply, true},
    {"channel cannot be opened", kStandardChannels, "MDL:PX-T1;", "[Fault.QBOpenChannel]\r\nResult=-8\r\n", -8, "",
     true},
    {"second status call fails", kStandardChannels, "MDL:PX-T1;", "[Fault.QBGetStatus]\r\nCall=2\r\nResult=-5\r\n",
     -5, "", true},
    {"absurd channel count reads only the list", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBGetAvailableChannel]\r\nCall=2\r\nCount=100000\r\n", 0, kReply, true},
    {"absurd status size", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBGetStatus]\r\nCall=1\r\nSize=2147483647\r\n", kGpsOutOfMemory, "", true},
    {"reply length beyond the buffer is cut to it", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBGetStatus]\r\nCall=2\r\nCount=100000\r\n", 0, kReply, true},
    {"fault in QBInitialize", kStandardChannels, "MDL:PX-T1;", "[Fault.QBInitialize]\r\nRaise=1\r\n", kQbFault, "",
     false},
    {"fault in QBGetDeviceID", kStandardChannels, "MDL:PX-T1;", "[Fault.QBGetDeviceID]\r\nCall=2\r\nRaise=1\r\n",
     kQbFault, "", true},
    {"fault in QBGetAvailableChannel", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBGetAvailableChannel]\r\nRaise=1\r\n", kQbFault, "", true},
    {"fault in QBOpenChannel", kStandardChannels, "MDL:PX-T1;", "[Fault.QBOpenChannel]\r\nRaise=1\r\n", kQbFault, "",
     true},
    {"fault in QBGetStatus", kStandardChannels, "MDL:PX-T1;", "[Fault.QBGetStatus]\r\nCall=2\r\nRaise=1\r\n",
     kQbFault, "", true},
    {"fault in QBRelease does not lose the reply", kStandardChannels, "MDL:PX-T1;",
     "[Fault.QBRelease]\r\nRaise=1\r\n", 0, kReply, true},
};

TEST_F(PrGetPrinterStatusTest, ScenarioTable) {
    for (const ScenarioCase& c : kScenarioCases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(m_sim->SetScenario(PrinterSection(c.strChannels, c.strDeviceId) + c.strExtra));
        m_sim->ResetCounters();
        const Outcome outcome = Request();
        const int iExpected = c.iExpected ? c.iExpected : static_cast<int>(c.strExpectedReply.size());
        EXPECT_EQ(outcome.iResult, iExpected);
        if (iExpected > 0) {
            EXPECT_EQ(outcome.strReply, c.strExpectedReply);
        }
        const SimCounters counters = m_sim->Counters();
        EXPECT_EQ(counters.lLoads, 1);
        EXPECT_EQ(counters.lUnloads, 1) << "library left loaded";
        EXPECT_EQ(counters.lCalls[kSimQBInitialize], 1);
        EXPECT_EQ(counters.lCalls[kSimQBRelease], c.bReleaseExpected ? 1 : 0);
        EXPECT_EQ(counters.lOpenChannels, 0) << "channel left open";
    }
}

TEST_F(PrGetPrinterStatusTest, FaultWhileClosingIsTracedAndTheReplyKept) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels) + "[Fault.QBCloseChannel]\r\nRaise=1\r\n"));
    const size_t cbStart = TraceLogSize();
    const Outcome outcome = Request();
    EXPECT_EQ(outcome.iResult, static_cast<int>(kReply.size()));
    EXPECT_EQ(m_sim->Counters().lUnloads, 1);
    EXPECT_NE(OwnTraceSince(cbStart).find("Exception Error : QBCloseChannel;"), std::string::npos);
}

TEST_F(PrGetPrinterStatusTest, ArgumentsCheckedBeforeAnythingLoads) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels)));
    BYTE* pStatus = reinterpret_cast<BYTE*>(1);
    EXPECT_EQ(m_pfnGet("", &pStatus), kGpsNoPrinterName);
    EXPECT_EQ(m_pfnGet(nullptr, &pStatus), kGpsNoPrinterName);
    EXPECT_EQ(m_pfnGet(Printer().c_str(), nullptr), kGpsNoBufferPointer);
    EXPECT_EQ(m_sim->Counters().lLoads, 0);
}

TEST_F(PrGetPrinterStatusTest, UnknownPrinterIsReportedAsSuch) {
    const Outcome outcome = Request("No Such Printer 4711");
    EXPECT_EQ(outcome.iResult, kGpsNoDriver);
    EXPECT_FALSE(outcome.bBufferGiven);
    EXPECT_EQ(m_sim->Counters().lLoads, 0);
}

TEST_F(PrGetPrinterStatusTest, FailedSecondStatusCallLeavesBufferWithCaller) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels) + "[Fault.QBGetStatus]\r\nCall=2\r\nResult=-5\r\n"));
    const Outcome outcome = Request();
    EXPECT_EQ(outcome.iResult, -5);
    EXPECT_TRUE(outcome.bBufferGiven);
}

TEST_F(PrGetPrinterStatusTest, StatusNotYetAvailableGivesNoBuffer) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels, "MDL:PX-T1;", "")));
    const Outcome outcome = Request();
    EXPECT_EQ(outcome.iResult, kQbNoStatusYet);
    EXPECT_FALSE(outcome.bBufferGiven);
}

TEST_F(PrGetPrinterStatusTest, ReplyIsZeroTerminatedInItsBuffer) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels)));
    BYTE* pStatus = nullptr;
    const int iResult = m_pfnGet(Printer().c_str(), &pStatus);
    ASSERT_EQ(iResult, static_cast<int>(kReply.size()));
    ASSERT_NE(pStatus, nullptr);
    EXPECT_GE(GlobalSize(pStatus), kReply.size() + 1);
    EXPECT_EQ(pStatus[iResult], 0);
    m_pfnRelease(pStatus);
    m_pfnRelease(nullptr);
}

TEST_F(PrGetPrinterStatusTest, TracesTheRequest) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels)));
    const size_t cbStart = TraceLogSize();
    ASSERT_GT(Request().iResult, 0);
    const std::string strTrace = OwnTraceSince(cbStart);
    for (const char* pszLine : {"; ---\n", "; PrGetPrinterStatus()\n", "PrinterName = ", "QBAPI full path : QBAPI.DLL\n",
                                "Target ModelID : PX-T1\n", "Target Channel : 0x00000004\n",
                                "Open Channel : 0x00000004\n",
                                "Binary_Data:40 42 44 43 20 53 54 0D 0A 15 00 53 54 3A",
                                "StatusSize : 32\n"}) {
        EXPECT_NE(strTrace.find(pszLine), std::string::npos) << pszLine << " missing in\n" << strTrace;
    }
}

TEST_F(PrGetPrinterStatusTest, ConcurrentRequestsEachLoadTheirOwnUse) {
    ASSERT_TRUE(m_sim->SetScenario(PrinterSection(kStandardChannels)));
    constexpr int kThreads = 4;
    constexpr int kRounds = 5;
    std::vector<std::thread> threads;
    std::vector<int> failures(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                if (Request().iResult != static_cast<int>(kReply.size())) ++failures[t];
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) EXPECT_EQ(failures[t], 0) << "thread " << t;
    const SimCounters counters = m_sim->Counters();
    EXPECT_EQ(counters.lCalls[kSimQBInitialize], kThreads * kRounds);
    EXPECT_EQ(counters.lCalls[kSimQBRelease], kThreads * kRounds);
    EXPECT_EQ(counters.lOpenChannels, 0);
}

// Where the library file comes from, by the driver's values.
class LibraryLocationTest : public ::testing::Test {
protected:
    Outcome RequestWith(const std::string& strSetupBody) {
        TestDriver driver("loc", strSetupBody + "REGENTER=DRV,\"ModelID\",\"PX-T1\"\r\n");
        EXPECT_TRUE(driver.Installed()) << driver.Error();
        SimPrinter sim(m_simFolder.Path());
        sim.SetScenario(SimPrinterSection(driver.PrinterName(), kStandardChannels, "MDL:PX-T1;", kReply));
        CoreLibrary core;
        auto pfnGet = core.Export<PFN_PrGetPrinterStatus>("PrGetPrinterStatus");
        auto pfnRelease = core.Export<PFN_PrReleasePrinterStatus>("PrReleasePrinterStatus");
        Outcome outcome;
        BYTE* pStatus = nullptr;
        outcome.iResult = pfnGet(driver.PrinterName().c_str(), &pStatus);
        pfnRelease(pStatus);
        return outcome;
    }

    TempFolder m_simFolder{"locsim"};
    TempFolder m_install{"install"};
};

TEST_F(LibraryLocationTest, Qbapi4InLowerCaseLoadsFromInstallFolder) {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\QBAPI.dll").c_str(), m_install.File("qbapi4.dll").c_str(), FALSE));
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI32\",\"qbapi4.dll\"\r\nREGENTER=DRV,\"QBAPI_VERSION\",0\r\n"
                          "REGENTER=DRV,\"InstallPath\",\"" + m_install.Path() + "\"\r\n").iResult,
              static_cast<int>(kReply.size()));
}

TEST_F(LibraryLocationTest, VersionThreeTakesBareNameEvenWithInstallFolder) {
    ASSERT_TRUE(CopyFileA((ProgramFolder() + "\\QBAPI.dll").c_str(), m_install.File("qbapi4.dll").c_str(), FALSE));
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI32\",\"qbapi4.dll\"\r\nREGENTER=DRV,\"QBAPI_VERSION\",3\r\n"
                          "REGENTER=DRV,\"InstallPath\",\"" + m_install.Path() + "\"\r\n").iResult,
              kGpsLibraryNotLoaded);
}

TEST_F(LibraryLocationTest, EmptyFileNameMeansDefaultLibrary) {
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI_VERSION\",0\r\n").iResult, static_cast<int>(kReply.size()));
}

TEST_F(LibraryLocationTest, MissingLibraryFile) {
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI32\",\"NOSUCH.DLL\"\r\n").iResult, kGpsLibraryNotLoaded);
}

TEST_F(LibraryLocationTest, InstallFolderNeededButMissing) {
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI32\",\"QBAPI.DLL\"\r\nREGENTER=DRV,\"QBAPI_VERSION\",4\r\n").iResult,
              kGpsLibraryNotLoaded);
}

TEST_F(LibraryLocationTest, LibraryLackingAFunction) {
    EXPECT_EQ(RequestWith("REGENTER=DRV,\"QBAPI32\",\"QBAPI.DLL\"\r\nREGENTER=DRV,\"QBAPI_VERSION\",4\r\n"
                          "REGENTER=DRV,\"InstallPath\",\"" + ProgramFolder() + "\\qbapi_nodevid\"\r\n").iResult,
              kGpsFunctionMissing);
}

struct PathCase {
    const char* pszName;
    const char* pszFile;
    int32_t iVersion;
    int iGeneration;
    const char* pszInstall;
    const char* pszExpected;
};

const PathCase kPathCases[] = {
    {"default by bare name", "QBAPI.DLL", 0, 6, "C:\\Drv", "QBAPI.DLL"},
    {"QBAPI4 on XP from the install folder", "QBAPI4.DLL", 0, 6, "C:\\Drv", "C:\\Drv\\QBAPI4.DLL"},
    {"qbapi4 compares without case", "qbapi4.dll", 0, 6, "C:\\Drv\\", "C:\\Drv\\qbapi4.dll"},
    {"QBAPI4 on NT4 by bare name", "QBAPI4.DLL", 0, 5, "C:\\Drv", "QBAPI4.DLL"},
    {"version 4 on XP from the install folder", "QBAPI2.DLL", 4, 6, "C:\\Drv", "C:\\Drv\\QBAPI2.DLL"},
    {"version 3 on XP by bare name", "QBAPI4.DLL", 3, 6, "C:\\Drv", "QBAPI4.DLL"},
    {"version 4 on Win98 by bare name", "QBAPI.DLL", 4, 3, "C:\\Drv", "QBAPI.DLL"},
    {"install folder needed but unknown", "QBAPI4.DLL", 0, 6, "", ""},
};

TEST(QbapiPathFor, PathRules) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(QbapiPathFor(c.pszFile, c.iVersion, c.iGeneration, c.pszInstall), c.pszExpected);
    }
}

TEST(ModelFromDeviceId, TakesTextAfterFirstMdlUpToSemicolon) {
    const struct {
        const char* pszDeviceId;
        const char* pszModel;
    } kCases[] = {
        {"MFG:KAVRO;MDL:PX-100;CMD:ESC;", "PX-100"},
        {"MDL:A;MDL:B;", "A"},
        {"MFG:KAVRO;mdl:PX-100;", ""},
        {"MFG:KAVRO;MDL:PX-100", ""},
        {"", ""},
        {"MDL:;", ""},
    };
    for (const auto& c : kCases) EXPECT_EQ(ModelFromDeviceId(c.pszDeviceId), c.pszModel) << c.pszDeviceId;
    EXPECT_EQ(ModelFromDeviceId(nullptr), "");
}

TEST(CheckOSVersion, WineReportsTheNtFamily) { EXPECT_EQ(CGetPrinterStatus::CheckOSVersion(), 6); }

}  // namespace
