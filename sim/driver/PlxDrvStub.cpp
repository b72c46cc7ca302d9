// Main and configuration file of the sample printer driver. The spooler
// loads it, calls its event functions when the driver or a printer is added
// or removed, and asks it for the default document settings when a printer
// is added. Rendering and property sheets are not simulated.
#include <windows.h>

#include <cstring>

namespace {

// The header the spooler passes to DrvDocumentPropertySheets when it wants
// settings without a user interface.
struct DocumentPropertyHeader {
    WORD cbSize;
    WORD wReserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    DEVMODEW* pdmIn;
    DEVMODEW* pdmOut;
    DWORD cbOut;
    DWORD fMode;
};

void FillDefaultDevMode(DEVMODEW* pDevMode, const wchar_t* pszPrinter) {
    memset(pDevMode, 0, sizeof(*pDevMode));
    if (pszPrinter) lstrcpynW(pDevMode->dmDeviceName, pszPrinter, CCHDEVICENAME);
    pDevMode->dmSpecVersion = DM_SPECVERSION;
    pDevMode->dmSize = sizeof(*pDevMode);
    pDevMode->dmFields = DM_ORIENTATION | DM_PAPERSIZE | DM_COPIES;
    pDevMode->dmOrientation = DMORIENT_PORTRAIT;
    pDevMode->dmPaperSize = DMPAPER_A4;
    pDevMode->dmCopies = 1;
}

}  // namespace

extern "C" BOOL WINAPI DrvDriverEvent(DWORD, DWORD, LPBYTE, LPARAM) { return TRUE; }
extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) { return TRUE; }

extern "C" LONG WINAPI DrvDocumentPropertySheets(void* pPropSheetInfo, LPARAM lParam) {
    auto* pHeader = reinterpret_cast<DocumentPropertyHeader*>(lParam);
    if (pPropSheetInfo || !pHeader) return -1;
    if (pHeader->fMode == 0 || !pHeader->pdmOut) {
        pHeader->cbOut = sizeof(DEVMODEW);
        return static_cast<LONG>(pHeader->cbOut);
    }
    if (pHeader->pdmIn && pHeader->pdmIn->dmSize == sizeof(DEVMODEW))
        memcpy(pHeader->pdmOut, pHeader->pdmIn, sizeof(DEVMODEW));
    else
        FillDefaultDevMode(pHeader->pdmOut, pHeader->pszPrinterName);
    return IDOK;
}

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE, PWSTR, WORD, void*, DEVMODEW*) {
    return GDI_ERROR;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
