#include "tests/support/TestFiles.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "common/base/UniqueHandle.h"

namespace {

void RemoveTree(const std::string& strPath) {
    WIN32_FIND_DATAA data;
    UniqueFindFile find(FindFirstFileA((strPath + "\\*").c_str(), &data));
    if (find) {
        do {
            const std::string strName = data.cFileName;
            if (strName == "." || strName == "..") continue;
            const std::string strChild = strPath + "\\" + strName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strChild);
            else
                DeleteFileA(strChild.c_str());
        } while (FindNextFileA(find.get(), &data));
    }
    find.reset();
    RemoveDirectoryA(strPath.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::string& strTag) {
    static std::atomic<unsigned> uCounter{0};
    char szTemp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, szTemp);
    m_strPath = std::string(szTemp) + "plx_" + strTag + "_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(uCounter++);
    RemoveTree(m_strPath);
    CreateDirectoryA(m_strPath.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(m_strPath); }

bool WriteTextFile(const std::string& strPath, const std::string& strText) {
    UniqueHandle file(
        CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD cbWritten = 0;
    return WriteFile(file.get(), strText.data(), static_cast<DWORD>(strText.size()), &cbWritten, nullptr) &&
           cbWritten == strText.size();
}

std::string ReadTextFile(const std::string& strPath) {
    UniqueHandle file(CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    std::string strText;
    char buffer[4096];
    DWORD cbRead = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &cbRead, nullptr) && cbRead > 0) strText.append(buffer, cbRead);
    return strText;
}

std::string ProgramFolder() {
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (char* pSlash = strrchr(szPath, '\\')) *pSlash = '\0';
    return szPath;
}

bool FileExists(const std::string& strPath) { return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }
