// The spooler's job calls behind one narrow seam. Wine 8 lists no jobs
// (EnumJobs fails without setting an error) and keeps no data type with a
// job (GetJob gives none), so tests put a double in place of these two
// calls; every other spooler call goes to the real spooler.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <vector>

class CSpoolerJobs {
public:
    virtual ~CSpoolerJobs() = default;
    // As EnumJobsA and GetJobA.
    virtual BOOL EnumJobs(HANDLE hPrinter, DWORD dwFirstJob, DWORD dwNoJobs, DWORD dwLevel, BYTE* pJob, DWORD cbBuf,
                          DWORD* pcbNeeded, DWORD* pcReturned) = 0;
    virtual BOOL GetJob(HANDLE hPrinter, DWORD dwJobId, DWORD dwLevel, BYTE* pJob, DWORD cbBuf, DWORD* pcbNeeded) = 0;
};

// The calls in use: the real spooler's unless a double was put in place.
CSpoolerJobs& SpoolerJobs();
// Puts pJobs in place (null: the real spooler again); returns the one it
// replaces, null for the real spooler.
CSpoolerJobs* SetSpoolerJobs(CSpoolerJobs* pJobs);

// Level-n information of up to dwCount jobs from position dwFirst, with
// their count in *pdwReturned; empty when the spooler did not answer (a
// queue without jobs gives a non-empty buffer and a count of 0).
std::vector<uint8_t> EnumJobInfo(HANDLE hPrinter, DWORD dwFirst, DWORD dwCount, DWORD dwLevel, DWORD* pdwReturned);
// Level-n information of one job; empty on failure.
std::vector<uint8_t> GetJobInfo(HANDLE hPrinter, DWORD dwJobId, DWORD dwLevel);
