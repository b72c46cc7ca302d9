#include "tests/support/CoreLibrary.h"

#include <cstdio>
#include <sstream>

#include "common/base/KnownFolders.h"
#include "tests/support/TestFiles.h"

std::string TraceLogPath() { return PlxDataFilePath("PLX4.LOG"); }

size_t TraceLogSize() { return ReadTextFile(TraceLogPath()).size(); }

std::string OwnTraceSince(size_t cbStart) {
    const std::string strLog = ReadTextFile(TraceLogPath());
    char szPrefix[16];
    snprintf(szPrefix, sizeof(szPrefix), "%04X;", static_cast<unsigned>(GetCurrentProcessId()));
    std::istringstream in(cbStart <= strLog.size() ? strLog.substr(cbStart) : strLog);
    std::string strLine, strOwn;
    while (std::getline(in, strLine)) {
        if (strLine.rfind(szPrefix, 0) == 0) strOwn += strLine + "\n";
    }
    return strOwn;
}

void EnableCoreTrace() {
    const std::string strFolder = CommonAppDataFolder();
    CreateDirectoryA((strFolder + "\\KAVRO").c_str(), nullptr);
    CreateDirectoryA((strFolder + "\\KAVRO\\PLX3").c_str(), nullptr);
    UniqueHKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Kavro\\PLX3", 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                        nullptr) == ERROR_SUCCESS) {
        const DWORD dwOn = 1;
        RegSetValueExA(key.get(), "log", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwOn), sizeof(dwOn));
    }
}
