#include "common/registry/DriverRegistryKey.h"

#include <atomic>

#include "common/registry/RegistryRead_private.h"

namespace {

// Imported function addresses are not constants: initialised at start-up.
const DriverRegistryFunctions kPlainRegistry = {RegCreateKeyExA, RegOpenKeyExA, RegCloseKey, RegQueryValueExA};

std::atomic<const DriverRegistryFunctions*> gpRoute{nullptr};

}  // namespace

void SetDriverRegistryRoute(const DriverRegistryFunctions* pFunctions) { gpRoute = pFunctions; }

DriverRegistryKey::DriverRegistryKey(HKEY hRoot, const char* pszSubKey, bool bCreate, REGSAM dwAccess)
    : m_dwAccess(RegDefaultAccess(bCreate, dwAccess)) {
    const DriverRegistryFunctions* pRoute = gpRoute;
    m_functions = pRoute ? *pRoute : kPlainRegistry;
    LONG lResult = ERROR_INVALID_ACCESS;
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    if (bCreate && m_functions.pfnCreateKeyEx)
        lResult = m_functions.pfnCreateKeyEx(hRoot, pszSubKey, 0, nullptr, 0, m_dwAccess, nullptr, &hKey,
                                             &dwDisposition);
    else if (!bCreate && m_functions.pfnOpenKeyEx)
        lResult = m_functions.pfnOpenKeyEx(hRoot, pszSubKey, 0, m_dwAccess, &hKey);
    m_bOpen = lResult == ERROR_SUCCESS;
    m_hKey = m_bOpen ? hKey : nullptr;
    // The module's create counts only for a new key; the handle of an
    // existing one still goes back.
    if (m_bOpen && bCreate && pRoute && dwDisposition != REG_CREATED_NEW_KEY) Close();
}

DriverRegistryKey::~DriverRegistryKey() { Close(); }

void DriverRegistryKey::Close() {
    if (m_bOpen && m_functions.pfnCloseKey) m_functions.pfnCloseKey(m_hKey);
    m_hKey = nullptr;
    m_bOpen = false;
}

std::string DriverRegistryKey::GetString(const char* pszName, const char* pszDefault, DWORD cbMax) const {
    if (!m_bOpen) return pszDefault ? pszDefault : "";
    return RegReadString(m_functions.pfnQueryValueEx, m_hKey, pszName, pszDefault, cbMax);
}

DWORD DriverRegistryKey::GetNumber(const char* pszName, DWORD dwDefault) const {
    DWORD dwValue = dwDefault;
    if (m_bOpen) RegReadDword(m_functions.pfnQueryValueEx, m_hKey, pszName, &dwValue);
    return dwValue;
}
