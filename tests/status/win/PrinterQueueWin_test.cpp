// The spooler's side of classification: the queue behind the offline
// cancel button and the data type of the record's job, on the real spooler
// with a double of the two job calls Wine lacks.
#include "core/status/PrinterQueueWin.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/base/PrinterOpen.h"
#include "common/base/SpoolerInfo.h"
#include "common/base/SpoolerJobs.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfoWin.h"
#include "core/status/StatusResourceIds.h"
#include "tests/status/win/StatusWinTestUtil.h"

namespace {

constexpr uint32_t kCommandChannel = 0x10000005;
constexpr int kOffline = 59;

struct FakeJob {
    DWORD dwId;
    const char* pszDatatype;  // null: none
};

// The job calls of one printer, answered from a list: asked for another
// printer, it has no jobs. With bFail it fails as Wine's EnumJobs does:
// FALSE, nothing needed, the last error left as it was.
class FakeSpoolerJobs : public CSpoolerJobs {
public:
    FakeSpoolerJobs(std::string strPrinter, std::vector<FakeJob> jobs, bool bFail = false)
        : m_strPrinter(std::move(strPrinter)), m_jobs(std::move(jobs)), m_bFail(bFail) {
        m_pPrevious = SetSpoolerJobs(this);
    }
    ~FakeSpoolerJobs() override { SetSpoolerJobs(m_pPrevious); }
    FakeSpoolerJobs(const FakeSpoolerJobs&) = delete;
    FakeSpoolerJobs& operator=(const FakeSpoolerJobs&) = delete;

    BOOL EnumJobs(HANDLE hPrinter, DWORD dwFirstJob, DWORD dwNoJobs, DWORD dwLevel, BYTE* pJob, DWORD cbBuf,
                  DWORD* pcbNeeded, DWORD* pcReturned) override {
        ++m_nCalls;
        *pcbNeeded = 0;
        *pcReturned = 0;
        if (m_bFail || dwLevel != 2) return FALSE;
        std::vector<FakeJob> listed;
        if (IsMyPrinter(hPrinter)) {
            for (DWORD i = dwFirstJob; i < m_jobs.size() && listed.size() < dwNoJobs; ++i) listed.push_back(m_jobs[i]);
        }
        if (!Answer<JOB_INFO_2A>(listed, pJob, cbBuf, pcbNeeded)) return FALSE;
        *pcReturned = static_cast<DWORD>(listed.size());
        return TRUE;
    }

    BOOL GetJob(HANDLE hPrinter, DWORD dwJobId, DWORD dwLevel, BYTE* pJob, DWORD cbBuf, DWORD* pcbNeeded) override {
        ++m_nCalls;
        *pcbNeeded = 0;
        if (dwLevel != 1 || !IsMyPrinter(hPrinter)) return FALSE;
        for (const FakeJob& job : m_jobs) {
            if (job.dwId == dwJobId) return Answer<JOB_INFO_1A>({job}, pJob, cbBuf, pcbNeeded);
        }
        return FALSE;
    }

    int Calls() const { return m_nCalls; }

private:
    bool IsMyPrinter(HANDLE hPrinter) const {
        const std::vector<uint8_t> info = GetPrinterInfo(hPrinter, 2);
        return info.size() >= sizeof(PRINTER_INFO_2A) &&
               m_strPrinter == reinterpret_cast<const PRINTER_INFO_2A*>(info.data())->pPrinterName;
    }

    // Records first, their data type texts after them, as the spooler lays
    // out its answers.
    template <typename Record>
    static bool Answer(const std::vector<FakeJob>& jobs, BYTE* pJob, DWORD cbBuf, DWORD* pcbNeeded) {
        DWORD cbNeeded = static_cast<DWORD>(jobs.size() * sizeof(Record));
        for (const FakeJob& job : jobs) cbNeeded += job.pszDatatype ? static_cast<DWORD>(strlen(job.pszDatatype) + 1) : 0;
        *pcbNeeded = cbNeeded;
        if (cbBuf < cbNeeded) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return false;
        }
        if (cbNeeded == 0) return true;
        memset(pJob, 0, cbNeeded);
        char* pszText = reinterpret_cast<char*>(pJob + jobs.size() * sizeof(Record));
        for (size_t i = 0; i < jobs.size(); ++i) {
            auto* pRecord = reinterpret_cast<Record*>(pJob) + i;
            pRecord->JobId = jobs[i].dwId;
            if (!jobs[i].pszDatatype) continue;
            strcpy(pszText, jobs[i].pszDatatype);
            pRecord->pDatatype = pszText;
            pszText += strlen(pszText) + 1;
        }
        return true;
    }

    std::string m_strPrinter;
    std::vector<FakeJob> m_jobs;
    bool m_bFail;
    int m_nCalls = 0;
    CSpoolerJobs* m_pPrevious = nullptr;
};

class PrinterQueueTest : public StatusPrinterTest {
protected:
    void SetUp() override {
        StatusPrinterTest::SetUp();
        m_strDataFile = Printer().UseDataFile("", "");
    }

    // Sets a printer of this name, of the test's driver and data file, into
    // the process context (a printer the spooler does not know has no
    // install folder, so no resource module: partly set up).
    void SetContextPrinter(const char* pszPrinter) {
        ASSERT_GE(GetProcessContext().m_baseInfo.SetPrinterInformation(pszPrinter, Printer().Driver().c_str(),
                                                                       kStatusPort, kStatusModel,
                                                                       m_strDataFile.c_str(), nullptr, nullptr),
                  CBaseInfo::kPartial);
    }

    std::string m_strDataFile;
};

TEST_F(PrinterQueueTest, OfflineCancelButtonFollowsTheQueue) {
    struct Case {
        const char* name;
        std::vector<FakeJob> jobs;
        bool fail;
        bool otherPrinter;  // the context names a printer the spooler does not know
        int subButton;
        int calls;
    };
    const Case kCases[] = {
        {"empty queue: no cancel button", {}, false, false, 0, 1},
        {"a queued job keeps it", {{7, "RAW"}}, false, false, IDS_INK_OFFLINE_CANCEL, 2},
        {"two jobs", {{7, "RAW"}, {8, "RAW"}}, false, false, IDS_INK_OFFLINE_CANCEL, 2},
        {"queue cannot be listed: kept", {}, true, false, IDS_INK_OFFLINE_CANCEL, 1},
        {"printer cannot be opened: kept", {}, false, true, IDS_INK_OFFLINE_CANCEL, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeSpoolerJobs jobs(Printer().Name(), c.jobs, c.fail);
        SetContextPrinter(c.otherPrinter ? "PLX no such printer" : Printer().Name().c_str());
        const CContextStatusInfo info;
        const auto status = info.CreateStatusObject(kCommandChannel, nullptr, 0, kOffline, 0, 0);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetRow().SubButton, c.subButton);
        EXPECT_EQ(jobs.Calls(), c.calls);
    }
}

TEST_F(PrinterQueueTest, FirstJobOnTheRealSpooler) {
    if (RunningOnWine()) GTEST_SKIP() << "Wine 8's EnumJobs lists no jobs (FALSE, no error set)";
    CSpoolerQueue queue;
    EXPECT_EQ(queue.FindFirstJob(), QueueLookup::Empty);
    const UniquePrinter printer = OpenPrinterByName(Printer().Name().c_str());
    ASSERT_TRUE(printer);
    DOC_INFO_1A doc = {const_cast<char*>("plx queue test"), nullptr, const_cast<char*>("RAW")};
    const DWORD dwJob = StartDocPrinterA(printer.get(), 1, reinterpret_cast<BYTE*>(&doc));
    ASSERT_NE(dwJob, 0u);
    EXPECT_EQ(queue.FindFirstJob(), QueueLookup::HasJob);
    EndDocPrinter(printer.get());
}

TEST_F(PrinterQueueTest, IsEMFSpool) {
    const std::string& strPrinter = Printer().Name();
    FakeSpoolerJobs jobs(strPrinter, {{3, "NT EMF 1.008"}, {4, "RAW"}, {5, "nt emf 1.008"}, {6, nullptr}});
    struct Case {
        const char* name;
        uint32_t jobId;
        const char* printer;
        const char* port;
        int result;
    };
    const Case kCases[] = {
        {"EMF job", 3, strPrinter.c_str(), kStatusPort, 1},
        {"raw job", 4, strPrinter.c_str(), kStatusPort, 0},
        {"the comparison heeds case", 5, strPrinter.c_str(), kStatusPort, 0},
        {"job without a data type", 6, strPrinter.c_str(), kStatusPort, 0},
        {"job not in the queue", 9, strPrinter.c_str(), kStatusPort, 0},
        {"by port name without a printer name", 3, "", strPrinter.c_str(), 1},
        {"by port name without a printer", 3, nullptr, strPrinter.c_str(), 1},
        {"printer unknown", 3, "PLX no such printer", kStatusPort, 0},
        {"no names", 3, nullptr, nullptr, 0},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(CPrinterStatus::IsEMFSpool(c.jobId, c.printer, c.port), c.result) << c.name;
    }
}

TEST_F(PrinterQueueTest, IsEMFSpoolOnTheRealSpooler) {
    if (RunningOnWine()) GTEST_SKIP() << "Wine 8's GetJob gives no data type for a job";
    const UniquePrinter printer = OpenPrinterByName(Printer().Name().c_str());
    ASSERT_TRUE(printer);
    DOC_INFO_1A doc = {const_cast<char*>("plx emf test"), nullptr, const_cast<char*>("NT EMF 1.008")};
    const DWORD dwJob = StartDocPrinterA(printer.get(), 1, reinterpret_cast<BYTE*>(&doc));
    ASSERT_NE(dwJob, 0u);
    EXPECT_EQ(CPrinterStatus::IsEMFSpool(dwJob, Printer().Name().c_str(), kStatusPort), 1);
    EndDocPrinter(printer.get());
}

}  // namespace
