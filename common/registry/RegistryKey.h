// The registry-key class every part of the system uses: one open key,
// ANSI functions, no 64-bit view flag. Reads on a key that is not open
// give their defaults; writes fail.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/base/UniqueHandle.h"

// Fixed buffer of the system's names and paths: 259 characters and a
// terminator. A text that does not fit counts as absent.
constexpr DWORD kRegTextSize = 260;

class RegistryKey {
public:
    // dwAccess 0: KEY_ALL_ACCESS when creating, else KEY_READ. With bCreate
    // a missing key is created (no class, options 0), else only opened.
    RegistryKey(HKEY hRoot, const char* pszSubKey, bool bCreate, REGSAM dwAccess = 0);
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void Close();
    bool IsOpen() const { return m_bOpen; }
    // True when the constructor made the key rather than finding it.
    bool Created() const { return m_bCreated; }
    HKEY Handle() const { return m_hKey.get(); }

    // Subkey or value name at dwIndex, empty when there is none.
    std::string EnumKey(DWORD dwIndex, std::string* pstrClass = nullptr) const;
    std::string EnumValue(DWORD dwIndex) const;
    bool DeleteValue(const char* pszName);

    // cbMax: buffer size with the terminator; 0 asks the stored size first.
    std::string GetString(const char* pszName, const char* pszDefault, DWORD cbMax = kRegTextSize) const;
    bool SetString(const char* pszName, const char* pszText);
    DWORD GetNumber(const char* pszName, DWORD dwDefault) const;
    // -1 when the value is missing or the key is not open.
    int32_t GetNumberOrMinusOne(const char* pszName) const;
    bool SetNumber(const char* pszName, DWORD dwValue);
    // Stored size in bytes, 0 when missing.
    DWORD GetSize(const char* pszName) const;
    std::optional<std::vector<BYTE>> GetBytes(const char* pszName) const;
    bool SetBytes(const char* pszName, const void* pData, DWORD cbData);
    // Deletes the named subkey with everything below it.
    bool DeleteTree(const char* pszSubKey);

private:
    UniqueHKey m_hKey;
    bool m_bOpen = false;
    bool m_bCreated = false;
    REGSAM m_dwAccess = 0;
};
