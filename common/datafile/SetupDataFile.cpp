#include "common/datafile/SetupDataFile.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "common/base/Paths.h"
#include "common/base/PrinterOpen.h"
#include "common/base/SpoolerInfo.h"
#include "common/base/UniqueHandle.h"
#include "common/base/WinVersion.h"

namespace {

constexpr char kSetupDataKey[] = "SADatI";
constexpr char kWin9xSetupDataKey[] = "52";
constexpr DWORD kSetupNameMax = 64;
// A setup-data file is a few kilobytes; anything far larger is not one.
constexpr DWORD kSetupDataMaxBytes = 4 * 1024 * 1024;

DriverFiles MakeDriverFiles(const DRIVER_INFO_3A& info) {
    const char* pszDriverPath = info.pDriverPath;
    const char* pszDataFile = info.pDataFile;
    DriverFiles files;
    files.strDriverName = info.pName ? info.pName : "";
    files.strDriverPath = pszDriverPath ? pszDriverPath : "";
    files.strFolder = FolderOfPath(files.strDriverPath);
    files.strDataFile = pszDataFile ? pszDataFile : "";
    if (!files.strDataFile.empty() && FolderOfPath(files.strDataFile).empty() && !files.strFolder.empty())
        files.strDataFile = files.strFolder + "\\" + files.strDataFile;
    return files;
}

std::optional<std::string> ReadWholeFile(const std::string& strPath) {
    UniqueHandle file(CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    const DWORD cbFile = GetFileSize(file.get(), nullptr);
    if (cbFile == INVALID_FILE_SIZE || cbFile > kSetupDataMaxBytes) return std::nullopt;
    std::string text(cbFile, '\0');
    DWORD cbRead = 0;
    if (cbFile && !ReadFile(file.get(), text.data(), cbFile, &cbRead, nullptr)) return std::nullopt;
    text.resize(cbRead);
    return text;
}

SetupDataEnv MakeEnv(const DriverFiles& files) {
    const WinVersion version = GetWinVersion();
    SetupDataEnv env;
    env.family = version.bNtFamily ? OsFamily::WinNt : OsFamily::Win9x;
    env.dwMajor = version.dwMajor;
    env.dwMinor = version.dwMinor;
    env.strDriverDir = files.strFolder;
    char szSystem[MAX_PATH] = {};
    const UINT cch = GetSystemDirectoryA(szSystem, MAX_PATH);
    if (cch > 0 && cch < MAX_PATH) env.strSystemDir = szSystem;
    return env;
}

std::optional<SetupData> LoadSetupData(const std::optional<DriverFiles>& files) {
    if (!files) return std::nullopt;
    const auto path = SetupDataPath(*files);
    if (!path) return std::nullopt;
    const auto text = ReadWholeFile(*path);
    if (!text) return std::nullopt;
    SetupData data = SetupData::Parse(*text, MakeEnv(*files));
    if (data.Empty()) return std::nullopt;
    return data;
}

std::string LookupString(const std::optional<SetupData>& data, const char* pszKeyPath, const char* pszValueName) {
    if (!data || !pszKeyPath || !pszValueName) return {};
    return data->FindString(pszKeyPath, pszValueName).value_or(std::string());
}

int32_t LookupNumber(const std::optional<SetupData>& data, const char* pszKeyPath, const char* pszValueName) {
    if (!data || !pszKeyPath || !pszValueName) return -1;
    return data->FindNumber(pszKeyPath, pszValueName).value_or(-1);
}

}  // namespace

std::optional<DriverFiles> DriverFilesForPrinter(const char* pszPrinter) {
    if (!pszPrinter || !*pszPrinter) return std::nullopt;
    UniquePrinter printer = OpenPrinterByName(pszPrinter);
    if (!printer) return std::nullopt;
    const std::vector<uint8_t> info = GetPrinterDriverInfo(printer.get(), 3);
    if (info.size() < sizeof(DRIVER_INFO_3A)) return std::nullopt;
    const auto* pInfo = reinterpret_cast<const DRIVER_INFO_3A*>(info.data());
    return MakeDriverFiles(*pInfo);
}

std::optional<DriverFiles> DriverFilesForDriver(const char* pszDriver) {
    if (!pszDriver || !*pszDriver) return std::nullopt;
    DWORD dwCount = 0;
    const std::vector<uint8_t> info = EnumDriverInfo(3, &dwCount);
    if (info.size() < dwCount * sizeof(DRIVER_INFO_3A)) return std::nullopt;
    const auto* pInfo = reinterpret_cast<const DRIVER_INFO_3A*>(info.data());
    for (DWORD i = 0; i < dwCount; ++i) {
        if (pInfo[i].pName && lstrcmpiA(pInfo[i].pName, pszDriver) == 0)
            return MakeDriverFiles(pInfo[i]);
    }
    return std::nullopt;
}

std::string DriverNameOfPrinter(const char* pszPrinter) {
    const CPrinterInfo2 info(pszPrinter);
    return info.get() && info.get()->pDriverName ? info.get()->pDriverName : "";
}

std::optional<std::string> SetupDataPath(const DriverFiles& files) {
    if (files.strDataFile.empty()) return std::nullopt;
    char szName[kSetupNameMax + 1] = {};
    if (GetWinVersion().bNtFamily) {
        GetPrivateProfileStringA(kDriverInfoSection, kSetupDataKey, "", szName, sizeof(szName),
                                 files.strDataFile.c_str());
    } else {
        // The 9x data file keeps the name in the driver's own section, with
        // further comma-separated fields after it.
        GetPrivateProfileStringA(files.strDriverName.c_str(), kWin9xSetupDataKey, "", szName, sizeof(szName),
                                 files.strDataFile.c_str());
        if (char* pComma = strchr(szName, ',')) *pComma = '\0';
    }
    if (!*szName) return std::nullopt;
    if (files.strFolder.empty()) return std::string(szName);
    return files.strFolder + "\\" + szName;
}

std::optional<SetupData> LoadSetupDataForPrinter(const char* pszPrinter) {
    return LoadSetupData(DriverFilesForPrinter(pszPrinter));
}

std::optional<SetupData> LoadSetupDataForDriver(const char* pszDriver) {
    return LoadSetupData(DriverFilesForDriver(pszDriver));
}

std::string GetPrivateRegString(const char* pszPrinter, const char* pszKeyPath, const char* pszValueName) {
    return LookupString(LoadSetupDataForPrinter(pszPrinter), pszKeyPath, pszValueName);
}

std::string GetPrivateRegStringByDriver(const char* pszDriver, const char* pszKeyPath, const char* pszValueName) {
    return LookupString(LoadSetupDataForDriver(pszDriver), pszKeyPath, pszValueName);
}

int32_t GetPrivateRegNumber(const char* pszPrinter, const char* pszKeyPath, const char* pszValueName) {
    return LookupNumber(LoadSetupDataForPrinter(pszPrinter), pszKeyPath, pszValueName);
}

int32_t GetPrivateRegNumberByDriver(const char* pszDriver, const char* pszKeyPath, const char* pszValueName) {
    return LookupNumber(LoadSetupDataForDriver(pszDriver), pszKeyPath, pszValueName);
}
