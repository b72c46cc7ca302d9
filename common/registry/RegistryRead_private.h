// Value reads shared by the plain and the driver-routed key classes; the
// query function is the registry's own or the driver module's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

using RegQueryValueFn = std::function<LONG(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)>;

// Access used when the caller passes 0.
REGSAM RegDefaultAccess(bool bCreate, REGSAM dwAccess);
// The string when it fits cbMax bytes with its terminator (cbMax 0: any
// size), else the default.
std::string RegReadString(const RegQueryValueFn& pfnQuery, HKEY hKey, const char* pszName, const char* pszDefault,
                          DWORD cbMax);
// True with the stored 4 bytes in *pdwValue.
bool RegReadDword(const RegQueryValueFn& pfnQuery, HKEY hKey, const char* pszName, DWORD* pdwValue);
