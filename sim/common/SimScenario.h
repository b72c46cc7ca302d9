// The simulated printer's scenario: a small INI-style text file that tests
// and the demo write and that every process of the simulated library reads
// again on each call, so a change is seen at once everywhere.
//
//   [Printer.<printer name>]      printers addressed by name (name kind 1)
//   [Port.<port name>]            printers addressed by port (name kind 0)
//   Channels=0x00000004:0x0004, 0x10000005:0x0007     channel:mode list
//   DeviceID=MFG:KAVRO;MDL:PX-100;
//   Status=@BDC ST\r\n...         one reply; \r \n \\ \xHH escapes
//   Status.0=..., Status.1=...    a sequence, one per status read, the
//                                 last repeating
//   Status@0x02000001=hbm...      the reply of one channel, before the above
//
//   [Fault.<function>]            e.g. [Fault.QBGetStatus]
//   Call=1|2                      only the first (size query) or second call;
//                                 absent: every call
//   Result=<int>                  returned instead of doing the work
//   Raise=1                       raise an access violation inside the call
//   DelayMs=<n>                   wait before answering
//   Size=<n>                      size reported by a size query, also
//                                 together with a forced Result
//   Count=<n>                     count or length returned by a second call
//
//   [Utility.<printer name>]      the maintenance utility module's answers
//   Driver=<driver name>          when given, other driver names get 0
//   SupportType.<kind>=<n>        UtIsSupportType's answer for that kind
//                                 (absent: 0)
//   Raise=1                       raise an access violation inside
//                                 UtIsSupportType
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

using SimSection = std::map<std::string, std::string>;

class SimScenario {
public:
    static SimScenario Parse(const std::string& strText);
    static SimScenario Load(const std::string& strPath);

    const SimSection* Section(const std::string& strName) const;
    std::optional<std::string> Value(const std::string& strSection, const std::string& strKey) const;

private:
    // Keys are kept as written; sections are found ignoring case.
    std::map<std::string, SimSection> m_sections;
};

// \r \n \t \\ \xHH escapes of scenario values, both ways.
std::string SimUnescape(const std::string& strText);
std::string SimEscape(const std::string& strBytes);

// Folder of the scenario: %PLXSIM_DIR%, else C:\ProgramData\PlxSim.
std::string SimFolder();
std::string SimScenarioPath();

// Functions of the simulated modules, for counters (and faults, for the
// bidirectional library's).
enum SimFunction : int {
    kSimQBInitialize,
    kSimQBRelease,
    kSimQBGetAvailableChannel,
    kSimQBOpenChannel,
    kSimQBCloseChannel,
    kSimQBGetStatus,
    kSimQBGetDeviceID,
    kSimQBSend,
    kSimQBReceive,
    kSimQBReceiveCancel,
    kSimQBSetOption,
    kSimQBGetOption,
    kSimQBGetEnvInfo,
    // Registry-like functions of the driver-information module.
    kSimDrvRegCreateKey,
    kSimDrvRegOpenKey,
    kSimDrvRegCloseKey,
    kSimDrvRegQueryValue,
    // Functions of the maintenance utility module.
    kSimUtIsSupportType,
    kSimUtSetupfromPlx,
    kSimUtInkReplacement,
    kSimWndInkReplacement,
    kSimWndMethodPaperJam,
    kSimFunctionCount
};
const char* SimFunctionName(int iFunction);
// Value name whose query makes the driver-information stand-in fault.
constexpr char kSimDrvRegFaultValue[] = "PlxSimFault";

// Counters shared by all processes that use one scenario folder, in a named
// file mapping that lives while any process holds it.
struct SimCounters {
    volatile LONG lLoads;
    volatile LONG lUnloads;
    volatile LONG lOpenChannels;  // open now
    volatile LONG lStatusReads;   // completed replies: the sequence cursor
    volatile LONG lFaultsRaised;
    volatile LONG lCalls[kSimFunctionCount];
};

class SimCounterBlock {
public:
    SimCounterBlock();  // opens or creates the block of SimFolder()
    ~SimCounterBlock();
    SimCounterBlock(const SimCounterBlock&) = delete;
    SimCounterBlock& operator=(const SimCounterBlock&) = delete;

    SimCounters* get() const { return m_pCounters; }

private:
    HANDLE m_hMapping = nullptr;
    SimCounters* m_pCounters = nullptr;
};

// For a simulated module that only counts its calls: its DllMain hands over
// to SimModuleMain, which holds the counter block while the module is
// loaded, and each function counts itself with SimCount.
BOOL SimModuleMain(HINSTANCE hInstance, DWORD dwReason);
void SimCount(SimFunction function);

// A real access violation, as a crashing outside module raises it (not a
// software exception).
void SimRaiseAccessViolation();
