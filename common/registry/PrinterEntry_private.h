// Helpers of the printer-entry functions.
#pragma once

#include <string>

#include "common/registry/RegistryKey.h"

// "parent\child"; FitsKeyPath tells whether it fits the 260-byte buffer of
// the system's key paths.
std::string JoinKeyPath(const std::string& strParent, const std::string& strChild);
bool FitsKeyPath(const std::string& strPath);

// True when the entry's "Name" (read into cbName bytes) equals pszName
// ignoring case; never for an empty name.
bool EntryNameMatches(const RegistryKey& entry, const char* pszName, DWORD cbName = kRegTextSize);

// Calls fn(subkey name) for each subkey by a running index until fn
// returns false or the enumeration ends. The index advances after every
// subkey, also when fn deleted it.
template <typename Fn>
void ForEachSubKey(const RegistryKey& key, Fn fn) {
    for (DWORD dwIndex = 0;; ++dwIndex) {
        const std::string strName = key.EnumKey(dwIndex);
        if (strName.empty() || !fn(strName)) return;
    }
}
