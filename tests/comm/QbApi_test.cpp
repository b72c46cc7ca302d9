// The process-wide library binding against the simulated printer: the
// library's own load and call counters show when it is loaded and asked.
#include "core/comm/QbApi.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "core/api/ProcessContext.h"
#include "sim/control/SimPrinter.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr char kModel[] = "PX-T8";
constexpr char kChannels[] = "0x10000005:0x0007, 0x00000004:0x0004";

// One driver and printer for the suite; each test gets a fresh simulated
// printer and a process context pointing at the driver.
class QbApiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_driver = new TestDriver("qbapi", StandardSetupBody(kModel)); }
    static void TearDownTestSuite() {
        delete s_driver;
        s_driver = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(s_driver->Installed()) << s_driver->Error();
        UseDriver(*s_driver);
        m_sim = std::make_unique<SimPrinter>(m_folder.Path());
        ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), kChannels, "MFG:KAVRO;MDL:PX-T8;", "reply")));
    }
    void TearDown() override { EXPECT_FALSE(GetQbApiBase().IsLoaded()) << "a test left the library loaded"; }

    static void UseDriver(const TestDriver& driver) {
        GetProcessContext().m_baseInfo.SetPrinterInformation(driver.PrinterName().c_str(),
                                                             driver.DriverName().c_str(), "FILE:", kModel, nullptr,
                                                             nullptr, nullptr);
    }
    static const std::string& Printer() { return s_driver->PrinterName(); }
    SimCounters Counters() const { return m_sim->Counters(); }

    static TestDriver* s_driver;
    TempFolder m_folder{"qbapi"};
    std::unique_ptr<SimPrinter> m_sim;
};

TestDriver* QbApiTest::s_driver = nullptr;

TEST_F(QbApiTest, LibraryIsLoadedExactlyWhileAHandleLives) {
    {
        auto first = std::make_unique<CQbApi>();
        EXPECT_EQ(first->IsReady(), 1);
        EXPECT_EQ(Counters().lLoads, 1);
        {
            CQbApi second;
            EXPECT_EQ(GetQbApiBase().UseCount(), 2u);
        }
        EXPECT_TRUE(GetQbApiBase().IsLoaded());
        EXPECT_EQ(Counters().lUnloads, 0);
        first.reset();
        EXPECT_FALSE(GetQbApiBase().IsLoaded());
        EXPECT_EQ(Counters().lUnloads, 1);
        EXPECT_EQ(Counters().lCalls[kSimQBRelease], 1);
    }
    // The next handle loads and initializes afresh.
    CQbApi again;
    EXPECT_EQ(again.IsReady(), 1);
    EXPECT_EQ(Counters().lLoads, 2);
    EXPECT_EQ(Counters().lCalls[kSimQBInitialize], 2);
}

TEST_F(QbApiTest, HoldKeepsTheLibraryBetweenHandles) {
    {
        CQbApi handle;
        EXPECT_EQ(handle.Hold(), 2u);
    }
    EXPECT_TRUE(GetQbApiBase().IsLoaded());
    EXPECT_EQ(Counters().lLoads, 1);
    {
        CQbApi handle;
        EXPECT_EQ(Counters().lLoads, 1) << "the held binding is reused";
        EXPECT_EQ(handle.DropHold(), 1u);
    }
    EXPECT_FALSE(GetQbApiBase().IsLoaded());
}

TEST_F(QbApiTest, FailedInitializeIsNotReadyButStillReleased) {
    ASSERT_TRUE(m_sim->SetScenario("[Fault.QBInitialize]\r\nResult=1\r\n"));
    {
        CQbApi handle;
        EXPECT_EQ(handle.IsReady(), 0);
        EXPECT_EQ(handle.GetChannels(kQbNamePrinter, Printer().c_str()), -1);
    }
    EXPECT_EQ(Counters().lCalls[kSimQBRelease], 1);
    EXPECT_EQ(Counters().lUnloads, 1);
}

TEST_F(QbApiTest, LibraryLackingAFunctionIsNeverInitialized) {
    // The driver names the variant without QBGetDeviceID in its own folder.
    TestDriver driver("qbnodev", "REGENTER=DRV,\"InstallPath\",\"" + ProgramFolder() +
                                     "\\qbapi_nodevid\"\r\nREGENTER=DRV,\"QBAPI32\",\"QBAPI.DLL\"\r\n");
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    UseDriver(driver);
    {
        CQbApi handle;
        EXPECT_EQ(handle.IsReady(), 0);
        EXPECT_TRUE(GetQbApiBase().IsLoaded());
    }
    UseDriver(*s_driver);
    EXPECT_EQ(Counters().lCalls[kSimQBInitialize], 0);
}

TEST_F(QbApiTest, ChannelListIsAskedOncePerBinding) {
    CQbApi handle;
    EXPECT_EQ(handle.GetChannels(kQbNamePrinter, Printer().c_str()), 2);
    // Another name gets the list already held.
    CQbApi other;
    EXPECT_EQ(other.GetChannels(kQbNamePort, "LPT9:"), 2);
    EXPECT_EQ(Counters().lCalls[kSimQBGetAvailableChannel], 2) << "one size query and one read";
}

TEST_F(QbApiTest, ChannelCountsFromTheLibraryAreNotTrusted) {
    struct Case {
        const char* pszName;
        std::string strFault;
        int iExpected;
        int iHeld;
    };
    const Case cases[] = {
        {"count beyond the entries sent", "[Fault.QBGetAvailableChannel]\r\nCall=2\r\nCount=100000\r\n", 2, 2},
        {"zero count", "[Fault.QBGetAvailableChannel]\r\nCall=2\r\nCount=0\r\n", 0, -1},
        {"negative count", "[Fault.QBGetAvailableChannel]\r\nCall=2\r\nCount=-3\r\n", -3, -1},
        {"absurd size", "[Fault.QBGetAvailableChannel]\r\nCall=1\r\nSize=-8\r\n", 0, -1},
        {"library faults", "[Fault.QBGetAvailableChannel]\r\nRaise=1\r\n", -99, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), kChannels, "MDL:PX-T8;", "r") + c.strFault));
        CQbApi handle;
        EXPECT_EQ(handle.GetChannels(kQbNamePrinter, Printer().c_str()), c.iExpected);
        EXPECT_EQ(GetQbApiBase().ChannelCount(), c.iHeld);
    }
}

TEST_F(QbApiTest, SlowQueryDoesNotHoldUpOtherHandles) {
    ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), kChannels, "MDL:PX-T8;", "r") +
                                   "[Fault.QBGetAvailableChannel]\r\nCall=1\r\nDelayMs=1500\r\n"));
    CQbApi anchor;
    std::thread worker([] {
        CQbApi handle;
        handle.GetChannels(kQbNamePrinter, Printer().c_str());
    });
    Sleep(300);  // the worker is inside the library now
    const DWORD dwStart = GetTickCount();
    {
        CQbApi other;
        EXPECT_EQ(other.IsReady(), 1);
    }
    EXPECT_LT(GetTickCount() - dwStart, 500u);
    worker.join();
    EXPECT_EQ(GetQbApiBase().ChannelCount(), 2);
}

TEST_F(QbApiTest, DeviceIdentification) {
    struct Case {
        const char* pszName;
        std::string strFault;
        std::string strExpected;
        int iCalls;
        int iLastResult;
    };
    const Case cases[] = {
        {"no size offered: no second call", "[Fault.QBGetDeviceID]\r\nCall=1\r\nResult=-4\r\nSize=0\r\n", "", 1,
         kQbNeedBuffer},
        {"second call fails", "[Fault.QBGetDeviceID]\r\nCall=2\r\nResult=-7\r\n", "", 2, -7},
        {"library faults", "[Fault.QBGetDeviceID]\r\nRaise=1\r\n", "", 1, -99},
        // Last: a text once read is kept for the life of the process.
        {"text read and kept", "", "MFG:KAVRO;MDL:PX-T8;", 2, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), kChannels, "MFG:KAVRO;MDL:PX-T8;", "r") +
                                       c.strFault));
        m_sim->ResetCounters();
        CQbApi handle;
        EXPECT_EQ(handle.GetDeviceId(kQbNamePrinter, Printer().c_str()), c.strExpected);
        EXPECT_EQ(handle.LastDeviceIdResult(), c.iLastResult);
        // A text once read is not asked for again.
        handle.GetDeviceId(kQbNamePrinter, Printer().c_str());
        EXPECT_EQ(Counters().lCalls[kSimQBGetDeviceID], c.strExpected.empty() ? 2 * c.iCalls : c.iCalls);
    }
}

TEST_F(QbApiTest, MissingNamesAndFaults) {
    ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), kChannels, "MDL:PX-T8;", "r") +
                                   "[Fault.QBOpenChannel]\r\nRaise=1\r\n"));
    CQbApi handle;
    EXPECT_EQ(handle.GetChannels(kQbNamePrinter, ""), kQbNoBinding);
    EXPECT_EQ(handle.GetChannels(kQbNamePrinter, nullptr), kQbNoBinding);
    EXPECT_EQ(handle.GetDeviceId(kQbNamePrinter, nullptr), "");
    EXPECT_EQ(handle.OpenChannelByName(kQbNamePrinter, "", 4), -1);
    EXPECT_EQ(handle.OpenChannelByName(kQbNamePrinter, Printer().c_str(), 4), -99);
    EXPECT_EQ(Counters().lFaultsRaised, 1);
}

TEST_F(QbApiTest, HandlesFromManyThreadsShareOneLoad) {
    constexpr int kThreads = 6;
    constexpr int kRounds = 40;
    std::atomic<int> notReady{0};
    std::atomic<int> unloadedWhileUsed{0};
    {
        // One handle stays for the whole run, so every thread shares its load.
        CQbApi anchor;
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&] {
                for (int i = 0; i < kRounds; ++i) {
                    CQbApi handle;
                    if (!handle.IsReady()) ++notReady;
                    if (!GetQbApiBase().IsLoaded()) ++unloadedWhileUsed;
                    if (handle.GetChannels(kQbNamePrinter, Printer().c_str()) != 2) ++notReady;
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        EXPECT_EQ(Counters().lLoads, 1);
    }
    EXPECT_EQ(notReady.load(), 0);
    EXPECT_EQ(unloadedWhileUsed.load(), 0);
    EXPECT_EQ(Counters().lUnloads, 1);
}

TEST_F(QbApiTest, HandlesComingAndGoingOnManyThreadsNeverLeakALoad) {
    constexpr int kThreads = 6;
    constexpr int kRounds = 25;
    std::atomic<int> unloadedWhileUsed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                CQbApi handle;
                if (!GetQbApiBase().IsLoaded()) ++unloadedWhileUsed;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(unloadedWhileUsed.load(), 0);
    const SimCounters counters = Counters();
    EXPECT_GE(counters.lLoads, 1);
    EXPECT_EQ(counters.lLoads, counters.lUnloads);
    EXPECT_EQ(counters.lCalls[kSimQBInitialize], counters.lCalls[kSimQBRelease]);
}

}  // namespace
