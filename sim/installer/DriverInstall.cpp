#include "sim/installer/DriverInstall.h"

#include <windows.h>
#include <winspool.h>

#include "common/base/UniqueHandle.h"

namespace {

bool Fail(std::string* pstrError, const std::string& strWhat) {
    if (pstrError) *pstrError = strWhat + " failed, error " + std::to_string(GetLastError());
    return false;
}

// The spooler's MULTI_SZ of dependent files.
std::string MultiString(const std::vector<std::string>& items) {
    std::string strList;
    for (const std::string& strItem : items) strList += strItem + '\0';
    strList += '\0';
    return strList;
}

}  // namespace

bool InstallDriverPackage(const DriverPackage& package, std::string* pstrError) {
    const std::string strDriverPath = package.strSourceDir + "\\" + package.strDriverFile;
    const std::string strDataPath = package.strSourceDir + "\\" + package.strDataFile;
    std::vector<std::string> dependent;
    for (const std::string& strFile : package.dependentFiles) dependent.push_back(package.strSourceDir + "\\" + strFile);
    std::string strDependent = MultiString(dependent);

    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(package.strDriverName.c_str());
    info.pEnvironment = nullptr;
    info.pDriverPath = const_cast<char*>(strDriverPath.c_str());
    info.pDataFile = const_cast<char*>(strDataPath.c_str());
    info.pConfigFile = const_cast<char*>(strDriverPath.c_str());
    info.pDependentFiles = strDependent.data();
    // Our files are not in the spooler's driver folder: copy them from
    // where they are, by full path.
    if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_FROM_DIRECTORY | APD_COPY_NEW_FILES))
        return Fail(pstrError, "AddPrinterDriverEx(" + package.strDriverName + ")");
    return true;
}

bool AddLocalPrinter(const std::string& strPrinter, const std::string& strDriver, const std::string& strPort,
                     std::string* pstrError) {
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(strPrinter.c_str());
    info.pDriverName = const_cast<char*>(strDriver.c_str());
    info.pPortName = const_cast<char*>(strPort.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    UniquePrinter printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    if (!printer && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS)
        return Fail(pstrError, "AddPrinter(" + strPrinter + ")");
    return true;
}

bool RemovePrinter(const std::string& strPrinter, std::string* pstrError) {
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    UniquePrinter printer;
    if (!OpenPrinterA(const_cast<char*>(strPrinter.c_str()), printer.put(), &defaults))
        return Fail(pstrError, "OpenPrinter(" + strPrinter + ")");
    if (!DeletePrinter(printer.get())) return Fail(pstrError, "DeletePrinter(" + strPrinter + ")");
    return true;
}

bool RemoveDriver(const std::string& strDriver, std::string* pstrError) {
    if (!DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(strDriver.c_str())))
        return Fail(pstrError, "DeletePrinterDriver(" + strDriver + ")");
    return true;
}

DriverPackage SamplePackage(const std::string& strProgramFolder) {
    DriverPackage package;
    package.strDriverName = kSampleDriver;
    package.strSourceDir = strProgramFolder + "\\driverpkg";
    package.strDataFile = "PX100.DAT";
    package.dependentFiles = {"PX100.SAD",    "PX100.INI",    "PLXRES_E.DLL", "PLXRES_D.DLL",
                              "PLXRES_J.DLL", "PLXBMP.DLL",   "kvdrvinf.DLL", "PLXDINFP.DLL",
                              "PLXUTIL.DLL",  "PLXUTILN.DLL", "PLXUTILS.DLL"};
    return package;
}
