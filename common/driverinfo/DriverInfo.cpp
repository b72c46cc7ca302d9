#include "common/driverinfo/DriverInfo.h"

#include <windows.h>

#include <array>
#include <mutex>
#include <optional>
#include <string>

#include "common/base/Paths.h"
#include "common/base/UniqueHandle.h"
#include "common/base/WinVersion.h"
#include "common/datafile/SetupDataFile.h"
#include "common/registry/DriverRegistryKey.h"
#include "common/trace/Trace.h"

namespace {

constexpr DWORD kModuleNameMax = 64;

template <size_t N>
using FunctionTable = std::array<FARPROC, N>;

struct Recognition {
    UniqueHModule module;
    FunctionTable<std::size(kDriverInfoAnsiOrdinals)> ansi{};
    FunctionTable<std::size(kDriverInfoWideOrdinals)> wide{};
    bool bAnsiBound = false;
    bool bWideBound = false;
    DriverRegistryFunctions route{};
};

std::mutex gLock;
std::optional<Recognition> gRecognition;

// The module named by the data file, in the driver folder. Without a known
// folder there is no module: a bare file name would be searched for along
// the DLL search path, current folder included.
std::string ModuleInFolder(const std::string& strFolder, const std::string& strDataFile) {
    if (strFolder.empty()) return {};
    char szName[kModuleNameMax + 1] = {};
    if (!strDataFile.empty())
        GetPrivateProfileStringA(kDriverInfoSection, kDriverInfoModuleKey, "", szName, sizeof(szName),
                                 strDataFile.c_str());
    return strFolder + "\\" + (szName[0] ? szName : kDefaultDriverInfoModule);
}

std::string LocateModule(int iKind, const char* pszText) {
    std::optional<DriverFiles> files;
    switch (iKind) {
    case kDriverInfoByPrinter:
        files = DriverFilesForPrinter(pszText);
        break;
    case kDriverInfoByDriver:
        files = DriverFilesForDriver(pszText);
        break;
    case kDriverInfoByDataFile:
        return ModuleInFolder(FolderOfPath(pszText), pszText);
    case kDriverInfoByModule:
        return FolderOfPath(pszText).empty() ? std::string() : std::string(pszText);
    default:
        return {};
    }
    return files ? ModuleInFolder(files->strFolder, files->strDataFile) : std::string();
}

template <size_t N>
bool BindTable(HMODULE hModule, const int (&ordinals)[N], FunctionTable<N>& table) {
    for (size_t i = 0; i < N; ++i) {
        table[i] = GetProcAddress(hModule, MAKEINTRESOURCEA(ordinals[i]));
        if (!table[i]) {
            table.fill(nullptr);
            return false;
        }
    }
    return true;
}

FARPROC AnsiFunction(const Recognition& rec, int iOrdinal) {
    for (size_t i = 0; i < std::size(kDriverInfoAnsiOrdinals); ++i)
        if (kDriverInfoAnsiOrdinals[i] == iOrdinal) return rec.ansi[i];
    return nullptr;
}

template <typename Fn>
Fn As(FARPROC pfn) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(pfn));
}

}  // namespace

int LoadDriverInfo(int iKind, const char* pszText) {
    TraceScope trace("LoadDriverInfo");
    std::lock_guard<std::mutex> lock(gLock);
    if (gRecognition) return 1;
    const WinVersion version = GetWinVersion();
    if (!version.bNtFamily || version.dwMajor < 5) return 0;

    const std::string strModule = pszText && *pszText ? LocateModule(iKind, pszText) : std::string();
    trace.Write("Module : %s\n", strModule.c_str());
    if (strModule.empty() || !PathExists(strModule)) return -1;
    UniqueHModule module(LoadLibraryExA(strModule.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module) {
        trace.Write("LoadLibrary Error : %lu\n", GetLastError());
        return -1;
    }

    Recognition& rec = gRecognition.emplace();
    rec.bAnsiBound = BindTable(module.get(), kDriverInfoAnsiOrdinals, rec.ansi);
    rec.bWideBound = BindTable(module.get(), kDriverInfoWideOrdinals, rec.wide);
    rec.module = std::move(module);
    rec.route.pfnCreateKeyEx = As<decltype(rec.route.pfnCreateKeyEx)>(AnsiFunction(rec, kDriverInfoOrdinalCreateKey));
    rec.route.pfnOpenKeyEx = As<decltype(rec.route.pfnOpenKeyEx)>(AnsiFunction(rec, kDriverInfoOrdinalOpenKey));
    rec.route.pfnCloseKey = As<decltype(rec.route.pfnCloseKey)>(AnsiFunction(rec, kDriverInfoOrdinalCloseKey));
    rec.route.pfnQueryValueEx =
        As<decltype(rec.route.pfnQueryValueEx)>(AnsiFunction(rec, kDriverInfoOrdinalQueryValue));
    SetDriverRegistryRoute(&rec.route);
    return 1;
}

void ReleaseDriverInfo() {
    std::lock_guard<std::mutex> lock(gLock);
    if (!gRecognition) return;
    SetDriverRegistryRoute(nullptr);
    gRecognition.reset();
}

bool IsDriverInfoLoaded() {
    std::lock_guard<std::mutex> lock(gLock);
    return gRecognition.has_value();
}

bool IsDriverInfoAnsiBound() {
    std::lock_guard<std::mutex> lock(gLock);
    return gRecognition && gRecognition->bAnsiBound;
}

bool IsDriverInfoWideBound() {
    std::lock_guard<std::mutex> lock(gLock);
    return gRecognition && gRecognition->bWideBound;
}
