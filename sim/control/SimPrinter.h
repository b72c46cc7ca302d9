// Control side of the simulated printer, for tests and the demo: points
// this process (and the processes it starts) at a scenario folder, writes
// the scenario and reads the shared counters.
#pragma once

#include <string>

#include "sim/common/SimScenario.h"

class SimPrinter {
public:
    // Creates the folder if needed and sets PLXSIM_DIR for this process.
    explicit SimPrinter(const std::string& strFolder);
    ~SimPrinter();
    SimPrinter(const SimPrinter&) = delete;
    SimPrinter& operator=(const SimPrinter&) = delete;

    // Replaces the scenario in one step; false when it cannot be written.
    bool SetScenario(const std::string& strText);
    // A copy of the counters as they are now.
    SimCounters Counters() const;
    void ResetCounters();
    const std::string& Folder() const { return m_strFolder; }

private:
    std::string m_strFolder;
    std::string m_strPreviousDir;
    bool m_bHadPreviousDir = false;
    SimCounterBlock* m_pBlock = nullptr;
};

// A printer section with the usual keys; values are escaped here.
std::string SimPrinterSection(const std::string& strPrinter, const std::string& strChannels,
                              const std::string& strDeviceId, const std::string& strStatus);
