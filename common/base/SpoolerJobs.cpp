#include "common/base/SpoolerJobs.h"

#include <atomic>

#include "common/base/SpoolerInfo.h"

namespace {

class CRealSpoolerJobs : public CSpoolerJobs {
public:
    BOOL EnumJobs(HANDLE hPrinter, DWORD dwFirstJob, DWORD dwNoJobs, DWORD dwLevel, BYTE* pJob, DWORD cbBuf,
                  DWORD* pcbNeeded, DWORD* pcReturned) override {
        return EnumJobsA(hPrinter, dwFirstJob, dwNoJobs, dwLevel, pJob, cbBuf, pcbNeeded, pcReturned);
    }
    BOOL GetJob(HANDLE hPrinter, DWORD dwJobId, DWORD dwLevel, BYTE* pJob, DWORD cbBuf, DWORD* pcbNeeded) override {
        return GetJobA(hPrinter, dwJobId, dwLevel, pJob, cbBuf, pcbNeeded);
    }
};

CRealSpoolerJobs gRealSpoolerJobs;
std::atomic<CSpoolerJobs*> gpSpoolerJobs{nullptr};

}  // namespace

CSpoolerJobs& SpoolerJobs() {
    CSpoolerJobs* pJobs = gpSpoolerJobs.load();
    return pJobs ? *pJobs : gRealSpoolerJobs;
}

CSpoolerJobs* SetSpoolerJobs(CSpoolerJobs* pJobs) { return gpSpoolerJobs.exchange(pJobs); }

std::vector<uint8_t> EnumJobInfo(HANDLE hPrinter, DWORD dwFirst, DWORD dwCount, DWORD dwLevel, DWORD* pdwReturned) {
    *pdwReturned = 0;
    return QuerySpoolerGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return SpoolerJobs().EnumJobs(hPrinter, dwFirst, dwCount, dwLevel, pb, cb, pcbNeeded, pdwReturned) != FALSE;
    });
}

std::vector<uint8_t> GetJobInfo(HANDLE hPrinter, DWORD dwJobId, DWORD dwLevel) {
    return QuerySpoolerGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return SpoolerJobs().GetJob(hPrinter, dwJobId, dwLevel, pb, cb, pcbNeeded) != FALSE;
    });
}
