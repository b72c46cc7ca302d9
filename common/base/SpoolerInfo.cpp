#include "common/base/SpoolerInfo.h"

#include "common/base/PrinterOpen.h"

std::vector<uint8_t> GetPrinterInfo(HANDLE hPrinter, DWORD dwLevel) {
    return QuerySpoolerGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return GetPrinterA(hPrinter, dwLevel, pb, cb, pcbNeeded) != FALSE;
    });
}

std::vector<uint8_t> GetPrinterDriverInfo(HANDLE hPrinter, DWORD dwLevel) {
    return QuerySpoolerGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return GetPrinterDriverA(hPrinter, nullptr, dwLevel, pb, cb, pcbNeeded) != FALSE;
    });
}

CPrinterInfo2::CPrinterInfo2(const char* pszPrinter) {
    if (!pszPrinter || !*pszPrinter) return;
    const UniquePrinter printer = OpenPrinterByName(pszPrinter);
    if (printer) m_info = GetPrinterInfo(printer.get(), 2);
}

std::vector<uint8_t> EnumDriverInfo(DWORD dwLevel, DWORD* pdwCount) {
    *pdwCount = 0;
    return QuerySpoolerGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return EnumPrinterDriversA(nullptr, nullptr, dwLevel, pb, cb, pcbNeeded, pdwCount) != FALSE;
    });
}
