// Stand-in of the driver package's driver-information module. Its
// registry-like functions pass straight through to the registry and count
// their calls in the simulator's shared counters, so tests can tell that a
// read was routed through the module; a query of kSimDrvRegFaultValue
// faults. The other entries of its tables do nothing here.
#include <windows.h>

#include <cstring>

#include "sim/common/SimScenario.h"

// Exported by ordinal through the .def files only.
#define STUB_EXPORT extern "C"

STUB_EXPORT LONG WINAPI DrvRegCreateKeyEx(HKEY hKey, LPCSTR pszSubKey, DWORD dwReserved, LPSTR pszClass,
                                          DWORD dwOptions, REGSAM samDesired, LPSECURITY_ATTRIBUTES pSecurity,
                                          PHKEY phResult, LPDWORD pdwDisposition) {
    SimCount(kSimDrvRegCreateKey);
    return RegCreateKeyExA(hKey, pszSubKey, dwReserved, pszClass, dwOptions, samDesired, pSecurity, phResult,
                           pdwDisposition);
}

STUB_EXPORT LONG WINAPI DrvRegOpenKeyEx(HKEY hKey, LPCSTR pszSubKey, DWORD dwOptions, REGSAM samDesired,
                                        PHKEY phResult) {
    SimCount(kSimDrvRegOpenKey);
    return RegOpenKeyExA(hKey, pszSubKey, dwOptions, samDesired, phResult);
}

STUB_EXPORT LONG WINAPI DrvRegCloseKey(HKEY hKey) {
    SimCount(kSimDrvRegCloseKey);
    return RegCloseKey(hKey);
}

STUB_EXPORT LONG WINAPI DrvRegQueryValueEx(HKEY hKey, LPCSTR pszValueName, LPDWORD pdwReserved, LPDWORD pdwType,
                                           LPBYTE pData, LPDWORD pcbData) {
    SimCount(kSimDrvRegQueryValue);
    if (pszValueName && strcmp(pszValueName, kSimDrvRegFaultValue) == 0) {
        SimRaiseAccessViolation();
    }
    return RegQueryValueExA(hKey, pszValueName, pdwReserved, pdwType, pData, pcbData);
}

// The module's further functions, which nothing here calls.
STUB_EXPORT int __cdecl DrvInfoUnused() { return 0; }

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) { return SimModuleMain(hInstance, dwReason); }
