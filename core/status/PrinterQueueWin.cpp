#include "core/status/PrinterQueueWin.h"

#include <cstring>

#include "common/base/PrinterOpen.h"
#include "common/base/SpoolerJobs.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"
#include "core/status/PrinterStatus.h"

namespace {

constexpr DWORD kFirstJobLevel = 2;
constexpr DWORD kJobTypeLevel = 1;
constexpr char kEmfDataType[] = "EMF";

}  // namespace

QueueLookup CSpoolerQueue::FindFirstJob() {
    const UniquePrinter printer = OpenPrinterByName(GetProcessContext().m_baseInfo.PrinterName().c_str());
    if (!printer) return QueueLookup::PrinterNotOpened;
    DWORD cJobs = 0;
    if (EnumJobInfo(printer.get(), 0, 1, kFirstJobLevel, &cJobs).empty()) return QueueLookup::NotKnown;
    return cJobs > 0 ? QueueLookup::HasJob : QueueLookup::Empty;
}

int CPrinterStatus::IsEMFSpool(uint32_t dwJobId, const char* pszPrinter, const char* pszPort) {
    TraceScope ts("CPrinterStatus::IsEMFSpool");
    const char* pszName = pszPrinter && *pszPrinter ? pszPrinter : pszPort;
    const UniquePrinter printer = OpenPrinterByName(pszName);
    if (!printer) return 0;
    const std::vector<uint8_t> info = GetJobInfo(printer.get(), dwJobId, kJobTypeLevel);
    if (info.size() < sizeof(JOB_INFO_1A)) return 0;
    const auto* pJob = reinterpret_cast<const JOB_INFO_1A*>(info.data());
    if (!pJob->pDatatype || !strstr(pJob->pDatatype, kEmfDataType)) return 0;
    ts.Write("bEMFSpool : %d\n", 1);
    return 1;
}
