// The running system's version, as the version information reports it.
#pragma once

#include <cstdint>

struct WinVersion {
    bool bKnown = false;
    bool bNtFamily = false;
    uint32_t dwMajor = 0;
    uint32_t dwMinor = 0;
    uint32_t dwBuild = 0;
};

WinVersion GetWinVersion();
