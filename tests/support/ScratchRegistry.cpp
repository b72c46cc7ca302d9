#include "tests/support/ScratchRegistry.h"

#include <windows.h>

#include <atomic>
#include <utility>

#include "common/registry/RegistryKey.h"

namespace {

constexpr char kScratchParent[] = "Software\\PLXTests";

}  // namespace

ScratchCurrentUser::ScratchCurrentUser() {
    static std::atomic<unsigned> uCounter{0};
    m_strPath = std::string(kScratchParent) + "\\User_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(uCounter++);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_strPath.c_str());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_key.put(),
                        nullptr) != ERROR_SUCCESS)
        return;
    m_bActive = RegOverridePredefKey(HKEY_CURRENT_USER, m_key.get()) == ERROR_SUCCESS;
}

ScratchCurrentUser::~ScratchCurrentUser() {
    if (m_bActive) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    m_key.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, m_strPath.c_str());
    // Fails while other processes still have theirs: left to the last one.
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);
}

std::string MakeEntry(const char* pszBaseKey, const char* pszSubKey, const char* pszName) {
    const std::string strPath = std::string(pszBaseKey) + "\\" + pszSubKey;
    RegistryKey entry(HKEY_CURRENT_USER, strPath.c_str(), true);
    if (pszName) entry.SetString("Name", pszName);
    return strPath;
}

std::vector<std::string> SubKeysOf(const char* pszKey) {
    const RegistryKey key(HKEY_CURRENT_USER, pszKey, false);
    std::vector<std::string> names;
    for (DWORD dwIndex = 0;; ++dwIndex) {
        std::string strName = key.EnumKey(dwIndex);
        if (strName.empty()) return names;
        names.push_back(std::move(strName));
    }
}

ScopedMachineKey::ScopedMachineKey(std::string strPath) : m_strPath(std::move(strPath)) { Delete(); }

ScopedMachineKey::~ScopedMachineKey() { Delete(); }

bool ScopedMachineKey::Set(const char* pszName, const char* pszText) {
    return RegistryKey(HKEY_LOCAL_MACHINE, m_strPath.c_str(), true).SetString(pszName, pszText);
}

void ScopedMachineKey::Delete() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, m_strPath.c_str()); }
