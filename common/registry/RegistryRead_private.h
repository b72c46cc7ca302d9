// Value reads shared by the plain and the driver-routed key classes; the
// query function is the registry's own or the driver module's.
#pragma once

#include <windows.h>

#include <string>

using RegQueryValueFn = decltype(&RegQueryValueExA);

// Access used when the caller passes 0.
REGSAM RegDefaultAccess(bool bCreate, REGSAM dwAccess);
// The string when it fits cbMax bytes with its terminator (cbMax 0: any
// size), else the default.
std::string RegReadString(RegQueryValueFn pfnQuery, HKEY hKey, const char* pszName, const char* pszDefault,
                          DWORD cbMax);
// True with the stored 4 bytes in *pdwValue.
bool RegReadDword(RegQueryValueFn pfnQuery, HKEY hKey, const char* pszName, DWORD* pdwValue);
