#include "common/registry/DriverRegistryKey.h"

#include <atomic>

#include "common/base/Guard.h"
#include "common/registry/RegistryRead_private.h"
#include "common/trace/Trace.h"

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
    m_bRouted = pRoute != nullptr;
    HKEY hKey = nullptr;
    DWORD dwDisposition = 0;
    const LONG lResult = bCreate ? Call("RegCreateKeyEx", m_functions.pfnCreateKeyEx, hRoot, pszSubKey, DWORD{0},
                                        LPSTR{nullptr}, DWORD{0}, m_dwAccess, LPSECURITY_ATTRIBUTES{nullptr}, &hKey,
                                        &dwDisposition)
                                 : Call("RegOpenKeyEx", m_functions.pfnOpenKeyEx, hRoot, pszSubKey, DWORD{0},
                                        m_dwAccess, &hKey);
    m_bOpen = lResult == ERROR_SUCCESS;
    m_hKey = m_bOpen ? hKey : nullptr;
    // The module's create counts only for a new key; the handle of an
    // existing one still goes back.
    if (m_bOpen && bCreate && m_bRouted && dwDisposition != REG_CREATED_NEW_KEY) Close();
}

template <typename Fn, typename... Args>
LONG DriverRegistryKey::Call(const char* pszName, Fn pfn, Args... args) const {
    if (!pfn) return ERROR_INVALID_ACCESS;
    if (!m_bRouted) return pfn(args...);
    // The driver's module is outside code: a fault in it fails this call
    // instead of ending the process.
    TraceScope trace("DriverRegistryKey::Call");
    return GuardedCall(trace, pszName, [&] { return static_cast<int>(pfn(args...)); });
}

RegQueryValueFn DriverRegistryKey::QueryFunction() const {
    return [this](HKEY hKey, LPCSTR pszName, LPDWORD pdwReserved, LPDWORD pdwType, LPBYTE pData, LPDWORD pcbData) {
        return Call("RegQueryValueEx", m_functions.pfnQueryValueEx, hKey, pszName, pdwReserved, pdwType, pData,
                    pcbData);
    };
}

DriverRegistryKey::~DriverRegistryKey() { Close(); }

void DriverRegistryKey::Close() {
    if (m_bOpen) Call("RegCloseKey", m_functions.pfnCloseKey, m_hKey);
    m_hKey = nullptr;
    m_bOpen = false;
}

std::string DriverRegistryKey::GetString(const char* pszName, const char* pszDefault, DWORD cbMax) const {
    if (!m_bOpen) return pszDefault ? pszDefault : "";
    return RegReadString(QueryFunction(), m_hKey, pszName, pszDefault, cbMax);
}

DWORD DriverRegistryKey::GetNumber(const char* pszName, DWORD dwDefault) const {
    DWORD dwValue = dwDefault;
    if (m_bOpen) RegReadDword(QueryFunction(), m_hKey, pszName, &dwValue);
    return dwValue;
}
