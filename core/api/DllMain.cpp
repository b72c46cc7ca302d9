#include <windows.h>

#include "core/api/ProcessContext.h"

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        // Creates the context (and reads the trace switch) at load.
        GetProcessContext().m_hInstance = hInstance;
    }
    return TRUE;
}
