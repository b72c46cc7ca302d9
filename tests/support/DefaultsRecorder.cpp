// Stand-in of a model's core module: PrSetRegDefaultValue records its
// arguments for the tests (see ScratchRegistry.h) and returns what they ask,
// or faults when the DWORD "Raise" is set.
#include <windows.h>

#include "common/registry/RegistryKey.h"
#include "sim/common/SimScenario.h"
#include "tests/support/ScratchRegistry.h"

extern "C" int __cdecl PrSetRegDefaultValue(const char* pszPrinter, const char* pszDriver, const char* pszPort,
                                            const char* pszModelId, const char* pszDataFile) {
    RegistryKey record(HKEY_CURRENT_USER, kRecorderKey, true);
    const struct {
        const char* pszValue;
        const char* pszArgument;
    } kArguments[] = {{"Printer", pszPrinter}, {"Driver", pszDriver}, {"Port", pszPort},
                      {"Model", pszModelId},   {"DataFile", pszDataFile}};
    for (const auto& argument : kArguments) {
        if (argument.pszArgument)
            record.SetString(argument.pszValue, argument.pszArgument);
        else
            record.DeleteValue(argument.pszValue);
    }
    record.SetNumber("Calls", record.GetNumber("Calls", 0) + 1);
    if (record.GetNumber("Raise", 0)) {
        SimRaiseAccessViolation();
    }
    return static_cast<int>(record.GetNumber("Result", 0));
}
