// Scope trace of the core library: one PLX4.LOG shared by every process,
// switched on by the "log" value under HKCU\Software\Kavro\PLX3.
// This header is free of Windows headers so pure code (decoders, parsers)
// can trace and still build natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#if defined(__GNUC__)
#define PLX_PRINTF_FORMAT(fmtIndex, firstArg) __attribute__((format(printf, fmtIndex, firstArg)))
#else
#define PLX_PRINTF_FORMAT(fmtIndex, firstArg)
#endif

// Process-wide switch; read once when the core library is loaded.
void TraceSetEnabled(bool bEnabled);
bool TraceIsEnabled();

class TraceScope {
public:
    explicit TraceScope(const char* pszName, unsigned uLevel = 0);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

    // Writes one record; the format carries its own line ends, and a record
    // without one is ended.
    void Write(const char* pszFormat, ...) PLX_PRINTF_FORMAT(2, 3);
    // Label followed by the bytes in hex, as one record.
    void Dump(const void* pData, size_t cbData, const char* pszLabel);
    void DumpStatusReply(const void* pData, size_t cbData);

private:
    void WriteRaw(const std::string& strMessage);

    std::string m_strPath;  // empty while tracing is off
    unsigned m_uLevel = 0;
    uint32_t m_dwProcessId = 0;
    uint32_t m_dwThreadId = 0;
};

// Pure helpers of the record format, exposed for tests.
std::string TraceFormatPrefix(uint32_t dwProcessId, uint32_t dwThreadId, uint32_t dwTickMs);
std::string TraceFormatDump(const char* pszLabel, const void* pData, size_t cbData);
