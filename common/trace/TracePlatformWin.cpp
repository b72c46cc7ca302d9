#include <windows.h>

#include "common/base/KnownFolders.h"
#include "common/base/UniqueHandle.h"
#include "common/trace/TracePlatform_private.h"

// The folder is not created: without it the records are simply lost.
std::string TracePlatformLogPath() { return PlxDataFilePath("PLX4.LOG"); }

uint32_t TracePlatformProcessId() { return GetCurrentProcessId(); }
uint32_t TracePlatformThreadId() { return GetCurrentThreadId(); }
uint32_t TracePlatformTickCount() { return GetTickCount(); }

void TracePlatformAppend(const std::string& strPath, const std::string& strText) {
    // Open, append, close per record so other processes can read or delete
    // the file between records.
    UniqueHandle file(CreateFileA(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    if (SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return;
    DWORD cbWritten = 0;
    WriteFile(file.get(), strText.data(), static_cast<DWORD>(strText.size()), &cbWritten, nullptr);
}
