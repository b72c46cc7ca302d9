#include "core/cartridge/PrnInkInfoEx.h"

#include <cstdio>
#include <optional>

#include "common/datafile/SetupDataFile.h"
#include "common/registry/DriverRegistryKey.h"
#include "common/registry/RegistryKey.h"
#include "common/trace/Trace.h"
#include "core/cartridge/CsicDataFile.h"

namespace {

constexpr char kIoUrlKeyPrefix[] = "software\\KAVRO\\";
constexpr char kIoUrlKeySuffix[] = " IO_URL";
// Ordering overrides of a slot: value name prefix and the slot's digit.
constexpr char kOrderNamePrefix[] = "01";
constexpr char kOrderTypePrefix[] = "11";

std::string Csic2KeyName(int iIndex) {
    char szKey[16];
    std::snprintf(szKey, sizeof(szKey), "%03d", iIndex);
    return szKey;
}

std::string StringOrEmpty(const char* psz) { return psz ? psz : ""; }

}  // namespace

CPrnInkInfoEx::CPrnInkInfoEx(const char* pszPrinter, HMODULE hResource)
    : CPrnInkInfoEx(pszPrinter, nullptr, hResource) {}

CPrnInkInfoEx::CPrnInkInfoEx(const char* pszPrinter, const char* pszDataFile, HMODULE hResource)
    : CPrnInkInfo(hResource), m_strPrinterName(StringOrEmpty(pszPrinter)), m_strDataFile(StringOrEmpty(pszDataFile)) {}

int CPrnInkInfoEx::TypeNumText(const CartridgeSlotRow* pRow, uint32_t CartridgeSlotRow::*pNameId,
                               std::string& strText) {
    if (!pRow) return 0;
    const char* pszText = GetCardridgeTypeNum(m_strPrinterName.c_str(), pRow->*pNameId, pRow->VifNumber);
    if (!pszText) return 0;
    strText = pszText;
    return 1;
}

int CPrnInkInfoEx::GetStatusCartridgeText(const StatusRecord& record, int iSlot, std::string& strText) {
    TraceScope trace("CPrnInkInfoEx::GetStatusCartridgeText");
    if (iSlot < 0 || static_cast<size_t>(iSlot) >= record.InkCode.size()) return 0;
    return TypeNumText(FindCartridgeSlotRow(iSlot, record.InkCode[iSlot]), &CartridgeSlotRow::StatusNameId, strText);
}

int CPrnInkInfoEx::GetSlotCartridgeText(int iSlot, std::string& strText) {
    TraceScope trace("CPrnInkInfoEx::GetSlotCartridgeText");
    return TypeNumText(FindCartridgeSlotRow(iSlot), &CartridgeSlotRow::CheckNameId, strText);
}

int CPrnInkInfoEx::GetOrderCartridgeText(uint16_t wInkCode, int iSlot, std::string& strName,
                                         std::string& strType) const {
    TraceScope trace("CPrnInkInfoEx::GetOrderCartridgeText");
    const CartridgeSlotRow* pRow = FindCartridgeSlotRow(iSlot, wInkCode);
    if (!pRow) return 0;
    std::string strOrderName;
    std::string strVertical;
    GetCardridgeTypeName(pRow->OrderNameId, strOrderName);
    GetVifInkInfoVertical(m_strPrinterName.c_str(), pRow->VifNumber, strVertical);
    strName = std::move(strOrderName);
    strType = std::move(strVertical);
    return 1;
}

bool CPrnInkInfoEx::TypeFromDataFile(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strText) const {
    if (m_strDataFile.empty()) return false;
    const char* pszDataFile = m_strDataFile.c_str();
    const std::string strAtText = LoadCsicAtText(ResourceModule());
    // The numbered keys run without a gap: the first missing one ends them.
    Csic2Entry entry;
    for (int iIndex = 0; GetInfoFileCSIC2Data(pszDataFile, Csic2KeyName(iIndex).c_str(), strAtText, entry);
         ++iIndex) {
        if (entry.m1 != wInkCode || entry.Idx != iSlot || entry.m4 != wSizeCode) continue;
        CsicTypeEntry type;
        if (!GetInfoFileCSICData(pszDataFile, entry.csStringID.c_str(), strAtText, type)) continue;
        std::optional<std::string> vertical = SlashesToLineBreaks(type.cartridge, kCsicTextSize);
        if (!vertical) continue;
        strText = std::move(*vertical);
        return true;
    }
    return false;
}

int CPrnInkInfoEx::GetInkCartVertical(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strText) const {
    TraceScope trace("CPrnInkInfoEx::GetInkCartVertical");
    if (iSlot < 0) return 0;
    if (TypeFromDataFile(wInkCode, wSizeCode, iSlot, strText)) return 1;
    const CartridgeSlotRow* pRow = FindCartridgeSlotRow(iSlot, wInkCode);
    if (!pRow) return 0;
    std::string strVertical;
    GetVifInkInfoVertical(m_strPrinterName.c_str(), pRow->VifNumber, strVertical);
    strText = std::move(strVertical);
    return 1;
}

int CPrnInkInfoEx::GetVendCartridgeSx(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strName,
                                      std::string& strType) const {
    TraceScope trace("CPrnInkInfoEx::GetVendCartridgeSx");
    const CartridgeSlotRow* pRow = FindCartridgeSlotRow(iSlot, wInkCode);
    if (!pRow) return 0;
    const std::string strSlotDigit = std::to_string(iSlot + 1);
    std::string strOrderName;
    if (GetIoUrlValue((kOrderNamePrefix + strSlotDigit).c_str(), m_strPrinterName.c_str(), kIoUrlByPrinter,
                      strOrderName)) {
        std::string strOrderType;
        if (GetIoUrlValue((kOrderTypePrefix + strSlotDigit).c_str(), m_strPrinterName.c_str(), kIoUrlByPrinter,
                          strOrderType))
            strType = std::move(strOrderType);
        strName = std::move(strOrderName);
        return 1;
    }
    std::string strDefaultName;
    std::string strDefaultType;
    GetCardridgeTypeName(pRow->OrderNameId, strDefaultName);
    GetInkCartVertical(wInkCode, wSizeCode, iSlot, strDefaultType);
    strName = std::move(strDefaultName);
    strType = std::move(strDefaultType);
    return 1;
}

int CPrnInkInfoEx::GetIoUrlValue(const char* pszValueName, const char* pszName, int iMode, std::string& strText) {
    TraceScope trace("CPrnInkInfoEx::GetIoUrlValue");
    strText.clear();
    std::string strKeyName;
    if (iMode == kIoUrlByPrinter)
        strKeyName = DriverNameOfPrinter(pszName);
    else if (iMode == kIoUrlByName)
        strKeyName = StringOrEmpty(pszName);
    if (strKeyName.empty() || !pszValueName) return 0;
    const std::string strPath = kIoUrlKeyPrefix + strKeyName + kIoUrlKeySuffix;
    // Installers write the key either way: plainly, or through the driver
    // recognition's registry functions.
    const RegistryKey key(HKEY_LOCAL_MACHINE, strPath.c_str(), false);
    if (key.IsOpen()) {
        strText = key.GetString(pszValueName, "");
    } else {
        const DriverRegistryKey routedKey(HKEY_LOCAL_MACHINE, strPath.c_str(), false);
        strText = routedKey.GetString(pszValueName, "");
    }
    return strText.empty() ? 0 : 1;
}
