// Pieces shared by the library bindings of this folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <new>
#include <vector>

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
