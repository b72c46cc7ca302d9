#include "common/base/Paths.h"

#include <windows.h>

#include "common/base/UniqueHandle.h"

std::string FolderOfPath(const std::string& strPath) {
    const size_t slash = strPath.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : strPath.substr(0, slash);
}

bool PathExists(const std::string& strPath) {
    WIN32_FIND_DATAA found;
    UniqueFindFile search(FindFirstFileA(strPath.c_str(), &found));
    return static_cast<bool>(search);
}

bool IsExistingFile(const std::string& strPath) {
    const DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && !(dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}
