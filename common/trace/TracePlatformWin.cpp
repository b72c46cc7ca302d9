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
    // the file between records. Append-only access makes each record one
    // atomic write at the end, so writers in several processes share the
    // file without overwriting or locking out each other's records.
    UniqueHandle file(CreateFileA(strPath.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    DWORD cbWritten = 0;
    WriteFile(file.get(), strText.data(), static_cast<DWORD>(strText.size()), &cbWritten, nullptr);
}
