// Finding and reading a driver's setup-data file through the spooler, and
// the per-driver lookups built on it. Nothing is cached: every lookup reads
// and parses the file again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/datafile/SetupData.h"

// Section of the driver's data file naming its setup data and modules.
constexpr char kDriverInfoSection[] = "User Mode Printer Driver Information";

// Where the driver's files are, from the spooler's driver information.
struct DriverFiles {
    std::string strDriverName;
    std::string strDriverPath;  // main file, full path
    std::string strDataFile;    // data file, full path
    std::string strFolder;      // folder of the main file
};

std::optional<DriverFiles> DriverFilesForPrinter(const char* pszPrinter);
std::optional<DriverFiles> DriverFilesForDriver(const char* pszDriver);
// Driver name of a printer through its level-2 information; empty on failure.
std::string DriverNameOfPrinter(const char* pszPrinter);

// Full path of the setup-data file named by the driver's data file.
std::optional<std::string> SetupDataPath(const DriverFiles& files);
std::optional<SetupData> LoadSetupDataForPrinter(const char* pszPrinter);
std::optional<SetupData> LoadSetupDataForDriver(const char* pszDriver);

// Lookups by printer name, or by driver name in the ...ByDriver form.
std::string GetPrivateRegString(const char* pszPrinter, const char* pszKeyPath, const char* pszValueName);
std::string GetPrivateRegStringByDriver(const char* pszDriver, const char* pszKeyPath, const char* pszValueName);
int32_t GetPrivateRegNumber(const char* pszPrinter, const char* pszKeyPath, const char* pszValueName);
int32_t GetPrivateRegNumberByDriver(const char* pszDriver, const char* pszKeyPath, const char* pszValueName);
