// Key class for the machine-wide keys that driver installers write. While a
// driver recognition is in force its open, create, close and query go
// through the driver-information module's registry-like functions;
// otherwise it is the plain registry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "common/registry/RegistryKey.h"

// The module's four functions, with the registry functions' signatures.
// A null member is a function the module lacks: its calls yield
// ERROR_INVALID_ACCESS (12) without calling anything.
struct DriverRegistryFunctions {
    decltype(&RegCreateKeyExA) pfnCreateKeyEx;
    decltype(&RegOpenKeyExA) pfnOpenKeyEx;
    decltype(&RegCloseKey) pfnCloseKey;
    decltype(&RegQueryValueExA) pfnQueryValueEx;
};

// Puts a recognition in force (the table must outlive the keys opened
// through it) or, with null, lifts it.
void SetDriverRegistryRoute(const DriverRegistryFunctions* pFunctions);

class DriverRegistryKey {
public:
    // As RegistryKey; a routed create succeeds only when the key is new.
    DriverRegistryKey(HKEY hRoot, const char* pszSubKey, bool bCreate, REGSAM dwAccess = 0);
    ~DriverRegistryKey();
    DriverRegistryKey(const DriverRegistryKey&) = delete;
    DriverRegistryKey& operator=(const DriverRegistryKey&) = delete;

    void Close();
    bool IsOpen() const { return m_bOpen; }
    std::string GetString(const char* pszName, const char* pszDefault, DWORD cbMax = kRegTextSize) const;
    DWORD GetNumber(const char* pszName, DWORD dwDefault) const;

private:
    // Calls one of the functions; ERROR_INVALID_ACCESS for one the module
    // lacks.
    template <typename Fn, typename... Args>
    LONG Call(const char* pszName, Fn pfn, Args... args) const;
    std::function<LONG(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD)> QueryFunction() const;

    // The functions the key was opened with also close it, even when the
    // route changes meanwhile.
    DriverRegistryFunctions m_functions;
    HKEY m_hKey = nullptr;
    bool m_bOpen = false;
    REGSAM m_dwAccess = 0;
    bool m_bRouted = false;
};
