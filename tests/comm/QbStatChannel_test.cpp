// Channel selection and the status worker against the simulated printer,
// with a real window and message loop receiving the results.
#include "core/comm/QbStatChannel.h"

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/api/ProcessContext.h"
#include "sim/control/SimPrinter.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr char kModel[] = "PX-T9";

struct Received {
    UINT uMsg;
    int iResult;
};

// A message-only window that records the result messages it receives.
class ResultWindow {
public:
    ResultWindow() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &ResultWindow::WndProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PlxTestResultWindow";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ResultWindow() { DestroyWindow(m_hWnd); }
    ResultWindow(const ResultWindow&) = delete;
    ResultWindow& operator=(const ResultWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    const std::vector<Received>& Messages() const { return m_messages; }

    // Runs the message loop until n results arrived or the time is up.
    bool PumpUntil(size_t cMessages, DWORD dwTimeoutMs) {
        const DWORD dwStart = GetTickCount();
        while (m_messages.size() < cMessages) {
            if (GetTickCount() - dwStart > dwTimeoutMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        }
        return true;
    }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        auto* pThis = reinterpret_cast<ResultWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (pThis && (uMsg == WM_QB_STATUS_OPEN_FAILED || uMsg == WM_QB_STATUS_DONE)) {
            pThis->m_messages.push_back({uMsg, static_cast<int>(wParam)});
            return 0;
        }
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    std::vector<Received> m_messages;
};

class StatusChannelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_driver = new TestDriver("stch", StandardSetupBody(kModel));
        GetProcessContext().m_baseInfo.SetPrinterInformation(s_driver->PrinterName().c_str(),
                                                             s_driver->DriverName().c_str(), "FILE:", kModel,
                                                             nullptr, nullptr, nullptr);
    }
    static void TearDownTestSuite() {
        delete s_driver;
        s_driver = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(s_driver->Installed()) << s_driver->Error();
        m_sim = std::make_unique<SimPrinter>(m_folder.Path());
    }

    void Scenario(const std::string& strChannels, const std::string& strStatus, const std::string& strExtra = "") {
        ASSERT_TRUE(m_sim->SetScenario(SimPrinterSection(Printer(), strChannels, "MDL:PX-T9;", strStatus) + strExtra));
    }
    static const std::string& Printer() { return s_driver->PrinterName(); }

    static TestDriver* s_driver;
    TempFolder m_folder{"stch"};
    std::unique_ptr<SimPrinter> m_sim;
};

TestDriver* StatusChannelTest::s_driver = nullptr;

TEST_F(StatusChannelTest, SelectionByModeBits) {
    struct Case {
        const char* pszName;
        const char* pszChannels;
        uint32_t dwChannel;
        uint16_t wMode;
        int iExpected;
        uint16_t wSelectedMode;
    };
    const Case cases[] = {
        {"offered with all bits", "0x10000005:0x0007", 0x10000005, 0x0004, 1, 0x0007},
        {"offered without the bits", "0x10000005:0x0003", 0x10000005, 0x0004, 0, 0},
        {"not offered", "0x00000004:0x0004", 0x10000005, 0x0004, 0, 0},
        {"first of two entries decides", "0x10000005:0x0003, 0x10000005:0x0007", 0x10000005, 0x0004, 0, 0},
        {"no bits asked", "0x10000005:0x0000", 0x10000005, 0x0000, 1, 0},
        {"network channel keeps its mode", "0x10000005:0x8007", 0x10000005, 0x0003, 1, 0x8007},
        {"no list at all", "", 0x10000005, 0x0004, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        Scenario(c.pszChannels, "r");
        CQbApiChannel channel(kQbNamePrinter, Printer().c_str(), 0, 0);
        EXPECT_EQ(channel.SelectChannel(c.dwChannel, c.wMode), c.iExpected);
        EXPECT_EQ(channel.IsSelected(), c.iExpected == 1 ? 1 : 0);
        EXPECT_EQ(channel.SelectedChannel(), c.iExpected == 1 ? c.dwChannel : 0u);
        EXPECT_EQ(channel.SelectedMode(), c.wSelectedMode);
    }
}

TEST_F(StatusChannelTest, OpenChannelRefusesAnotherSelection) {
    Scenario("0x10000005:0x0007, 0x00000004:0x0004", "r");
    CQbApiChannel channel(kQbNamePrinter, Printer().c_str(), 0x10000005, 0x0003);
    ASSERT_EQ(channel.IsSelected(), 1);
    EXPECT_GT(channel.OpenChannel(), 0);
    EXPECT_EQ(channel.SelectChannel(0x00000004, 0x0004), -1);
    EXPECT_EQ(channel.SelectedChannel(), 0x10000005u);
    channel.Close();
    EXPECT_FALSE(channel.IsOpen());
    EXPECT_EQ(m_sim->Counters().lOpenChannels, 0);
    // Calls needing the handle are refused once closed.
    EXPECT_EQ(channel.QBSend("x", 1), kQbNotReady);
}

TEST_F(StatusChannelTest, StatusChannelTable) {
    const uint32_t expected[] = {0x00000004, 0x10000005, 0x10010003, 0x10000003, 0x02000001, 0, 0};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(CQbApiChannel::EnumStatusChannel(i), expected[i]) << i;
    EXPECT_EQ(CQbApiChannel::EnumStatusChannel(-1), 0u);
}

TEST_F(StatusChannelTest, PassesReportInOrderToTheWindow) {
    Scenario("0x10000005:0x0007", "", "Status.0=first\r\nStatus.1=second\r\n");
    ResultWindow window;
    CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
    std::vector<std::string> replies;
    for (int pass = 0; pass < 2; ++pass) {
        channel.EndStatusThread(1);
        ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
        ASSERT_TRUE(window.PumpUntil(pass + 1, 5000));
        const uint8_t* pReply = nullptr;
        const int cbReply = channel.GetStatusBuffer(&pReply);
        replies.emplace_back(reinterpret_cast<const char*>(pReply), cbReply);
    }
    ASSERT_EQ(window.Messages().size(), 2u);
    for (const Received& received : window.Messages()) {
        EXPECT_EQ(received.uMsg, WM_QB_STATUS_DONE);
        EXPECT_EQ(received.iResult, 1);
    }
    EXPECT_EQ(replies, (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(m_sim->Counters().lCalls[kSimQBOpenChannel], 1) << "the channel stays open between passes";
}

TEST_F(StatusChannelTest, PassOutcomes) {
    struct Case {
        const char* pszName;
        const char* pszChannels;
        std::string strExtra;
        UINT uMsg;
        int iResult;
        std::string strReply;
    };
    const Case cases[] = {
        {"only a channel the worker never tries", "0x10000003:0x0004", "", WM_QB_STATUS_OPEN_FAILED, -1, ""},
        {"channel does not open", "0x00000004:0x0004", "[Fault.QBOpenChannel]\r\nResult=0\r\n",
         WM_QB_STATUS_OPEN_FAILED, 0, ""},
        {"no status yet", "0x00000004:0x0004", "[Fault.QBGetStatus]\r\nCall=1\r\nResult=-17\r\n", WM_QB_STATUS_DONE,
         -17, ""},
        {"no reply", "0x00000004:0x0004", "[Fault.QBGetStatus]\r\nCall=1\r\nResult=0\r\n", WM_QB_STATUS_DONE, 0, ""},
        {"library faults", "0x00000004:0x0004", "[Fault.QBGetStatus]\r\nRaise=1\r\n", WM_QB_STATUS_DONE, -99, ""},
        {"size given without the size-query result", "0x00000004:0x0004",
         "[Fault.QBGetStatus]\r\nCall=1\r\nResult=5\r\nSize=5\r\n", WM_QB_STATUS_DONE, 1, "hello"},
        {"size too small for the reply", "0x00000004:0x0004",
         "[Fault.QBGetStatus]\r\nCall=1\r\nResult=-4\r\nSize=3\r\n", WM_QB_STATUS_DONE, kQbNeedBuffer, ""},
        {"negative size", "0x00000004:0x0004", "[Fault.QBGetStatus]\r\nCall=1\r\nResult=-4\r\nSize=-5\r\n",
         WM_QB_STATUS_DONE, -2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        Scenario(c.pszChannels, "hello", c.strExtra);
        ResultWindow window;
        CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
        ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
        ASSERT_TRUE(window.PumpUntil(1, 5000));
        EXPECT_EQ(window.Messages()[0].uMsg, c.uMsg);
        EXPECT_EQ(window.Messages()[0].iResult, c.iResult);
        const uint8_t* pReply = nullptr;
        const int cbReply = channel.GetStatusBuffer(&pReply);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(pReply ? pReply : reinterpret_cast<const uint8_t*>("")),
                              cbReply),
                  c.strReply);
    }
}

TEST_F(StatusChannelTest, NetworkPrinterByPortName) {
    // A network printer has no local name: the library knows it by port.
    ASSERT_TRUE(m_sim->SetScenario("[Port.NET_9100]\r\nChannels=0x10000005:0x8007\r\nStatus=by port\r\n"));
    ResultWindow window;
    CQbStatChannel channel(kQbNamePort, "NET_9100");
    ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
    ASSERT_TRUE(window.PumpUntil(1, 5000));
    EXPECT_EQ(window.Messages()[0].iResult, 1);
    EXPECT_EQ(channel.SelectedChannel(), 0x10000005u);
    EXPECT_EQ(channel.SelectedMode() & kQbModeRemote, kQbModeRemote);
    const uint8_t* pReply = nullptr;
    const int cbReply = channel.GetStatusBuffer(&pReply);
    ASSERT_NE(pReply, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(pReply), cbReply), "by port");
}

TEST_F(StatusChannelTest, SecondStartWhileRunningStartsNothing) {
    Scenario("0x00000004:0x0004", "r");
    ResultWindow window;
    CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
    ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
    EXPECT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 0);
    ASSERT_TRUE(window.PumpUntil(1, 5000));
    EXPECT_FALSE(window.PumpUntil(2, 1000)) << "only one pass ran";
}

TEST_F(StatusChannelTest, StoppedWorkerReportsNothing) {
    Scenario("0x00000004:0x0004", "r");
    ResultWindow window;
    {
        CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
        ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
        // Still in its first sleep.
        channel.EndStatusThread(1);
        HANDLE hThread = nullptr;
        EXPECT_EQ(channel.GetThreadHandle(&hThread), 0);
        EXPECT_EQ(hThread, nullptr);
    }
    EXPECT_FALSE(window.PumpUntil(1, 1000));
    EXPECT_EQ(m_sim->Counters().lCalls[kSimQBOpenChannel], 0);
}

TEST_F(StatusChannelTest, SlowPrinterNeverBlocksTheWindowThread) {
    Scenario("0x00000004:0x0004", "slow", "[Fault.QBGetStatus]\r\nCall=1\r\nDelayMs=2000\r\n");
    ResultWindow window;
    CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
    ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
    // The window keeps answering while the worker waits on the printer.
    const DWORD dwStart = GetTickCount();
    for (int i = 0; i < 10; ++i) {
        Sleep(100);
        SendMessageA(window.Handle(), WM_NULL, 0, 0);
    }
    EXPECT_LT(GetTickCount() - dwStart, 1800u);
    EXPECT_TRUE(window.Messages().empty());
    ASSERT_TRUE(window.PumpUntil(1, 5000));
    EXPECT_EQ(window.Messages()[0].iResult, 1);
}

TEST_F(StatusChannelTest, CallbackWithoutWindow) {
    Scenario("0x00000004:0x0004", "r");
    struct Sink {
        HANDLE hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        UINT uMsg = 0;
        int iResult = 0;
    } sink;
    CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
    const PFN_STATUS_CALLBACK pfnCallback = [](uintptr_t uContext, UINT uMsg, WPARAM wParam, LPARAM) {
        auto* pSink = reinterpret_cast<Sink*>(uContext);
        pSink->uMsg = uMsg;
        pSink->iResult = static_cast<int>(wParam);
        SetEvent(pSink->hEvent);
    };
    ASSERT_EQ(channel.StartStatusThread(nullptr, pfnCallback, reinterpret_cast<uintptr_t>(&sink)), 1);
    ASSERT_EQ(WaitForSingleObject(sink.hEvent, 5000), WAIT_OBJECT_0);
    channel.EndStatusThread(1);
    EXPECT_EQ(sink.uMsg, WM_QB_STATUS_DONE);
    EXPECT_EQ(sink.iResult, 1);
    EXPECT_EQ(channel.GetThreadHandle(nullptr), 1);
    CloseHandle(sink.hEvent);
}

TEST_F(StatusChannelTest, DestroyingTheObjectClosesWhatItsWorkerOpened) {
    Scenario("0x00000004:0x0004", "r");
    ResultWindow window;
    {
        CQbStatChannel channel(kQbNamePrinter, Printer().c_str());
        ASSERT_EQ(channel.StartStatusThread(window.Handle(), nullptr, 0), 1);
        ASSERT_TRUE(window.PumpUntil(1, 5000));
        EXPECT_EQ(m_sim->Counters().lOpenChannels, 1);
    }
    EXPECT_EQ(m_sim->Counters().lOpenChannels, 0);
}

}  // namespace
