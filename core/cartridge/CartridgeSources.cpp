#include "core/cartridge/CartridgeSources_private.h"

#include <vector>

#include "common/base/ResourceText.h"
#include "core/api/ProcessContext.h"

namespace {

// Both functions cut a text to the buffer size less one: with room for one
// character more than allowed, a cut text reads as too long.
constexpr size_t kCutMargin = 1;

}  // namespace

std::optional<std::string> ReadProfileText(const char* pszSection, const char* pszKey, const char* pszFile,
                                           size_t cchMax) {
    // A null key would list the section, and a bare or empty file name
    // means a file in the Windows folder.
    if (!pszKey || !*pszKey || !pszFile || !*pszFile) return std::nullopt;
    std::vector<char> buffer(cchMax + kCutMargin + 1, '\0');
    const DWORD cch = GetPrivateProfileStringA(pszSection, pszKey, "", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), pszFile);
    if (cch > cchMax) return std::nullopt;
    return std::string(buffer.data(), cch);
}

std::optional<std::string> LoadResourceText(HMODULE hModule, UINT uId, size_t cchMax) {
    UniqueHModule defaultModule;
    if (!hModule) {
        defaultModule = LoadResourceModule(GetProcessContext().m_baseInfo.ResourceModule());
        if (!defaultModule) return std::nullopt;
        hModule = defaultModule.get();
    }
    std::vector<char> buffer(cchMax + kCutMargin + 1, '\0');
    const int cch = LoadStringA(hModule, uId, buffer.data(), static_cast<int>(buffer.size()));
    if (cch <= 0 || static_cast<size_t>(cch) > cchMax) return std::nullopt;
    return std::string(buffer.data(), static_cast<size_t>(cch));
}
