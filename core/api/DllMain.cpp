#include <windows.h>

#include "common/base/UniqueHandle.h"
#include "common/trace/Trace.h"

namespace {

// The trace switch is read once, when the library is loaded.
void ReadTraceSwitch() {
    UniqueHKey key;
    DWORD dwLog = 0;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kavro\\PLX3", 0, KEY_READ, key.put()) == ERROR_SUCCESS) {
        DWORD cbLog = sizeof(dwLog);
        if (RegQueryValueExA(key.get(), "log", nullptr, nullptr, reinterpret_cast<BYTE*>(&dwLog), &cbLog) !=
            ERROR_SUCCESS)
            dwLog = 0;
    }
    TraceSetEnabled(dwLog != 0);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        ReadTraceSwitch();
    }
    return TRUE;
}
