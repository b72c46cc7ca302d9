#include "common/base/ResourceText.h"

#include "common/trace/Trace.h"

UniqueHModule LoadResourceModule(const std::string& strPath) {
    if (strPath.empty()) return UniqueHModule();
    UniqueHModule module(LoadLibraryExA(strPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) {
        TraceScope trace("LoadResourceModule");
        trace.Write("LoadLibraryEx %s failed: %lu\n", strPath.c_str(), GetLastError());
    }
    return module;
}

std::optional<std::string> LoadResourceString(HMODULE hModule, UINT uId) {
    if (!hModule) return std::nullopt;
    // With no buffer the call hands out the text inside the module, so no
    // fixed buffer cuts a long string short.
    const wchar_t* pwszText = nullptr;
    const int cchText = LoadStringW(hModule, uId, reinterpret_cast<LPWSTR>(&pwszText), 0);
    if (cchText <= 0 || !pwszText) return std::nullopt;
    const int cbText = WideCharToMultiByte(CP_ACP, 0, pwszText, cchText, nullptr, 0, nullptr, nullptr);
    if (cbText <= 0) return std::nullopt;
    std::string strText(static_cast<size_t>(cbText), '\0');
    WideCharToMultiByte(CP_ACP, 0, pwszText, cchText, strText.data(), cbText, nullptr, nullptr);
    return strText;
}
