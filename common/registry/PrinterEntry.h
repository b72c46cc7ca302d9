// Per-user printer entries: one key per monitored printer under
// HKCU\Software\KAVRO\PLX3\PLXData\KVLTarget (local printers, keyed by
// printer name) or ...\KVNTarget (network printers, keyed by port name),
// named "P" and 16 digits. Key paths are relative to HKEY_CURRENT_USER and
// hold at most 259 characters; a longer one counts as not found.
#pragma once

#include <string>

// FindPrinterEntry
constexpr int kFindFound = 0;
constexpr int kFindNotFound = 1;
constexpr int kFindNoBaseKey = 4;
// CreatePrinterEntry
constexpr int kCreateDone = 0;
constexpr int kCreateNoNumber = 1;  // also: "Setting" did not read back as 0
constexpr int kCreateNameNotWritten = 2;
constexpr int kCreateKeyFailed = 3;
constexpr int kCreateBaseKeyFailed = 4;
constexpr int kCreatePathTooLong = 5;
// 6 stands for a key name that cannot be formatted: never with 16 digits.
// GetTargetPrinterKey, beyond the results of the defaults export
constexpr int kTargetFound = 0;
constexpr int kTargetNotCreated = 1;
constexpr int kTargetModuleNotLoaded = 4;
constexpr int kTargetNoExport = 5;
// CreateDefaultRegistry, beyond the results of WriteEntryDefaults
constexpr int kDefaultRegistryNoEntry = -1;
constexpr int kDefaultRegistryNoDataFile = 1;

// The name an entry is keyed by: the port name, for a network entry, when
// the printer name is empty and the port name is not; else the printer name.
const char* ChooseEntryName(const char* pszPrinter, const char* pszPort, bool* pbNetwork);

// Entry whose "Name" equals pszName ignoring case; *pstrKeyPath is set
// only when found. An empty name is never found.
int FindPrinterEntry(const char* pszName, bool bNetwork, std::string* pstrKeyPath);
// New entry under the lowest free number, with "Name", "Setting" 0 and
// "Timer" 10. An empty name is refused as not written.
int CreatePrinterEntry(const char* pszName, bool bNetwork, std::string* pstrKeyPath);

// Finds or creates the entry of a printer. A created entry gets its
// defaults from the model's core module ("PrnDll" of the data file) through
// its export PrSetRegDefaultValue. Returns kTargetFound for an existing
// entry, kTargetNotCreated, kTargetModuleNotLoaded, kTargetNoExport, or the
// export's result; *pbCreated is true when that result is 0. *pstrKeyPath
// is the entry when it was found or created, else empty.
int GetTargetPrinterKey(const char* pszPrinter, const char* pszPort, const char* pszModelId, bool* pbNetwork,
                        std::string* pstrKeyPath, bool* pbCreated);

// Removes local entries of printers that are gone (no "Name", cannot be
// opened, no driver or print processor) and network entries without
// "Name". The walk's index also advances past a deleted entry, so the one
// that moves into its place waits for the next cleanup.
void RemoveStaleEntries();

// Finds or creates the local entry of a printer and resets its "Setting"
// and "Timer". 0, or -1 on failure.
int CreateMonitoringReg(const char* pszPrinter, std::string* pstrKeyPath);

// Stale cleanup, CreateMonitoringReg, then the defaults from the model's
// data file. kDefaultRegistryNoEntry, kDefaultRegistryNoDataFile, or the
// result of WriteEntryDefaults.
int CreateDefaultRegistry(const char* pszPrinter, const char* pszDriver, const char* pszModelId);
