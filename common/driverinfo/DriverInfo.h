// Driver recognition: finding and loading the driver package's
// driver-information module. While a recognition is in force, the
// machine-wide keys written by the driver's installer are read through the
// module's registry-like functions (see DriverRegistryKey).
#pragma once

enum DriverInfoKind : int {
    kDriverInfoByPrinter = 1,   // the text is a printer name
    kDriverInfoByDriver = 2,    // an installed driver's name
    kDriverInfoByDataFile = 3,  // the path of the driver's data file
    kDriverInfoByModule = 4,    // the path of the module itself
};

// Module file used when the data file names none.
constexpr char kDefaultDriverInfoModule[] = "kvdrvinf.DLL";
// Value of the data file's driver section naming the module.
constexpr char kDriverInfoModuleKey[] = "KVAUDF01";

// Ordinals of the module's function tables, in table order. A table is
// bound only when every one of its ordinals is exported.
constexpr int kDriverInfoAnsiOrdinals[] = {1, 3, 5, 8, 10, 12, 14, 16, 18, 7, 20};
constexpr int kDriverInfoWideOrdinals[] = {2, 4, 6, 9, 11, 13, 15, 17, 19};
// The registry-like functions of the ANSI table, with the arguments of
// RegCreateKeyExA, RegOpenKeyExA, RegCloseKey and RegQueryValueExA.
constexpr int kDriverInfoOrdinalCreateKey = 12;
constexpr int kDriverInfoOrdinalOpenKey = 14;
constexpr int kDriverInfoOrdinalCloseKey = 16;
constexpr int kDriverInfoOrdinalQueryValue = 18;

// 1 recognised (now or by an earlier call), 0 nothing to check on this
// system (before NT 5.0), -1 not recognised: the module was not found or
// does not load.
int LoadDriverInfo(int iKind, const char* pszText);
// Unloads the module and forgets the recognition, when one is in force.
void ReleaseDriverInfo();
bool IsDriverInfoLoaded();
// Whether each table was bound by the recognition in force.
bool IsDriverInfoAnsiBound();
bool IsDriverInfoWideBound();
