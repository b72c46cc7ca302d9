// Reading variable-size spooler information with the usual two calls.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <vector>

// Level-n printer information; empty on failure.
std::vector<uint8_t> GetPrinterInfo(HANDLE hPrinter, DWORD dwLevel);
std::vector<uint8_t> GetPrinterDriverInfo(HANDLE hPrinter, DWORD dwLevel);
// Installed drivers of this machine at the given level; count in *pdwCount.
std::vector<uint8_t> EnumDriverInfo(DWORD dwLevel, DWORD* pdwCount);
