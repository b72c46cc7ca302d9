#include "common/registry/EntryDefaults.h"

#include <windows.h>

#include <vector>

#include "common/registry/NotifyDefaults.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"

namespace {

constexpr char kItemNum[] = "ITEMNUM";
constexpr DWORD kSectionBufferSize = 32767;

// Without a data file every key counts as missing; the profile functions
// would otherwise fall back to WIN.INI.
int ReadModelInt(const char* pszModelId, const char* pszKey, const char* pszDataFile) {
    if (!pszDataFile || !*pszDataFile || !pszModelId || !*pszModelId) return 0;
    return static_cast<int>(GetPrivateProfileIntA(pszModelId, pszKey, 0, pszDataFile));
}

}  // namespace

int WriteEntryDefaults(const char* pszDataFile, const char* pszModelId, const char* pszEntryKey) {
    RegistryKey entry(HKEY_CURRENT_USER, pszEntryKey, false, KEY_ALL_ACCESS);
    if (!entry.IsOpen()) return kDefaultsEntryNotOpened;
    for (const char* pszValue : {kEntrySoundNotifyEnable, kEntryTrayIconEnable, kEntryTrayIconSelected})
        entry.SetNumber(pszValue, static_cast<DWORD>(ReadModelInt(pszModelId, pszValue, pszDataFile)));

    RegistryKey notify(entry.Handle(), kEntryNotifyKey, true, KEY_ALL_ACCESS);
    if (!notify.IsOpen()) return kDefaultsWithoutNotify;
    const int iItemNum = ReadModelInt(pszModelId, kItemNum, pszDataFile);
    if (iItemNum <= 0) return kDefaultsWithoutNotify;
    std::vector<char> section(kSectionBufferSize, '\0');
    const DWORD cchSection = GetPrivateProfileSectionA(pszModelId, section.data(), kSectionBufferSize, pszDataFile);
    // The profile function reports a section that did not fit as size - 2.
    if (cchSection >= kSectionBufferSize - 2) return kDefaultsWithoutNotify;

    // The user's choices stay: a switch is written only into a new Notify
    // key or where it is missing.
    for (const NotifyDefault& item :
         ParseNotifyDefaults(std::string_view(section.data(), cchSection), static_cast<uint32_t>(iItemNum))) {
        if (notify.Created() || notify.GetSize(item.strName.c_str()) == 0)
            notify.SetNumber(item.strName.c_str(), item.dwValue);
    }
    return kDefaultsWritten;
}
