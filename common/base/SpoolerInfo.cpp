#include "common/base/SpoolerInfo.h"

namespace {

// Runs a spooler query that reports the size it needs, then fills a buffer
// of that size. The needed size can grow between the calls, so retry.
template <typename Query>
std::vector<uint8_t> QueryGrowing(Query query) {
    std::vector<uint8_t> buffer;
    DWORD cbNeeded = 0;
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

}  // namespace

std::vector<uint8_t> GetPrinterInfo(HANDLE hPrinter, DWORD dwLevel) {
    return QueryGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return GetPrinterA(hPrinter, dwLevel, pb, cb, pcbNeeded) != FALSE;
    });
}

std::vector<uint8_t> GetPrinterDriverInfo(HANDLE hPrinter, DWORD dwLevel) {
    return QueryGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return GetPrinterDriverA(hPrinter, nullptr, dwLevel, pb, cb, pcbNeeded) != FALSE;
    });
}

std::vector<uint8_t> EnumDriverInfo(DWORD dwLevel, DWORD* pdwCount) {
    *pdwCount = 0;
    return QueryGrowing([&](BYTE* pb, DWORD cb, DWORD* pcbNeeded) {
        return EnumPrinterDriversA(nullptr, nullptr, dwLevel, pb, cb, pcbNeeded, pdwCount) != FALSE;
    });
}
