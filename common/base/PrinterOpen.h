// The one way the system opens a printer by name.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "common/base/UniqueHandle.h"

// Opens with the ANSI function; on the NT family a failed open is retried
// with the name converted to UTF-16, failing on characters that do not
// convert. Only the desired access of the defaults reaches the wide call.
// Returns non-zero with the handle in *phPrinter, or 0.
BOOL KV_OpenPrinter(const char* pszPrinter, HANDLE* phPrinter, PRINTER_DEFAULTSA* pDefaults);

UniquePrinter OpenPrinterByName(const char* pszPrinter);
