// A driver package and printer made for one test: its own setup data and
// data file under unique names, installed through the spooler and removed
// again at the end.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <functional>
#include <string>

#include "tests/support/TestFiles.h"

class TestDriver {
public:
    // strSetupBody: lines of the "Install" section after the REGPATH line,
    // which names this driver's key with the identifier DRV.
    // strDataFileLines: what follows the setup-data line of the data file:
    // further keys of its driver section, then further sections.
    TestDriver(const std::string& strTag, const std::string& strSetupBody, const std::string& strDataFileLines = "");
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    bool Installed() const { return m_bInstalled; }
    const std::string& Error() const { return m_strError; }
    const std::string& DriverName() const { return m_strDriver; }
    const std::string& PrinterName() const { return m_strPrinter; }
    std::string KeyPath() const;
    // Full path of the installed data file.
    std::string DataFilePath() const;

private:
    TempFolder m_folder;
    std::string m_strDriver;
    std::string m_strPrinter;
    std::string m_strError;
    bool m_bInstalled = false;
};

// The usual values of a working driver: the library by bare name, version
// 0, the given model.
std::string StandardSetupBody(const std::string& strModel);

// Changes a printer's level-2 information through the spooler, as its
// properties dialog would; false when the spooler refuses.
bool EditPrinterInfo(const std::string& strPrinter, const std::function<void(PRINTER_INFO_2A&)>& edit);
