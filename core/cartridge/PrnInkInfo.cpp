#include "core/cartridge/PrnInkInfo.h"

#include <optional>

#include "common/datafile/SetupDataFile.h"
#include "common/trace/Trace.h"
#include "core/cartridge/CartridgeSources_private.h"
#include "core/cartridge/CartridgeTables.h"
#include "core/cartridge/CsicText.h"

namespace {

// The VIF file is the data file of the printer's driver.
std::optional<std::string> VifFileOfPrinter(const char* pszPrinter) {
    const std::optional<DriverFiles> files = DriverFilesForPrinter(pszPrinter);
    if (!files || files->strDataFile.empty()) return std::nullopt;
    return files->strDataFile;
}

const char* NameOrNull(const char* psz) { return psz ? psz : "(null)"; }

}  // namespace

bool CPrnInkInfo::GetCardridgeTypeName(UINT uStringId, std::string& strName) const {
    std::optional<std::string> text = LoadResourceText(m_hResource, uStringId, kInkTypeTextMax);
    if (!text) return false;
    strName = std::move(*text);
    return true;
}

bool CPrnInkInfo::ReadInkInfoKey(const char* pszFile, int iNumber, std::string& strValue) {
    std::optional<std::string> value = ReadProfileText(kVifInkInfoSection, VifInkInfoKey(iNumber), pszFile,
                                                       kInkTypeTextMax);
    if (!value || value->empty()) return false;
    strValue = std::move(*value);
    return true;
}

bool CPrnInkInfo::GetVifInkInfo(const char* pszPrinter, int iNumber, std::string& strValue) {
    TraceScope trace("CPrnInkInfo::GetVifInkInfo");
    const std::optional<std::string> file = VifFileOfPrinter(pszPrinter);
    if (!file) {
        trace.Write("no driver data file for %s\n", NameOrNull(pszPrinter));
        return false;
    }
    if (!ReadInkInfoKey(file->c_str(), iNumber, strValue)) {
        trace.Write("no InkInfo value %d in %s\n", iNumber, file->c_str());
        return false;
    }
    return true;
}

bool CPrnInkInfo::GetVifInkInfoVertical(const char* pszPrinter, int iNumber, std::string& strValue) {
    std::string strOneLine;
    if (!GetVifInkInfo(pszPrinter, iNumber, strOneLine)) return false;
    std::optional<std::string> vertical = SlashesToLineBreaks(strOneLine, kInkTypeBufferSize);
    if (!vertical) return false;
    strValue = std::move(*vertical);
    return true;
}

const char* CPrnInkInfo::GetCardridgeTypeNum(const char* pszPrinter, UINT uNameId, int iNumber) {
    TraceScope trace("CPrnInkInfo::GetCardridgeTypeNum");
    static_assert(2 * kInkTypeTextMax < kTypeNumBufferSize, "a name and a type text always fit the buffer");
    std::string strName;
    std::string strType;
    if (!GetCardridgeTypeName(uNameId, strName)) {
        trace.Write("no string %u\n", uNameId);
        return nullptr;
    }
    if (!GetVifInkInfo(pszPrinter, iNumber, strType)) return nullptr;
    m_strTypeNum = strName + strType;
    return m_strTypeNum.c_str();
}
