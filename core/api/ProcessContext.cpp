#include "core/api/ProcessContext.h"

#include "common/base/WinVersion.h"
#include "common/driverinfo/DriverInfo.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"
#include "common/trace/Trace.h"

namespace {

int ReadModelInt(const char* pszSection, const char* pszKey, int iDefault, const char* pszDataFile) {
    return static_cast<int>(GetPrivateProfileIntA(pszSection, pszKey, iDefault, pszDataFile));
}

}  // namespace

CProcessContext::CProcessContext() {
    // The trace switch is read once, when the library is loaded.
    TraceSetEnabled(RegistryKey(HKEY_CURRENT_USER, kPlx3Key, false).GetNumber("log", 0) != 0);
    m_bNtFamily = GetWinVersion().bNtFamily;
}

CProcessContext::~CProcessContext() { ReleaseDriverInfo(); }

void CProcessContext::ReadModelSettings(const char* pszModelId, const char* pszDataFile) {
    if (!pszModelId || !*pszModelId || !pszDataFile || !*pszDataFile) return;
    const ModelSettings defaults;
    m_model.iInkColorNum = ReadModelInt(pszModelId, "INKCOLORNUM", defaults.iInkColorNum, pszDataFile);
    m_model.iSetupUtility = ReadModelInt(pszModelId, "SetupUtility", defaults.iSetupUtility, pszDataFile);
    m_model.iLanguage = ReadModelInt(pszModelId, "Language", defaults.iLanguage, pszDataFile);
    m_model.iSendRScommand = ReadModelInt(pszModelId, "SendRScommand", defaults.iSendRScommand, pszDataFile);
    m_model.iCommErrDisableTime =
        ReadModelInt(pszModelId, "CommErrDisableTime", defaults.iCommErrDisableTime, pszDataFile);
    m_model.iMaintenanceTankNum =
        ReadModelInt(pszModelId, "MaintenanceTankNum", defaults.iMaintenanceTankNum, pszDataFile);
    m_model.iInkTankViewCtrl = ReadModelInt(pszModelId, "InkTankViewCtrl", defaults.iInkTankViewCtrl, pszDataFile);
}

CProcessContext& GetProcessContext() {
    static CProcessContext context;
    return context;
}
