// Pieces shared by the library bindings of this folder.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/base/Guard.h"
#include "common/trace/Trace.h"
#include "core/comm/QbApiDefs.h"

// Buffer of a size query: the reported size plus one zero byte that keeps
// text replies terminated. False when the size is absurd or memory is out.
inline bool AllocQueryBuffer(int iSize, std::vector<uint8_t>* pBuffer) {
    if (iSize < 0) return false;
    try {
        pBuffer->assign(static_cast<size_t>(iSize) + 1, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

template <typename Fn>
bool BindFunction(HMODULE hModule, const char* pszName, Fn* pfn) {
    *pfn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(hModule, pszName)));
    return *pfn != nullptr;
}

// What a size query ended with: the result of the last call made, and the
// buffer the second call filled (empty when there was no second call).
struct QbQuery {
    int iResult = 0;
    bool bOutOfMemory = false;  // no buffer could be made for the size given
    std::vector<uint8_t> buffer;

    bool Filled() const { return !buffer.empty(); }
    // The text the library wrote, ended inside the buffer whatever it wrote.
    std::string Text() {
        buffer.back() = 0;
        return reinterpret_cast<const char*>(buffer.data());
    }
    // The channel entries written: never more than the bytes received,
    // whatever count came back.
    std::vector<QbChannelEntry> Entries() const {
        if (!Filled() || iResult <= 0) return {};
        const size_t cEntries = std::min(static_cast<size_t>(iResult), (buffer.size() - 1) / sizeof(QbChannelEntry));
        std::vector<QbChannelEntry> entries(cEntries);
        if (cEntries) memcpy(entries.data(), buffer.data(), cEntries * sizeof(QbChannelEntry));
        return entries;
    }
};

// The library's two-call size query, each call guarded and traced under
// pszName with "(1st)" and "(2nd)": query(nullptr, &size) answers -4 with
// the size, then query(buffer, &size) fills a buffer of it. With
// bNeedSize a size of 0 or less ends the query after the first call.
template <typename Query>
QbQuery RunQbSizeQuery(TraceScope& trace, const char* pszName, bool bNeedSize, Query query) {
    QbQuery result;
    const std::string strName(pszName);
    int iSize = 0;
    result.iResult = GuardedCall(trace, (strName + "(1st)").c_str(), [&] { return query(nullptr, &iSize); });
    if (result.iResult != kQbNeedBuffer || (bNeedSize && iSize <= 0)) return result;
    if (!AllocQueryBuffer(iSize, &result.buffer)) {
        result.bOutOfMemory = true;
        return result;
    }
    result.iResult =
        GuardedCall(trace, (strName + "(2nd)").c_str(), [&] { return query(result.buffer.data(), &iSize); });
    return result;
}
