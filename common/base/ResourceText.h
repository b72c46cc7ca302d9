// Modules used only for their resources (strings, guide data): mapped as
// data files, so none of their code runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/base/UniqueHandle.h"

// The module at strPath as a data file; empty when the path is empty or
// the module does not load.
UniqueHModule LoadResourceModule(const std::string& strPath);

// String resource uId in the ANSI code page, whole however long; nullopt
// when the module lacks it or it is empty.
std::optional<std::string> LoadResourceString(HMODULE hModule, UINT uId);
