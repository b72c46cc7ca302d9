#include "tests/support/TestDriver.h"

#include <vector>

#include "common/base/SpoolerInfo.h"
#include "common/base/UniqueHandle.h"
#include "common/datafile/DriverValues.h"
#include "common/datafile/SetupDataFile.h"
#include "sim/installer/DriverInstall.h"

TestDriver::TestDriver(const std::string& strTag, const std::string& strSetupBody,
                       const std::string& strDataFileLines)
    : m_folder(strTag),
      m_strDriver("PLX Test " + strTag + " " + std::to_string(GetCurrentProcessId())),
      m_strPrinter("PLX Printer " + strTag + " " + std::to_string(GetCurrentProcessId())) {
    // File names are unique per test: every driver shares the spooler's
    // driver folder.
    const std::string strStem = "T" + std::to_string(GetCurrentProcessId()) + strTag;
    const std::string strSetup = "[Install]\r\nREGPATH=0,0,0,0,0,0,0,\"HKEY_LOCAL_MACHINE\\" + KeyPath() +
                                 "\",DRV\r\n" + strSetupBody;
    const std::string strData = "[User Mode Printer Driver Information]\r\nSADatI=" + strStem + ".SAD\r\n" +
                                strDataFileLines;
    if (!WriteTextFile(m_folder.File(strStem + ".SAD"), strSetup) ||
        !WriteTextFile(m_folder.File(strStem + ".DAT"), strData) ||
        !CopyFileA((ProgramFolder() + "\\driverpkg\\PLXDRV.dll").c_str(), m_folder.File("PLXDRV.DLL").c_str(),
                   FALSE)) {
        m_strError = "cannot write the package files";
        return;
    }
    DriverPackage package;
    package.strDriverName = m_strDriver;
    package.strSourceDir = m_folder.Path();
    package.strDataFile = strStem + ".DAT";
    package.dependentFiles = {strStem + ".SAD"};
    m_bInstalled = InstallDriverPackage(package, &m_strError) &&
                   AddLocalPrinter(m_strPrinter, m_strDriver, "FILE:", &m_strError);
}

TestDriver::~TestDriver() {
    std::string strIgnored;
    RemovePrinter(m_strPrinter, &strIgnored);
    RemoveDriver(m_strDriver, &strIgnored);
}

std::string TestDriver::KeyPath() const { return DriverKeyPath(m_strDriver.c_str()); }

std::string TestDriver::DataFilePath() const {
    const std::optional<DriverFiles> files = DriverFilesForDriver(m_strDriver.c_str());
    return files ? files->strDataFile : std::string();
}

std::string StandardSetupBody(const std::string& strModel) {
    return "REGENTER=DRV,\"InstallPath\",DRIVERDIR\r\n"
           "REGENTER=DRV,\"QBAPI32\",\"QBAPI.DLL\"\r\n"
           "REGENTER=DRV,\"QBAPI_VERSION\",0\r\n"
           "REGENTER=DRV,\"ModelID\",\"" +
           strModel + "\"\r\n";
}

bool EditPrinterInfo(const std::string& strPrinter, const std::function<void(PRINTER_INFO_2A&)>& edit) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    UniquePrinter printer;
    if (!OpenPrinterA(const_cast<char*>(strPrinter.c_str()), printer.put(), &defaults)) return false;
    std::vector<uint8_t> info = GetPrinterInfo(printer.get(), 2);
    if (info.size() < sizeof(PRINTER_INFO_2A)) return false;
    edit(*reinterpret_cast<PRINTER_INFO_2A*>(info.data()));
    return SetPrinterA(printer.get(), 2, info.data(), 0) != FALSE;
}
