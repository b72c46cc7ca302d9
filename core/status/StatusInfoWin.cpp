#include "core/status/StatusInfoWin.h"

#include "common/base/ResourceText.h"
#include "common/base/SpoolerInfo.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"
#include "core/cartridge/PrnInkInfoEx.h"
#include "core/status/StatusResourceIds.h"
#include "core/status/StatusTables.h"

namespace {

constexpr char kHtmlClassKey[] = ".HTM";

}  // namespace

int CStatusInfo::SetDataFile(const char* pszDataFile) {
    m_strDataFile = pszDataFile ? pszDataFile : "";
    UniqueHKey key;
    m_bHtml = RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlClassKey, 0, KEY_READ, key.put()) == ERROR_SUCCESS ? 1 : 0;
    return 1;
}

int CStatusInfo::CheckPrinterOffline(const char* pszPrinter) {
    TraceScope ts("CStatusInfo::CheckPrinterOffline");
    const CPrinterInfo2 info(pszPrinter);
    const PRINTER_INFO_2A* pInfo = info.get();
    if (!pInfo) return 0;
    ts.Write("Printer Attributes : %08X\n", static_cast<unsigned>(pInfo->Attributes));
    ts.Write("Printer Status : %08X\n", static_cast<unsigned>(pInfo->Status));
    if (!(pInfo->Attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE)) return 0;
    ts.Write("Printer is Offline !!\n");
    return 1;
}

CContextStatusInfo::CContextStatusInfo() {
    SetPrinterQueue(&m_queue);
    SetTroubleShooter(&m_troubleShooter);
    SetInkColorCount(GetProcessContext().m_model.iInkColorNum);
}

StatusCartridgeTextFn ContextCartridgeText() {
    return [](const StatusRecord& record, size_t nSlot) {
        const CBaseInfo& info = GetProcessContext().m_baseInfo;
        // No module given: the context's resource module.
        CPrnInkInfoEx inkInfo(info.PrinterName().c_str(), info.DataFile().c_str(), nullptr);
        std::string strText;
        return inkInfo.GetStatusCartridgeText(record, static_cast<int>(nSlot), strText) ? strText : std::string();
    };
}

UniqueHModule LoadContextResources() {
    return LoadResourceModule(GetProcessContext().m_baseInfo.ResourceModule());
}

int GetNotifyItemCount() {
    const UniqueHModule resources = LoadContextResources();
    const std::optional<std::string> text = LoadResourceString(resources.get(), IDS_NOTIFY_ITEM_COUNT);
    return text ? NotifyItemCountOfText(*text) : 0;
}
