#include "core/cartridge/CsicDataFile.h"

#include <optional>

#include "common/trace/Trace.h"
#include "core/cartridge/CartridgeResourceIds.h"
#include "core/cartridge/CartridgeSources_private.h"

namespace {

constexpr char kCsicSection[] = "CSIC";
constexpr char kCsic2Section[] = "CSIC2";

// The decoded text of a key of the section; nullopt when the key is
// missing, empty or too long.
std::optional<std::string> ReadDecodedValue(const char* pszSection, const char* pszDataFile, const char* pszKey,
                                            const std::string& strAtText) {
    const std::optional<std::string> value = ReadProfileText(pszSection, pszKey, pszDataFile, kCsicTextSize - 1);
    if (!value || value->empty()) return std::nullopt;
    // Starts empty, so a value that does not decode reads as empty text.
    char szDecoded[kCsicTextSize] = {};
    if (!DecodeHexText(value->c_str(), value->size(), szDecoded, sizeof(szDecoded), strAtText)) {
        TraceScope trace("ReadCsicValue");
        trace.Write("[%s] %s does not decode\n", pszSection, pszKey);
    }
    return std::string(szDecoded);
}

}  // namespace

std::string LoadCsicAtText(HMODULE hResource) {
    return LoadResourceText(hResource, IDS_CSIC_AT_TEXT, kCsicTextSize - 1).value_or(std::string());
}

int GetInfoFileCSICData(const char* pszDataFile, const char* pszKey, const std::string& strAtText,
                        CsicTypeEntry& entry) {
    const std::optional<std::string> decoded = ReadDecodedValue(kCsicSection, pszDataFile, pszKey, strAtText);
    entry = decoded ? SplitCsicEntry(*decoded) : CsicTypeEntry();
    return decoded ? 1 : 0;
}

int GetInfoFileCSIC2Data(const char* pszDataFile, const char* pszKey, const std::string& strAtText,
                         Csic2Entry& entry) {
    const std::optional<std::string> decoded = ReadDecodedValue(kCsic2Section, pszDataFile, pszKey, strAtText);
    entry = decoded ? SplitCsic2Entry(*decoded) : Csic2Entry();
    return decoded ? 1 : 0;
}
