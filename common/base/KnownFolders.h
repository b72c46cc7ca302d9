// Folders the system's files live in.
#pragma once

#include <string>

// The machine's folder for data common to all users; empty when unknown.
std::string CommonAppDataFolder();
// CommonAppDataFolder() + "\KAVRO\PLX3\" + name, or "C:\" + name when the
// folder is unknown: where the logs go.
std::string PlxDataFilePath(const char* pszName);
