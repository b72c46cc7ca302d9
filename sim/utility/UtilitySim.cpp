// Stand-in of a model's maintenance utility module (PLXUTIL.DLL and its
// variants): the five functions the status monitor looks up. UtIsSupportType
// answers as the scenario's [Utility.<printer name>] section says (see
// SimScenario.h); the other four only count their calls, as the utility's
// windows are outside the system. Every call is counted in the simulator's
// shared counters.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "sim/common/SimScenario.h"

// Exported through the .def files only, so a variant can leave some out.
#define SIM_EXPORT extern "C"

SIM_EXPORT uint16_t __cdecl UtIsSupportType(const char* pszPrinter, const char* pszDriver, int32_t iKind) {
    SimCount(kSimUtIsSupportType);
    const SimScenario scenario = SimScenario::Load(SimScenarioPath());
    const std::string strSection = std::string("Utility.") + (pszPrinter ? pszPrinter : "");
    if (scenario.Value(strSection, "Raise").value_or("0") != "0") {
        SimRaiseAccessViolation();
    }
    const std::optional<std::string> driver = scenario.Value(strSection, "Driver");
    if (driver && *driver != (pszDriver ? pszDriver : "")) return 0;
    const std::string strAnswer = scenario.Value(strSection, "SupportType." + std::to_string(iKind)).value_or("0");
    return static_cast<uint16_t>(strtoul(strAnswer.c_str(), nullptr, 0));
}

SIM_EXPORT int __cdecl UtSetupfromPlx(const char*, const char*, const char*, const char*) {
    SimCount(kSimUtSetupfromPlx);
    return 0;
}

SIM_EXPORT int __cdecl UtInkReplacement(const char*, const char*, const char*, const char*) {
    SimCount(kSimUtInkReplacement);
    return 0;
}

SIM_EXPORT int __cdecl WndInkReplacement(const char*, const char*, const char*, const char*, int) {
    SimCount(kSimWndInkReplacement);
    return 0;
}

SIM_EXPORT int __cdecl WndMethodPaperJam(const char*, const char*, const char*, const char*) {
    SimCount(kSimWndMethodPaperJam);
    return 0;
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) { return SimModuleMain(hInstance, dwReason); }
