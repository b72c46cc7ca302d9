#include "core/api/plxcore.h"

#include "common/trace/Trace.h"
#include "core/comm/GetPrinterStatus.h"

// Exports catch everything: nothing may unwind into the caller.

PLXCORE_API int __cdecl PrGetPrinterStatus(const char* pszPrinter, BYTE** ppStatus) {
    try {
        TraceScope trace("PrGetPrinterStatus()");
        CGetPrinterStatus request;
        return request.ProcMain(pszPrinter, ppStatus);
    } catch (...) {
        return kGpsOutOfMemory;
    }
}

PLXCORE_API void __cdecl PrReleasePrinterStatus(BYTE* pStatus) {
    if (!pStatus) return;
    try {
        TraceScope trace("PrReleasePrinterStatus()");
        if (GlobalFree(pStatus) != nullptr) trace.Write("Error : Buffer Free\n");
    } catch (...) {
    }
}
