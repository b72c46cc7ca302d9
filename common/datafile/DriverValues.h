// Per-driver values under "Software\KAVRO\PLX3\Driver\<driver>" and the
// program paths built from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr char kDriverKeyPrefix[] = "Software\\KAVRO\\PLX3\\Driver\\";

std::string DriverKeyPath(const char* pszDriver);
// Copies a value with its terminator when it fits; otherwise leaves an empty
// string and returns false, as if the value were absent.
bool CopyFitting(char* pszOut, size_t cchOut, const std::string& strValue);

// 1 when a non-empty string value was found, else 0. Looks up by printer
// when a printer name is given, else by driver. The value must fit the
// buffer with its terminator.
int GetDriverValue(char* pszOut, size_t cchOut, const char* pszValueName, const char* pszDriver,
                   const char* pszModelId, const char* pszPrinter);
// "QBAPI_VERSION" as a number, or -1.
int32_t GetQbapiVersion(const char* pszDriver, const char* pszPrinter);
// The "InstallPath" folder with one trailing backslash when it exists, else
// an empty string.
void GetInstallPath(char* pszOut, size_t cchOut, const char* pszDriver, const char* pszModelId,
                    const char* pszPrinter);
// 1 with the full path of an existing program file, else 0.
int GetProgramPath(char* pszOut, size_t cchOut, const char* pszValueName, const char* pszDefaultFile,
                   const char* pszDriver, const char* pszModelId, const char* pszPrinter);
