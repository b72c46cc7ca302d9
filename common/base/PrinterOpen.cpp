#include "common/base/PrinterOpen.h"

#include <vector>

#include "common/base/WinVersion.h"

BOOL KV_OpenPrinter(const char* pszPrinter, HANDLE* phPrinter, PRINTER_DEFAULTSA* pDefaults) {
    if (!pszPrinter || !phPrinter) return FALSE;
    *phPrinter = nullptr;
    if (OpenPrinterA(const_cast<char*>(pszPrinter), phPrinter, pDefaults)) return TRUE;
    *phPrinter = nullptr;
    if (!GetWinVersion().bNtFamily) return FALSE;

    const int cch = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pszPrinter, -1, nullptr, 0);
    if (cch <= 0) return FALSE;
    std::vector<wchar_t> wide(static_cast<size_t>(cch));
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, pszPrinter, -1, wide.data(), cch) != cch) return FALSE;
    PRINTER_DEFAULTSW defaultsW = {};
    if (pDefaults) defaultsW.DesiredAccess = pDefaults->DesiredAccess;
    if (OpenPrinterW(wide.data(), phPrinter, pDefaults ? &defaultsW : nullptr)) return TRUE;
    *phPrinter = nullptr;
    return FALSE;
}

UniquePrinter OpenPrinterByName(const char* pszPrinter) {
    UniquePrinter printer;
    KV_OpenPrinter(pszPrinter, printer.put(), nullptr);
    return printer;
}
