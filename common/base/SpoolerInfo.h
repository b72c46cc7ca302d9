// Reading variable-size spooler information with the usual two calls.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <vector>

// Runs a spooler query that reports the size it needs, then fills a buffer
// of that size: query(buffer or null, size, &needed) -> success. Empty on
// failure; a success that needed no bytes gives one zero byte.
template <typename Query>
std::vector<uint8_t> QuerySpoolerGrowing(Query query) {
    std::vector<uint8_t> buffer;
    DWORD cbNeeded = 0;
    // The needed size can grow between the calls, so retry.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (query(buffer.empty() ? nullptr : buffer.data(), static_cast<DWORD>(buffer.size()), &cbNeeded)) {
            // The strings the record points to live in this very buffer, so
            // it must be moved out, never copied.
            if (buffer.empty()) buffer.resize(1);
            return buffer;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || cbNeeded == 0) return {};
        buffer.assign(cbNeeded, 0);
    }
    return {};
}

// Level-n printer information; empty on failure.
std::vector<uint8_t> GetPrinterInfo(HANDLE hPrinter, DWORD dwLevel);
std::vector<uint8_t> GetPrinterDriverInfo(HANDLE hPrinter, DWORD dwLevel);
// Installed drivers of this machine at the given level; count in *pdwCount.
std::vector<uint8_t> EnumDriverInfo(DWORD dwLevel, DWORD* pdwCount);

// Level-2 information of the printer of that name. Not copyable: the
// record's strings live in its own buffer.
class CPrinterInfo2 {
public:
    explicit CPrinterInfo2(const char* pszPrinter);
    CPrinterInfo2(const CPrinterInfo2&) = delete;
    CPrinterInfo2& operator=(const CPrinterInfo2&) = delete;

    // Null when the printer does not open or answers nothing usable.
    const PRINTER_INFO_2A* get() const {
        return m_info.size() >= sizeof(PRINTER_INFO_2A) ? reinterpret_cast<const PRINTER_INFO_2A*>(m_info.data())
                                                        : nullptr;
    }

private:
    std::vector<uint8_t> m_info;
};
