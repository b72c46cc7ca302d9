// Where cartridge texts come from: keys of INI files read with the profile
// functions, and strings of the resource module.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

// The value of the key, at most cchMax characters; nullopt for a missing
// file name or key name and for a longer value, which would be cut.
std::optional<std::string> ReadProfileText(const char* pszSection, const char* pszKey, const char* pszFile,
                                           size_t cchMax);

// String uId of hModule, or with a null hModule of the library's default
// resource module (the process context's), which is loaded around the
// call. nullopt when the module or the string is missing, the string is
// empty, or longer than cchMax characters.
std::optional<std::string> LoadResourceText(HMODULE hModule, UINT uId, size_t cchMax);
