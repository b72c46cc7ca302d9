// Installs driver packages and printers into the spooler the way a driver
// setup would: used by the installer program, the demo and the tests.
#pragma once

#include <string>
#include <vector>

struct DriverPackage {
    std::string strDriverName;
    std::string strSourceDir;                   // where the files are now
    std::string strDriverFile = "PLXDRV.DLL";   // main and configuration file
    std::string strDataFile;                    // file name in strSourceDir
    std::vector<std::string> dependentFiles;    // further files, copied too
};

// Each returns true on success, else false with a message in *pstrError.
bool InstallDriverPackage(const DriverPackage& package, std::string* pstrError);
bool AddLocalPrinter(const std::string& strPrinter, const std::string& strDriver, const std::string& strPort,
                     std::string* pstrError);
bool RemovePrinter(const std::string& strPrinter, std::string* pstrError);
bool RemoveDriver(const std::string& strDriver, std::string* pstrError);

// The sample package shipped beside the programs: driver
// "KAVRO PX-100 Series" from <folder>\driverpkg.
DriverPackage SamplePackage(const std::string& strProgramFolder);
constexpr char kSampleDriver[] = "KAVRO PX-100 Series";
constexpr char kSamplePrinter[] = "KAVRO PX-100";
