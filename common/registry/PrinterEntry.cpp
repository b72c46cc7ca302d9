#include "common/registry/PrinterEntry.h"

#include <windows.h>
#include <winspool.h>

#include <climits>
#include <cstdio>

#include "common/base/Guard.h"
#include "common/base/SpoolerInfo.h"
#include "common/datafile/DataFile.h"
#include "common/datafile/SetupDataFile.h"
#include "common/registry/EntryDefaults.h"
#include "common/registry/PrinterEntry_private.h"
#include "common/registry/RegistryPaths.h"
#include "common/trace/Trace.h"

namespace {

// The model's core module writes the defaults of a new entry.
constexpr char kSetRegDefaultValueExport[] = "PrSetRegDefaultValue";
using SetRegDefaultValueFn = int(__cdecl*)(const char* pszPrinter, const char* pszDriver, const char* pszPort,
                                           const char* pszModelId, const char* pszDataFile);

const char* EntryBaseKey(bool bNetwork) { return bNetwork ? kNetworkTargetKey : kLocalTargetKey; }

std::string EntryKeyName(int iNumber) {
    char szName[32] = {};
    snprintf(szName, sizeof(szName), "P%016d", iNumber);
    return szName;
}

// The module is the driver package's: a fault inside it ends the call with
// kQbFault, not the process.
int CallSetRegDefaultValue(TraceScope& trace, SetRegDefaultValueFn pfn, const char* pszPrinter,
                           const char* pszDriver, const char* pszPort, const char* pszModelId) {
    // No data file: the export finds it itself.
    return GuardedCall(trace, kSetRegDefaultValueExport,
                       [&] { return pfn(pszPrinter, pszDriver, pszPort, pszModelId, nullptr); });
}

int WriteDefaultsThroughCoreModule(TraceScope& trace, const char* pszPrinter, const char* pszPort,
                                   const char* pszModelId) {
    const std::string strDriver = DriverNameOfPrinter(pszPrinter);
    char szModule[MAX_PATH] = {};
    GetModulePath(szModule, sizeof(szModule), PlxModule::Core, strDriver.c_str(), pszModelId, pszPrinter);
    if (!*szModule) {
        trace.Write("ERROR : no PrnDll for driver \"%s\"\n", strDriver.c_str());
        return kTargetModuleNotLoaded;
    }
    UniqueHModule module(LoadLibraryA(szModule));
    if (!module) {
        trace.Write("ERROR : LoadLibrary(%s) : %lu\n", szModule, GetLastError());
        return kTargetModuleNotLoaded;
    }
    const auto pfn =
        reinterpret_cast<SetRegDefaultValueFn>(GetProcAddress(module.get(), kSetRegDefaultValueExport));
    if (!pfn) {
        trace.Write("ERROR : %s lacks %s\n", szModule, kSetRegDefaultValueExport);
        return kTargetNoExport;
    }
    const int iResult = CallSetRegDefaultValue(trace, pfn, pszPrinter, strDriver.c_str(), pszPort, pszModelId);
    trace.Write("%s : %d\n", kSetRegDefaultValueExport, iResult);
    return iResult;
}

// A local entry's printer must open and have a driver and a print processor.
bool IsLivePrinter(const std::string& strPrinter) {
    const CPrinterInfo2 info(strPrinter.c_str());
    const PRINTER_INFO_2A* pInfo = info.get();
    return pInfo && pInfo->pDriverName && *pInfo->pDriverName && pInfo->pPrintProcessor && *pInfo->pPrintProcessor;
}

template <typename IsStale>
void RemoveEntriesWhere(TraceScope& trace, const char* pszBaseKey, IsStale isStale) {
    RegistryKey base(HKEY_CURRENT_USER, pszBaseKey, false, KEY_ALL_ACCESS);
    ForEachSubKey(base, [&](const std::string& strSubKey) {
        RegistryKey entry(base.Handle(), strSubKey.c_str(), false, KEY_ALL_ACCESS);
        if (entry.IsOpen() && isStale(entry)) {
            // Marked first, so a reader that still has the key open sees it
            // is going.
            entry.SetNumber(kEntrySetting, kSettingStale);
            entry.Close();
            trace.Write("Remove %s\\%s : %d\n", pszBaseKey, strSubKey.c_str(), base.DeleteTree(strSubKey.c_str()));
        }
        return true;
    });
}

}  // namespace

std::string JoinKeyPath(const std::string& strParent, const std::string& strChild) {
    return strParent + "\\" + strChild;
}

bool FitsKeyPath(const std::string& strPath) { return strPath.size() < kRegTextSize; }

bool EntryNameMatches(const RegistryKey& entry, const char* pszName, DWORD cbName) {
    if (!pszName || !*pszName) return false;
    return lstrcmpiA(entry.GetString(kEntryName, "", cbName).c_str(), pszName) == 0;
}

const char* ChooseEntryName(const char* pszPrinter, const char* pszPort, bool* pbNetwork) {
    const bool bNetwork = (!pszPrinter || !*pszPrinter) && pszPort && *pszPort;
    if (pbNetwork) *pbNetwork = bNetwork;
    return bNetwork ? pszPort : pszPrinter;
}

int FindPrinterEntry(const char* pszName, bool bNetwork, std::string* pstrKeyPath) {
    const char* pszBaseKey = EntryBaseKey(bNetwork);
    RegistryKey base(HKEY_CURRENT_USER, pszBaseKey, false, KEY_READ);
    if (!base.IsOpen()) return kFindNoBaseKey;
    int iResult = kFindNotFound;
    ForEachSubKey(base, [&](const std::string& strSubKey) {
        if (!EntryNameMatches(RegistryKey(base.Handle(), strSubKey.c_str(), false, KEY_READ), pszName)) return true;
        const std::string strPath = JoinKeyPath(pszBaseKey, strSubKey);
        if (FitsKeyPath(strPath)) {
            if (pstrKeyPath) *pstrKeyPath = strPath;
            iResult = kFindFound;
        }
        return false;
    });
    return iResult;
}

int CreatePrinterEntry(const char* pszName, bool bNetwork, std::string* pstrKeyPath) {
    if (!pszName || !*pszName) return kCreateNameNotWritten;
    const char* pszBaseKey = EntryBaseKey(bNetwork);
    RegistryKey base(HKEY_CURRENT_USER, pszBaseKey, true, KEY_ALL_ACCESS);
    if (!base.IsOpen()) return kCreateBaseKeyFailed;
    // The registry reports atomically whether a key is new: the process
    // that made a number's key owns that number, the others move on.
    for (int iNumber = 0; iNumber < INT_MAX; ++iNumber) {
        const std::string strSubKey = EntryKeyName(iNumber);
        RegistryKey entry(base.Handle(), strSubKey.c_str(), true, KEY_ALL_ACCESS);
        if (!entry.IsOpen()) return kCreateKeyFailed;
        if (!entry.Created()) continue;
        if (!entry.SetString(kEntryName, pszName)) return kCreateNameNotWritten;
        const std::string strPath = JoinKeyPath(pszBaseKey, strSubKey);
        if (!FitsKeyPath(strPath)) return kCreatePathTooLong;
        if (pstrKeyPath) *pstrKeyPath = strPath;
        entry.SetNumber(kEntrySetting, kSettingInUse);
        entry.SetNumber(kEntryTimer, kDefaultTimerSeconds);
        return entry.GetNumberOrMinusOne(kEntrySetting) == kSettingInUse ? kCreateDone : kCreateNoNumber;
    }
    return kCreateNoNumber;
}

int GetTargetPrinterKey(const char* pszPrinter, const char* pszPort, const char* pszModelId, bool* pbNetwork,
                        std::string* pstrKeyPath, bool* pbCreated) {
    TraceScope trace("GetTargetPrinterKey()");
    if (pbCreated) *pbCreated = false;
    if (pstrKeyPath) pstrKeyPath->clear();
    bool bNetwork = false;
    const char* pszName = ChooseEntryName(pszPrinter, pszPort, &bNetwork);
    if (pbNetwork) *pbNetwork = bNetwork;

    std::string strKeyPath;
    if (FindPrinterEntry(pszName, bNetwork, &strKeyPath) == kFindFound) {
        trace.Write("CurrentUserKey : %s\n", strKeyPath.c_str());
        if (pstrKeyPath) *pstrKeyPath = strKeyPath;
        return kTargetFound;
    }
    RemoveStaleEntries();
    const int iCreate = CreatePrinterEntry(pszName, bNetwork, &strKeyPath);
    if (iCreate != kCreateDone) {
        trace.Write("ERROR : CreatePrinterEntry : %d\n", iCreate);
        return kTargetNotCreated;
    }
    trace.Write("CurrentUserKey (new) : %s\n", strKeyPath.c_str());
    if (pstrKeyPath) *pstrKeyPath = strKeyPath;
    const int iResult = WriteDefaultsThroughCoreModule(trace, pszPrinter, pszPort, pszModelId);
    if (pbCreated) *pbCreated = iResult == 0;
    return iResult;
}

void RemoveStaleEntries() {
    TraceScope trace("RemoveStaleEntries()");
    RemoveEntriesWhere(trace, kLocalTargetKey, [](const RegistryKey& entry) {
        return !IsLivePrinter(entry.GetString(kEntryName, ""));
    });
    RemoveEntriesWhere(trace, kNetworkTargetKey,
                       [](const RegistryKey& entry) { return entry.GetString(kEntryName, "").empty(); });
}

int CreateMonitoringReg(const char* pszPrinter, std::string* pstrKeyPath) {
    // An existing entry anywhere in the tree is reused, not only one below
    // the first free number: entries after a gap left by a stale cleanup
    // would otherwise get a twin.
    std::string strKeyPath;
    if (FindPrinterEntry(pszPrinter, false, &strKeyPath) != kFindFound &&
        CreatePrinterEntry(pszPrinter, false, &strKeyPath) != kCreateDone)
        return -1;
    RegistryKey entry(HKEY_CURRENT_USER, strKeyPath.c_str(), false, KEY_ALL_ACCESS);
    if (!entry.SetString(kEntryName, pszPrinter) || !entry.SetNumber(kEntrySetting, kSettingInUse) ||
        !entry.SetNumber(kEntryTimer, kDefaultTimerSeconds))
        return -1;
    if (pstrKeyPath) *pstrKeyPath = strKeyPath;
    return 0;
}

int CreateDefaultRegistry(const char* pszPrinter, const char* pszDriver, const char* pszModelId) {
    RemoveStaleEntries();
    std::string strKeyPath;
    if (CreateMonitoringReg(pszPrinter, &strKeyPath) != 0) return kDefaultRegistryNoEntry;
    char szDataFile[MAX_PATH] = {};
    if (!FindDataFile(szDataFile, sizeof(szDataFile), pszDriver, pszModelId, pszPrinter))
        return kDefaultRegistryNoDataFile;
    return WriteEntryDefaults(szDataFile, pszModelId, strKeyPath.c_str());
}
