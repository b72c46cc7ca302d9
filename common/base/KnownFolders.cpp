#include "common/base/KnownFolders.h"

#include <windows.h>
#include <shlobj.h>

std::string CommonAppDataFolder() {
    char szFolder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, szFolder))) return {};
    return szFolder;
}

std::string PlxDataFilePath(const char* pszName) {
    const std::string strFolder = CommonAppDataFolder();
    if (strFolder.empty()) return std::string("C:\\") + pszName;
    return strFolder + "\\KAVRO\\PLX3\\" + pszName;
}
