#include "common/base/WinVersion.h"

#include <windows.h>

WinVersion GetWinVersion() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    WinVersion version;
    if (!GetVersionExA(&info)) return version;
    version.bKnown = true;
    version.bNtFamily = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    version.dwMajor = info.dwMajorVersion;
    version.dwMinor = info.dwMinorVersion;
    version.dwBuild = info.dwBuildNumber;
    return version;
}
