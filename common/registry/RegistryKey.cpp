#include "common/registry/RegistryKey.h"

#include <cstring>

#include "common/registry/RegistryRead_private.h"

namespace {

// Longest value name the registry allows, with its terminator.
constexpr DWORD kValueNameSize = 16384;
// Key and class names are at most 255 characters.
constexpr DWORD kKeyNameSize = 256;

// Size first, then the bytes; the value may grow in between, so retry.
std::optional<std::vector<BYTE>> ReadBytes(const RegQueryValueFn& pfnQuery, HKEY hKey, const char* pszName) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD cbData = 0;
        if (pfnQuery(hKey, pszName, nullptr, nullptr, nullptr, &cbData) != ERROR_SUCCESS) return std::nullopt;
        std::vector<BYTE> data(cbData);
        const LONG lResult = pfnQuery(hKey, pszName, nullptr, nullptr, data.data(), &cbData);
        if (lResult == ERROR_SUCCESS) {
            data.resize(cbData);
            return data;
        }
        if (lResult != ERROR_MORE_DATA) return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

REGSAM RegDefaultAccess(bool bCreate, REGSAM dwAccess) {
    if (dwAccess != 0) return dwAccess;
    return bCreate ? KEY_ALL_ACCESS : KEY_READ;
}

std::string RegReadString(const RegQueryValueFn& pfnQuery, HKEY hKey, const char* pszName, const char* pszDefault,
                          DWORD cbMax) {
    const std::string strDefault = pszDefault ? pszDefault : "";
    if (!pfnQuery) return strDefault;
    if (cbMax == 0) {
        const auto data = ReadBytes(pfnQuery, hKey, pszName);
        if (!data) return strDefault;
        const char* pszText = reinterpret_cast<const char*>(data->data());
        return std::string(pszText, strnlen(pszText, data->size()));
    }
    // A spare zero byte ends text that was stored without its terminator;
    // such text fits only when it leaves room for one.
    std::vector<char> buffer(cbMax + 1, '\0');
    DWORD cbData = cbMax;
    if (pfnQuery(hKey, pszName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &cbData) != ERROR_SUCCESS)
        return strDefault;
    const size_t cch = strnlen(buffer.data(), cbData);
    return cch < cbMax ? std::string(buffer.data(), cch) : strDefault;
}

bool RegReadDword(const RegQueryValueFn& pfnQuery, HKEY hKey, const char* pszName, DWORD* pdwValue) {
    if (!pfnQuery) return false;
    DWORD dwValue = 0;
    DWORD cbValue = sizeof(dwValue);
    if (pfnQuery(hKey, pszName, nullptr, nullptr, reinterpret_cast<BYTE*>(&dwValue), &cbValue) != ERROR_SUCCESS)
        return false;
    *pdwValue = dwValue;
    return true;
}

RegistryKey::RegistryKey(HKEY hRoot, const char* pszSubKey, bool bCreate, REGSAM dwAccess)
    : m_dwAccess(RegDefaultAccess(bCreate, dwAccess)) {
    LONG lResult = ERROR_SUCCESS;
    if (bCreate) {
        DWORD dwDisposition = 0;
        lResult = RegCreateKeyExA(hRoot, pszSubKey, 0, nullptr, 0, m_dwAccess, nullptr, m_hKey.put(), &dwDisposition);
        m_bCreated = lResult == ERROR_SUCCESS && dwDisposition == REG_CREATED_NEW_KEY;
    } else {
        lResult = RegOpenKeyExA(hRoot, pszSubKey, 0, m_dwAccess, m_hKey.put());
    }
    m_bOpen = lResult == ERROR_SUCCESS;
    // A failed call promises nothing about the handle it was given.
    if (!m_bOpen) m_hKey.release();
}

void RegistryKey::Close() {
    m_hKey.reset();
    m_bOpen = false;
}

std::string RegistryKey::EnumKey(DWORD dwIndex, std::string* pstrClass) const {
    if (pstrClass) pstrClass->clear();
    if (!m_bOpen) return {};
    char szName[kKeyNameSize] = {};
    char szClass[kKeyNameSize] = {};
    DWORD cchName = kKeyNameSize;
    DWORD cchClass = kKeyNameSize;
    if (RegEnumKeyExA(m_hKey.get(), dwIndex, szName, &cchName, nullptr, szClass, &cchClass, nullptr) !=
        ERROR_SUCCESS)
        return {};
    if (pstrClass) *pstrClass = szClass;
    return szName;
}

std::string RegistryKey::EnumValue(DWORD dwIndex) const {
    if (!m_bOpen) return {};
    std::vector<char> name(kValueNameSize, '\0');
    DWORD cchName = kValueNameSize;
    if (RegEnumValueA(m_hKey.get(), dwIndex, name.data(), &cchName, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
        return {};
    return std::string(name.data(), cchName);
}

bool RegistryKey::DeleteValue(const char* pszName) {
    return m_bOpen && RegDeleteValueA(m_hKey.get(), pszName) == ERROR_SUCCESS;
}

std::string RegistryKey::GetString(const char* pszName, const char* pszDefault, DWORD cbMax) const {
    if (!m_bOpen) return pszDefault ? pszDefault : "";
    return RegReadString(RegQueryValueExA, m_hKey.get(), pszName, pszDefault, cbMax);
}

bool RegistryKey::SetString(const char* pszName, const char* pszText) {
    if (!m_bOpen || !pszText) return false;
    return RegSetValueExA(m_hKey.get(), pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText),
                          static_cast<DWORD>(strlen(pszText) + 1)) == ERROR_SUCCESS;
}

DWORD RegistryKey::GetNumber(const char* pszName, DWORD dwDefault) const {
    DWORD dwValue = dwDefault;
    if (m_bOpen) RegReadDword(RegQueryValueExA, m_hKey.get(), pszName, &dwValue);
    return dwValue;
}

int32_t RegistryKey::GetNumberOrMinusOne(const char* pszName) const {
    return static_cast<int32_t>(GetNumber(pszName, static_cast<DWORD>(-1)));
}

bool RegistryKey::SetNumber(const char* pszName, DWORD dwValue) {
    return m_bOpen && RegSetValueExA(m_hKey.get(), pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                                     sizeof(dwValue)) == ERROR_SUCCESS;
}

DWORD RegistryKey::GetSize(const char* pszName) const {
    DWORD cbData = 0;
    if (!m_bOpen || RegQueryValueExA(m_hKey.get(), pszName, nullptr, nullptr, nullptr, &cbData) != ERROR_SUCCESS)
        return 0;
    return cbData;
}

std::optional<std::vector<BYTE>> RegistryKey::GetBytes(const char* pszName) const {
    if (!m_bOpen) return std::nullopt;
    return ReadBytes(RegQueryValueExA, m_hKey.get(), pszName);
}

bool RegistryKey::SetBytes(const char* pszName, const void* pData, DWORD cbData) {
    if (!m_bOpen || (!pData && cbData)) return false;
    return RegSetValueExA(m_hKey.get(), pszName, 0, REG_BINARY, static_cast<const BYTE*>(pData), cbData) ==
           ERROR_SUCCESS;
}

bool RegistryKey::DeleteTree(const char* pszSubKey) {
    // An empty name would empty this key itself.
    if (!m_bOpen || !pszSubKey || !*pszSubKey) return false;
    return RegDeleteTreeA(m_hKey.get(), pszSubKey) == ERROR_SUCCESS;
}
