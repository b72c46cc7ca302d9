// A printer of its own for the Windows status tests, set into the process
// context with a model data file the test writes. The modules come from the
// sample package in the shared driver folder: resource modules, utility
// stand-ins; the bidirectional library is the simulated one.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "common/datafile/SetupDataFile.h"
#include "core/api/ProcessContext.h"
#include "sim/control/SimPrinter.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestDriver.h"
#include "tests/support/TestFiles.h"

constexpr char kStatusModel[] = "PX-ST";
constexpr char kStatusPort[] = "FILE:";

// Wine 8 lacks some spooler job calls; tests that need the real ones skip
// there. Wine's loader has this export, Windows' does not.
inline bool RunningOnWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

class StatusPrinter {
public:
    explicit StatusPrinter(const std::string& strTag)
        : m_driver(strTag, StandardSetupBody(kStatusModel)), m_folder(strTag + "ini") {
        // The language section counts only when its module is beside the
        // data file; the path itself goes to the driver folder.
        WriteTextFile(m_folder.File("PLXRES_E.DLL"), "MZ");
    }

    bool Installed() const { return m_driver.Installed(); }
    const std::string& Error() const { return m_driver.Error(); }
    const std::string& Name() const { return m_driver.PrinterName(); }
    const std::string& Driver() const { return m_driver.DriverName(); }

    // Writes a new data file with these lines in the model section and the
    // English language section, and sets the printer into the process
    // context with it (and with pszResourceModule when given). Needs a
    // scratch HKEY_CURRENT_USER: the context makes the printer's entry.
    std::string UseDataFile(const std::string& strModelLines, const std::string& strLanguageLines,
                            const char* pszResourceModule = nullptr) {
        const std::string strPath = m_folder.File("MODEL" + std::to_string(m_nFiles++) + ".INI");
        WriteTextFile(strPath, "[" + std::string(kStatusModel) + "]\r\n" + strModelLines +
                                   "\r\n[Language]\r\nENU=09,01\r\n[ENU]\r\nResDll=PLXRES_E.DLL\r\n" +
                                   strLanguageLines + "\r\n");
        const int iValidity = GetProcessContext().m_baseInfo.SetPrinterInformation(
            Name().c_str(), Driver().c_str(), kStatusPort, kStatusModel, strPath.c_str(), pszResourceModule, nullptr);
        EXPECT_EQ(iValidity, CBaseInfo::kComplete) << strPath;
        return strPath;
    }

    // Path of a module of the sample package in the driver folder.
    std::string PackageModule(const char* pszName) const {
        const std::optional<DriverFiles> files = DriverFilesForDriver(Driver().c_str());
        return files ? files->strFolder + "\\" + pszName : std::string();
    }

private:
    TestDriver m_driver;
    TempFolder m_folder;
    int m_nFiles = 0;
};

// One printer for a whole suite, a scratch HKEY_CURRENT_USER and a scenario
// folder of the simulated printer for each test.
class StatusPrinterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_pPrinter = std::make_unique<StatusPrinter>("stw"); }
    static void TearDownTestSuite() { s_pPrinter.reset(); }
    void SetUp() override {
        ASSERT_TRUE(s_pPrinter->Installed()) << s_pPrinter->Error();
        ASSERT_TRUE(m_scratch.Active());
    }

    static StatusPrinter& Printer() { return *s_pPrinter; }

    ScratchCurrentUser m_scratch;
    TempFolder m_simFolder{"stwsim"};
    SimPrinter m_sim{m_simFolder.Path()};

private:
    static inline std::unique_ptr<StatusPrinter> s_pPrinter;
};
