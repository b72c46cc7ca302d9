#include "common/trace/Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "common/trace/TracePlatform_private.h"

namespace {

constexpr unsigned kLevels = 3;

std::atomic<bool> gTraceEnabled{false};
// Nesting depth per level, shared by all threads of the process; the
// indentation is cosmetic, so interleaving threads may skew it.
std::atomic<unsigned> gNesting[kLevels];

}  // namespace

void TraceSetEnabled(bool bEnabled) { gTraceEnabled = bEnabled; }
bool TraceIsEnabled() { return gTraceEnabled; }

std::string TraceFormatPrefix(uint32_t dwProcessId, uint32_t dwThreadId, uint32_t dwTickMs) {
    char sz[64];
    snprintf(sz, sizeof(sz), "%04X;%04X;%5u:%02u.%03u; ", static_cast<unsigned>(dwProcessId),
             static_cast<unsigned>(dwThreadId), static_cast<unsigned>(dwTickMs / 60000),
             static_cast<unsigned>((dwTickMs / 1000) % 60), static_cast<unsigned>(dwTickMs % 1000));
    return sz;
}

std::string TraceFormatDump(const char* pszLabel, const void* pData, size_t cbData) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string strText(pszLabel);
    strText.reserve(strText.size() + cbData * 3 + 1);
    const auto* pb = static_cast<const uint8_t*>(pData);
    for (size_t i = 0; i < cbData; ++i) {
        if (i) strText += ' ';
        strText += kHex[pb[i] >> 4];
        strText += kHex[pb[i] & 0x0F];
    }
    strText += '\n';
    return strText;
}

TraceScope::TraceScope(const char* pszName, unsigned uLevel) {
    if (!TraceIsEnabled()) return;
    m_strPath = TracePlatformLogPath();
    m_dwProcessId = TracePlatformProcessId();
    m_dwThreadId = TracePlatformThreadId();
    m_uLevel = uLevel < kLevels ? uLevel : 0;
    WriteRaw("\n");
    WriteRaw("---\n");
    if (pszName) Write("%s\n", pszName);
    ++gNesting[m_uLevel];
}

TraceScope::~TraceScope() {
    if (!m_strPath.empty()) --gNesting[m_uLevel];
}

void TraceScope::Write(const char* pszFormat, ...) {
    if (m_strPath.empty() || !pszFormat) return;
    va_list args;
    va_start(args, pszFormat);
    va_list argsCopy;
    va_copy(argsCopy, args);
    const int cch = vsnprintf(nullptr, 0, pszFormat, args);
    va_end(args);
    if (cch < 0) {
        va_end(argsCopy);
        return;
    }
    std::vector<char> buf(static_cast<size_t>(cch) + 1);
    vsnprintf(buf.data(), buf.size(), pszFormat, argsCopy);
    va_end(argsCopy);
    WriteRaw(std::string(buf.data(), static_cast<size_t>(cch)));
}

void TraceScope::Dump(const void* pData, size_t cbData, const char* pszLabel) {
    if (m_strPath.empty() || !pData || cbData == 0 || !pszLabel || !*pszLabel) return;
    WriteRaw(TraceFormatDump(pszLabel, pData, cbData));
}

void TraceScope::DumpStatusReply(const void* pData, size_t cbData) {
    Dump(pData, cbData, "Binary Status Reply:");
}

void TraceScope::WriteRaw(const std::string& strMessage) {
    if (m_strPath.empty()) return;
    std::string strRecord = TraceFormatPrefix(m_dwProcessId, m_dwThreadId, TracePlatformTickCount());
    strRecord.append(2 * static_cast<size_t>(gNesting[m_uLevel].load()), ' ');
    strRecord += strMessage;
    // Every record ends its line: the log is shared by every process, and a
    // record left open would run into the next process's record.
    if (strRecord.back() != '\n') strRecord += '\n';
    TracePlatformAppend(m_strPath, strRecord);
}
