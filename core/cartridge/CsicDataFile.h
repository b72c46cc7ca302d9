// The cartridge tables CSIC and CSIC2 of the model data file, read with
// the profile functions. Nothing is cached: every call reads the file.
#pragma once

#include <windows.h>

#include <string>

#include "core/cartridge/CsicText.h"

// Text of string IDS_CSIC_AT_TEXT, which stands for each '@' of a table
// value; hResource null: the library's default resource module. Empty
// when the module lacks it.
std::string LoadCsicAtText(HMODULE hResource);

// 1 with the entry of key pszKey when it exists and is not empty, else 0
// with the entry in its empty state. A value over 259 characters counts as
// missing. A value that does not decode still counts as found: it reads as
// empty text, or as the text cut to 259 characters when that is too long.
int GetInfoFileCSICData(const char* pszDataFile, const char* pszKey, const std::string& strAtText,
                        CsicTypeEntry& entry);
int GetInfoFileCSIC2Data(const char* pszDataFile, const char* pszKey, const std::string& strAtText,
                         Csic2Entry& entry);
