#include "common/datafile/DriverValues.h"

#include <windows.h>

#include <cstdio>

#include "common/base/Paths.h"
#include "common/datafile/SetupDataFile.h"

bool CopyFitting(char* pszOut, size_t cchOut, const std::string& strValue) {
    if (!pszOut || cchOut == 0) return false;
    *pszOut = '\0';
    if (strValue.size() >= cchOut) return false;
    memcpy(pszOut, strValue.c_str(), strValue.size() + 1);
    return true;
}

std::string DriverKeyPath(const char* pszDriver) { return std::string(kDriverKeyPrefix) + (pszDriver ? pszDriver : ""); }

int GetDriverValue(char* pszOut, size_t cchOut, const char* pszValueName, const char* pszDriver,
                   const char* /*pszModelId*/, const char* pszPrinter) {
    if (pszOut && cchOut) *pszOut = '\0';
    if (!pszValueName || !pszDriver || !*pszDriver) return 0;
    const std::string strKey = DriverKeyPath(pszDriver);
    const std::string strValue = pszPrinter && *pszPrinter
                                     ? GetPrivateRegString(pszPrinter, strKey.c_str(), pszValueName)
                                     : GetPrivateRegStringByDriver(pszDriver, strKey.c_str(), pszValueName);
    return !strValue.empty() && CopyFitting(pszOut, cchOut, strValue) ? 1 : 0;
}

int32_t GetQbapiVersion(const char* pszDriver, const char* pszPrinter) {
    std::string strDriver = pszDriver ? pszDriver : "";
    if (strDriver.empty()) strDriver = DriverNameOfPrinter(pszPrinter);
    if (strDriver.empty()) return -1;
    const std::string strKey = DriverKeyPath(strDriver.c_str());
    return pszPrinter && *pszPrinter ? GetPrivateRegNumber(pszPrinter, strKey.c_str(), "QBAPI_VERSION")
                                     : GetPrivateRegNumberByDriver(strDriver.c_str(), strKey.c_str(), "QBAPI_VERSION");
}

void GetInstallPath(char* pszOut, size_t cchOut, const char* pszDriver, const char* pszModelId,
                    const char* pszPrinter) {
    char szPath[MAX_PATH] = {};
    if (pszOut && cchOut) *pszOut = '\0';
    if (!GetDriverValue(szPath, sizeof(szPath), "InstallPath", pszDriver, pszModelId, pszPrinter)) return;
    std::string strFolder = szPath;
    if (!strFolder.empty() && strFolder.back() == '\\') strFolder.pop_back();
    if (strFolder.empty() || !PathExists(strFolder)) return;
    CopyFitting(pszOut, cchOut, strFolder + "\\");
}

int GetProgramPath(char* pszOut, size_t cchOut, const char* pszValueName, const char* pszDefaultFile,
                   const char* pszDriver, const char* pszModelId, const char* pszPrinter) {
    if (pszOut && cchOut) *pszOut = '\0';
    char szPath[MAX_PATH] = {};
    if (GetDriverValue(szPath, sizeof(szPath), pszValueName, pszDriver, pszModelId, pszPrinter) &&
        IsExistingFile(szPath))
        return CopyFitting(pszOut, cchOut, szPath) ? 1 : 0;

    if (!pszDefaultFile || !*pszDefaultFile) return 0;
    char szFolder[MAX_PATH] = {};
    GetInstallPath(szFolder, sizeof(szFolder), pszDriver, pszModelId, pszPrinter);
    if (!*szFolder) return 0;
    // The install folder already ends in its backslash.
    const std::string strPath = std::string(szFolder) + pszDefaultFile;
    return IsExistingFile(strPath) && CopyFitting(pszOut, cchOut, strPath) ? 1 : 0;
}
