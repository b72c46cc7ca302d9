// Registry isolation for tests: HKEY_CURRENT_USER of this process points at
// an empty key of its own while the object lives, so a test neither sees
// nor disturbs the user's settings or other test processes. Undone, and the
// key deleted, at the end.
#pragma once

#include <string>
#include <vector>

#include "common/base/UniqueHandle.h"

class ScratchCurrentUser {
public:
    ScratchCurrentUser();
    ~ScratchCurrentUser();
    ScratchCurrentUser(const ScratchCurrentUser&) = delete;
    ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

    bool Active() const { return m_bActive; }

private:
    std::string m_strPath;  // under the real HKEY_CURRENT_USER
    UniqueHKey m_key;
    bool m_bActive = false;
};

// An HKEY_LOCAL_MACHINE key of one test: gone before and after it, with
// everything below it. Machine-wide keys cannot be redirected like HKCU, so
// tests name theirs after their process.
class ScopedMachineKey {
public:
    explicit ScopedMachineKey(std::string strPath);
    ~ScopedMachineKey();
    ScopedMachineKey(const ScopedMachineKey&) = delete;
    ScopedMachineKey& operator=(const ScopedMachineKey&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Creates the key when needed and writes a string value.
    bool Set(const char* pszName, const char* pszText);
    void Delete();

private:
    std::string m_strPath;
};

// A raw printer entry base\subKey under HKEY_CURRENT_USER with "Name"
// (none for null); returns its path.
std::string MakeEntry(const char* pszBaseKey, const char* pszSubKey, const char* pszName);
// Names of the subkeys of an HKEY_CURRENT_USER key, in enumeration order.
std::vector<std::string> SubKeysOf(const char* pszKey);

// Where the stand-in core module PLXTESTPRN.DLL records its
// PrSetRegDefaultValue calls (under HKEY_CURRENT_USER): the string values
// "Printer", "Driver", "Port", "Model", "DataFile" (absent for null), the
// DWORD "Calls"; it returns the DWORD "Result" (0 when missing), or raises
// an access violation when the DWORD "Raise" is set.
constexpr char kRecorderKey[] = "Software\\PLXTests\\DefaultsCall";
constexpr char kRecorderModule[] = "PLXTESTPRN.DLL";
