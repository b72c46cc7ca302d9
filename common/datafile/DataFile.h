// The printer-model data file ("profile") and the modules it names.
// Nothing is cached: every lookup reads the file again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class PlxModule { Core, Bitmap, Resource };

constexpr size_t kProfileValueSize = 260;

// 1 with the path of the model's data file, else 0.
int FindDataFile(char* pszOut, size_t cchOut, const char* pszDriver, const char* pszModelId, const char* pszPrinter);
// Full path of the core ("PrnDll"), bitmap ("BmpDll") or resource module
// ("ResDll" of the language section) in the driver's install folder;
// empty when any part is unknown.
void GetModulePath(char* pszOut, size_t cchOut, PlxModule module, const char* pszDriver, const char* pszModelId,
                   const char* pszPrinter);
// The same for a data file and install folder (GetInstallPath) already
// known.
std::string ModulePathFromDataFile(PlxModule module, const char* pszDataFile, const char* pszModelId,
                                   const std::string& strInstallPath);
// Name of the language section to use for the user's language; empty when
// no section names an existing resource module.
void SelectLanguageSection(char* pszOut, size_t cchOut, const char* pszDataFile);
std::string SelectLanguageSectionFor(const char* pszDataFile, uint16_t wUserLangId);
// 0 with the text (at most 259 characters); -1 when no language section
// can be chosen or the value is missing or empty.
int ReadLanguageString(const char* pszKey, char* pszOut, const char* pszDataFile);
// The number, the default when the key is missing, -1 without a section.
int ReadLanguageNumber(const char* pszKey, int iDefault, const char* pszDataFile);
