// The status object's texts from the resource module and the model data
// file of the process context's printer.
#include <windows.h>

#include <algorithm>

#include "common/base/ResourceText.h"
#include "common/datafile/DataFile.h"
#include "common/registry/EntrySettings.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfoWin.h"
#include "core/status/StatusResourceIds.h"

namespace {

// Switches of the model section that enable the ink status address and its
// header; only the value 1 enables.
constexpr char kEnableStatUrl[] = "EnableStatUrl";
constexpr char kEnableStUrlHdr[] = "EnableStUrlHdr";
constexpr char kUrlModelName[] = "IOURLMDL";
constexpr int kUrlModeWithHeader = 1;

std::string ContextResourceString(int32_t iId) {
    const UniqueHModule resources = LoadContextResources();
    return LoadResourceString(resources.get(), static_cast<UINT>(iId)).value_or(std::string());
}

bool ModelSwitchOn(const char* pszKey) {
    const CBaseInfo& base = GetProcessContext().m_baseInfo;
    return GetPrivateProfileIntA(base.ModelId().c_str(), pszKey, 0, base.DataFile().c_str()) == 1;
}

std::string ModelString(const char* pszKey) {
    const CBaseInfo& base = GetProcessContext().m_baseInfo;
    char szValue[kProfileValueSize] = {};
    GetPrivateProfileStringA(base.ModelId().c_str(), pszKey, "", szValue, sizeof(szValue), base.DataFile().c_str());
    return szValue;
}

}  // namespace

int CPrinterStatus::GetMessageText(std::string& strText) const {
    strText = ContextResourceString(m_row.MessageId);
    return static_cast<int>(strText.size());
}

int CPrinterStatus::GetSubMessage(std::string& strText, const StatusCartridgeTextFn& cartridgeText) const {
    strText.clear();
    const std::string strDetail = ContextResourceString(m_row.DetailMessageId);
    if (strDetail.empty()) return 0;
    // Only the slots the message lists are looked up: a cartridge text may
    // take file and registry reads.
    CartridgeTexts texts;
    const CartridgeListRule* pRule = FindCartridgeListRule(m_row.DetailMessageId);
    if (pRule && cartridgeText) {
        const unsigned uSlots = CartridgeListSlots(*pRule, m_record.InkStateMask, m_record.WarningMask);
        for (size_t s = 0; s < texts.size(); ++s) {
            if (uSlots & 1u << s) texts[s] = cartridgeText(m_record, s);
        }
    }
    strText = GetSubMessageText(strDetail, texts);
    return static_cast<int>(strText.size());
}

std::string CPrinterStatus::GetInkStatusURL(int iMode) const {
    if (!ModelSwitchOn(kEnableStatUrl)) return FormatInkStatusURL({}, {});
    const std::string strFormat = ContextResourceString(IDS_INKSTATUSURL);
    std::string strHeader;
    if (!strFormat.empty() && iMode == kUrlModeWithHeader && ModelSwitchOn(kEnableStUrlHdr)) {
        const std::string strHeaderFormat = ContextResourceString(IDS_INKSTATUSURL_HEADER);
        // No country set counts as country 0.
        const std::string strNation = std::to_string(std::max(GetNation(), 0));
        if (!strHeaderFormat.empty()) strHeader = FillFormat(strHeaderFormat, {ModelString(kUrlModelName), strNation});
    }
    return FormatInkStatusURL(strFormat, strHeader);
}
