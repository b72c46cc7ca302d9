#include "common/datafile/DataFile.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "common/base/Paths.h"
#include "common/datafile/DriverValues.h"
#include "common/datafile/LanguageTable.h"
#include "common/datafile/SetupDataFile.h"

namespace {

constexpr char kProfileKey[] = "Software\\KAVRO\\PLX3\\Profile";
constexpr char kLanguageSection[] = "Language";
constexpr char kResDll[] = "ResDll";
constexpr uint16_t kLangEnglishUs = 0x0409;
// The profile function returns size - 2 when a value did not fit; a value
// of exactly that length is rejected for that reason.
constexpr DWORD kTruncatedLength = kProfileValueSize - 2;

std::string ReadProfileString(const char* pszSection, const char* pszKey, const char* pszFile, DWORD* pcch) {
    char szValue[kProfileValueSize] = {};
    *pcch = GetPrivateProfileStringA(pszSection, pszKey, "", szValue, sizeof(szValue), pszFile);
    return szValue;
}

std::vector<LanguageLine> ReadLanguageTable(const char* pszDataFile) {
    // Grow the buffer until the section fits; a read that fills it up to
    // the last two bytes did not fit.
    for (DWORD cbBuffer = kProfileValueSize;; cbBuffer += kProfileValueSize) {
        std::vector<char> buffer(cbBuffer, 0);
        const DWORD cch = GetPrivateProfileSectionA(kLanguageSection, buffer.data(), cbBuffer, pszDataFile);
        if (cch < cbBuffer - 2 || cbBuffer >= 64 * 1024) return ParseLanguageSection(std::string_view(buffer.data(), cch + 1));
    }
}

std::string FolderOf(const char* pszPath) {
    const std::string strFolder = FolderOfPath(pszPath);
    return strFolder.empty() ? std::string(".") : strFolder;
}

bool ResourceModuleExists(const char* pszDataFile, const std::string& strSection) {
    DWORD cch = 0;
    const std::string strFile = ReadProfileString(strSection.c_str(), kResDll, pszDataFile, &cch);
    if (strFile.empty()) return false;
    return IsExistingFile(FolderOf(pszDataFile) + "\\" + strFile);
}

}  // namespace

int FindDataFile(char* pszOut, size_t cchOut, const char* pszDriver, const char* pszModelId, const char* pszPrinter) {
    if (pszOut && cchOut) *pszOut = '\0';
    if (!pszDriver || !*pszDriver || !pszModelId || !*pszModelId) return 0;
    if (GetProgramPath(pszOut, cchOut, "Profile", "", pszDriver, pszModelId, pszPrinter)) return 1;
    const std::string strPath = pszPrinter && *pszPrinter
                                    ? GetPrivateRegString(pszPrinter, kProfileKey, pszModelId)
                                    : GetPrivateRegStringByDriver(pszDriver, kProfileKey, pszModelId);
    return !strPath.empty() && CopyFitting(pszOut, cchOut, strPath) ? 1 : 0;
}

std::string SelectLanguageSectionFor(const char* pszDataFile, uint16_t wUserLangId) {
    if (!pszDataFile || !*pszDataFile) return {};
    const std::vector<LanguageLine> lines = ReadLanguageTable(pszDataFile);
    for (uint16_t wLangId : {wUserLangId, kLangEnglishUs}) {
        const int iLine = ChooseLanguageLine(lines, wLangId);
        if (iLine >= 0 && ResourceModuleExists(pszDataFile, lines[iLine].strSection)) return lines[iLine].strSection;
    }
    for (const LanguageLine& line : lines) {
        if (ResourceModuleExists(pszDataFile, line.strSection)) return line.strSection;
    }
    return {};
}

void SelectLanguageSection(char* pszOut, size_t cchOut, const char* pszDataFile) {
    CopyFitting(pszOut, cchOut, SelectLanguageSectionFor(pszDataFile, GetUserDefaultLangID()));
}

int ReadLanguageString(const char* pszKey, char* pszOut, const char* pszDataFile) {
    if (pszOut) *pszOut = '\0';
    const std::string strSection = SelectLanguageSectionFor(pszDataFile, GetUserDefaultLangID());
    if (strSection.empty() || !pszKey || !pszOut) return -1;
    DWORD cch = 0;
    const std::string strValue = ReadProfileString(strSection.c_str(), pszKey, pszDataFile, &cch);
    if (strValue.empty()) return -1;
    CopyFitting(pszOut, kProfileValueSize, strValue);
    return 0;
}

int ReadLanguageNumber(const char* pszKey, int iDefault, const char* pszDataFile) {
    const std::string strSection = SelectLanguageSectionFor(pszDataFile, GetUserDefaultLangID());
    if (strSection.empty() || !pszKey) return -1;
    return static_cast<int>(GetPrivateProfileIntA(strSection.c_str(), pszKey, iDefault, pszDataFile));
}

std::string ModulePathFromDataFile(PlxModule module, const char* pszDataFile, const char* pszModelId,
                                   const std::string& strInstallPath) {
    // Without a known install folder there is no module: a path relative to
    // whatever the current folder is would load a stranger's file.
    if (!pszDataFile || !*pszDataFile || strInstallPath.empty()) return {};
    std::string strFile;
    if (module == PlxModule::Resource) {
        char szValue[kProfileValueSize] = {};
        if (ReadLanguageString(kResDll, szValue, pszDataFile) != 0) return {};
        strFile = szValue;
    } else {
        DWORD cch = 0;
        strFile = ReadProfileString(pszModelId, module == PlxModule::Core ? "PrnDll" : "BmpDll", pszDataFile, &cch);
        if (cch == 0 || cch == kTruncatedLength) return {};
    }
    return strInstallPath + strFile;
}

void GetModulePath(char* pszOut, size_t cchOut, PlxModule module, const char* pszDriver, const char* pszModelId,
                   const char* pszPrinter) {
    if (pszOut && cchOut) *pszOut = '\0';
    char szDataFile[MAX_PATH] = {};
    if (!FindDataFile(szDataFile, sizeof(szDataFile), pszDriver, pszModelId, pszPrinter)) return;
    char szFolder[MAX_PATH] = {};
    GetInstallPath(szFolder, sizeof(szFolder), pszDriver, pszModelId, pszPrinter);
    CopyFitting(pszOut, cchOut, ModulePathFromDataFile(module, szDataFile, pszModelId, szFolder));
}
