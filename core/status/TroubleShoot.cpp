#include "core/status/TroubleShoot.h"

#include <cstdio>

#include "common/base/Guard.h"
#include "common/base/ResourceText.h"
#include "common/datafile/DataFile.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"
#include "core/comm/QbApiChannel.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfoWin.h"
#include "core/status/StatusResourceIds.h"

namespace {

// The printer counts as locally reachable when the library offers it the
// command channel for reading and writing, and not over the network.
constexpr uint16_t kUtilityChannelMode = kQbModeRead | kQbModeWrite;

// Status numbers with a route of their own.
constexpr int32_t kStatusPaperJam = 6;
constexpr int32_t kStatusSetup = 19;

// What UtIsSupportType is asked about.
constexpr int32_t kSupportInkReplacement = 0;
constexpr int32_t kSupportPaperJam = 4;

// Exports of the maintenance utility module. Only UtIsSupportType is called
// here; the status window calls the others.
constexpr char kUtIsSupportType[] = "UtIsSupportType";
constexpr char kUtSetupfromPlx[] = "UtSetupfromPlx";
constexpr char kUtInkReplacement[] = "UtInkReplacement";
constexpr char kWndInkReplacement[] = "WndInkReplacement";
constexpr char kWndMethodPaperJam[] = "WndMethodPaperJam";

extern "C" {
typedef uint16_t(__cdecl* PFN_UtIsSupportType)(const char* pszPrinter, const char* pszDriver, int32_t iKind);
}

enum class Support { NotExported, Faulted, No, Yes };

// The maintenance utility module, loaded for one decision.
class CUtilityModule {
public:
    explicit CUtilityModule(const std::string& strPath) {
        // Its own folder first for what it loads in turn.
        if (!strPath.empty()) m_module.reset(LoadLibraryExA(strPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    }

    bool Loaded() const { return static_cast<bool>(m_module); }
    bool Exports(const char* pszName) const { return GetProcAddress(m_module.get(), pszName) != nullptr; }

    Support IsSupportType(TraceScope& ts, int32_t iKind) const {
        const auto pfn = reinterpret_cast<PFN_UtIsSupportType>(
            reinterpret_cast<void*>(GetProcAddress(m_module.get(), kUtIsSupportType)));
        if (!pfn) return Support::NotExported;
        const CBaseInfo& base = GetProcessContext().m_baseInfo;
        const int iAnswer = GuardedCall(ts, kUtIsSupportType, [&] {
            return static_cast<int>(pfn(base.PrinterName().c_str(), base.DriverName().c_str(), iKind));
        });
        if (iAnswer == kQbFault) return Support::Faulted;
        return iAnswer != 0 ? Support::Yes : Support::No;
    }

private:
    UniqueHModule m_module;
};

// The TSS switch of a status; a data file without a language section for
// the user reads as off.
bool TssSwitchOn(int32_t iTssNumber, const std::string& strDataFile) {
    char szKey[32];
    snprintf(szKey, sizeof(szKey), "TSS%03d", static_cast<int>(iTssNumber));
    return ReadLanguageNumber(szKey, 0, strDataFile.c_str()) > 0;
}

bool IsLocallyReachable() {
    const CBaseInfo& base = GetProcessContext().m_baseInfo;
    const bool bByPrinter = !base.PrinterName().empty();
    const CQbApiChannel channel(bByPrinter ? kQbNamePrinter : kQbNamePort,
                                bByPrinter ? base.PrinterName().c_str() : base.PortName().c_str(),
                                kQbCommandChannel, kUtilityChannelMode);
    return channel.IsSelected() && !(channel.SelectedMode() & kQbModeRemote);
}

// The decision of one status against the loaded utility module.
class CUtilityRoute {
public:
    CUtilityRoute(TraceScope& ts, const CUtilityModule& utility, StatusClassInfo& info)
        : m_ts(ts), m_utility(utility), m_info(info) {}

    bool Decide(bool bLocal) {
        const int32_t iStatusNo = m_info.Row.StatusNo;
        if (bLocal && iStatusNo == kStatusSetup && GetProcessContext().m_model.iSetupUtility != 0) {
            m_ts.Write("Setup Utility\n");
            return Offer(kUtSetupfromPlx, kTroubleSetupUtility, 0);
        }
        if (iStatusNo == kStatusPaperJam) return PaperJam();
        if (!bLocal) return InkWindow();
        // A module that cannot answer offers its replacement utility; a
        // module that faulted offers nothing.
        const Support support = m_utility.IsSupportType(m_ts, kSupportInkReplacement);
        if (support == Support::Faulted) return false;
        if (support == Support::No) return InkWindow();
        m_ts.Write("Ink Replacement Utility\n");
        return Offer(kUtInkReplacement, kTroubleInkUtility, 0);
    }

private:
    bool InkWindow() {
        m_ts.Write("Ink Replacement Window\n");
        return Offer(kWndInkReplacement, kTroubleInkWindow, static_cast<uint16_t>(m_info.Row.UtilityMode));
    }

    bool PaperJam() {
        if (m_utility.IsSupportType(m_ts, kSupportPaperJam) != Support::Yes) return false;
        m_ts.Write("Paper Jam Window\n");
        return Offer(kWndMethodPaperJam, kTroublePaperJamWindow, 0);
    }

    bool Offer(const char* pszExport, TroubleShootType type, uint16_t wSlot) {
        if (!m_utility.Exports(pszExport)) return false;
        m_info.TroubleShoot.Type = type;
        m_info.TroubleShoot.Slot = wSlot;
        return true;
    }

    TraceScope& m_ts;
    const CUtilityModule& m_utility;
    StatusClassInfo& m_info;
};

bool DecideByUtility(TraceScope& ts, StatusClassInfo& info) {
    const bool bLocal = IsLocallyReachable();
    const CUtilityModule utility(GetProcessContext().m_baseInfo.Utility());
    return utility.Loaded() && CUtilityRoute(ts, utility, info).Decide(bLocal);
}

bool DecideByGuide(StatusClassInfo& info) {
    const UniqueHModule resources = LoadContextResources();
    const uint32_t dwId = IDR_TROUBLE_GUIDE_BASE + static_cast<uint32_t>(info.Row.TssNumber);
    if (!resources || !FindResourceA(resources.get(), MAKEINTRESOURCEA(dwId), RT_RCDATA))
        return false;
    info.TroubleShoot.Type = kTroubleGuide;
    info.TroubleShoot.ResourceId = dwId;
    return true;
}

}  // namespace

void CTroubleShoot::Decide(StatusClassInfo& info, const std::string& strDataFile) {
    TraceScope ts("CStatusInfo::SetTroubleDialogInfo");
    if (!TssSwitchOn(info.Row.TssNumber, strDataFile)) {
        ts.Write("CStatusInfo::SetTroubleDialogInfo GetCurLangInt() == 0\n");
        return;
    }
    if (static_cast<int16_t>(info.Row.UtilityMode) >= 0 && DecideByUtility(ts, info)) return;
    if (DecideByGuide(info)) return;
    ts.Write("CStatusInfo::SetTroubleDialogInfo pTsInfo->dwType = 0 return\n");
}
