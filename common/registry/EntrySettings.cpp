#include "common/registry/EntrySettings.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/registry/PrinterEntry.h"
#include "common/registry/PrinterEntry_private.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"

namespace {

// Entry names are read into twice the usual buffer here.
constexpr DWORD kTrayNameSize = 2 * kRegTextSize;

}  // namespace

int CheckNotification(const char* pszPrinter, const char* pszPort, int iNotifyClass, DWORD* pdwSound,
                      DWORD* pdwNotify) {
    DWORD dwSound = 0;
    DWORD dwNotify = 0;
    int iResult = 1;
    bool bNetwork = false;
    const char* pszName = ChooseEntryName(pszPrinter, pszPort, &bNetwork);
    std::string strKeyPath;
    if (FindPrinterEntry(pszName, bNetwork, &strKeyPath) == kFindFound) {
        RegistryKey entry(HKEY_CURRENT_USER, strKeyPath.c_str(), false, KEY_READ);
        dwSound = entry.GetNumber(kEntrySoundNotifyEnable, 0);
        RegistryKey notify(entry.Handle(), kEntryNotifyKey, false, KEY_READ);
        if (entry.IsOpen() && notify.IsOpen()) {
            char szSwitch[16] = {};
            snprintf(szSwitch, sizeof(szSwitch), "%03d", iNotifyClass);
            dwNotify = notify.GetNumber(szSwitch, 0);
            // The stored switches are 0 or 1.
            dwSound &= dwNotify;
            iResult = 0;
        }
    }
    if (pdwSound) *pdwSound = dwSound;
    if (pdwNotify) *pdwNotify = dwNotify;
    return iResult;
}

BOOL GetTrayIconInfo(const char* pszPrinter, DWORD* pdwTrayIconEnable) {
    RegistryKey base(HKEY_CURRENT_USER, kLocalTargetKey, false, KEY_READ);
    BOOL bFound = FALSE;
    // An entry of that name without the value does not end the walk.
    ForEachSubKey(base, [&](const std::string& strSubKey) {
        RegistryKey entry(base.Handle(), strSubKey.c_str(), false, KEY_READ);
        if (!EntryNameMatches(entry, pszPrinter, kTrayNameSize)) return true;
        const int32_t iEnable = entry.GetNumberOrMinusOne(kEntryTrayIconEnable);
        if (iEnable == -1) return true;
        if (pdwTrayIconEnable) *pdwTrayIconEnable = static_cast<DWORD>(iEnable);
        bFound = TRUE;
        return false;
    });
    return bFound;
}

int GetNation() {
    const std::string strDebug = RegistryKey(HKEY_CURRENT_USER, kDebugKey, false).GetString(kDebugNation, "");
    if (!strDebug.empty()) return atoi(strDebug.c_str());
    const std::string strNation = RegistryKey(HKEY_CURRENT_USER, kGeoKey, false).GetString(kGeoNation, "");
    return strNation.empty() ? -1 : atoi(strNation.c_str());
}

int CheckIniFlagIC_JP(const char* pszEntryKey, const char* pszName, DWORD* pdwEnvCheck) {
    if (!pszEntryKey || !*pszEntryKey || !pszName || !*pszName) return -1;
    const std::string strIcJpKey = JoinKeyPath(pszEntryKey, kEntryIcJpKey);
    if (!FitsKeyPath(strIcJpKey)) return -1;
    DWORD dwEnvCheck = 1;
    {
        const RegistryKey existing(HKEY_CURRENT_USER, strIcJpKey.c_str(), false, KEY_READ);
        if (existing.IsOpen()) {
            if (pdwEnvCheck) *pdwEnvCheck = existing.GetNumber(kIcJpEnvCheck, dwEnvCheck);
            return 1;
        }
    }
    char szSeedKey[kRegTextSize] = {};
    const int cchSeedKey = snprintf(szSeedKey, sizeof(szSeedKey), kIcJpSeedKeyFormat, pszName);
    if (cchSeedKey < 0 || !FitsKeyPath(std::string(szSeedKey, static_cast<size_t>(cchSeedKey)))) return -1;
    const RegistryKey seeds(HKEY_LOCAL_MACHINE, szSeedKey, false, KEY_READ);
    if (!seeds.IsOpen()) return -1;
    const DWORD dwInitialize = seeds.GetNumber(kIcJpInitialize, 0);
    const DWORD dwDisable = seeds.GetNumber(kIcJpDisable, 0);

    RegistryKey icJp(HKEY_CURRENT_USER, strIcJpKey.c_str(), true, KEY_ALL_ACCESS);
    if (!icJp.IsOpen()) return -1;
    icJp.SetNumber(kIcJpInitialize, dwInitialize);
    icJp.SetNumber(kIcJpDisable, dwDisable);
    icJp.SetNumber(kIcJpEnvCheck, dwEnvCheck);
    if (pdwEnvCheck) *pdwEnvCheck = dwEnvCheck;
    if (dwInitialize != 0) {
        // Names first: deleting during the enumeration would shift the
        // indexes and skip every other subkey.
        std::vector<std::string> subKeys;
        ForEachSubKey(icJp, [&](const std::string& strSubKey) {
            subKeys.push_back(strSubKey);
            return true;
        });
        for (const std::string& strSubKey : subKeys) icJp.DeleteTree(strSubKey.c_str());
        icJp.SetNumber(kIcJpInitialize, 0);
    }
    return 0;
}
