#include "core/comm/QbApi.h"

#include "common/base/Guard.h"
#include "common/datafile/DriverValues.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"
#include "core/comm/QbQuery_private.h"

namespace {

bool BindAll(HMODULE hModule, QbFunctions* pFn) {
    return BindFunction(hModule, "QBInitialize", &pFn->pfnInitialize) &&
           BindFunction(hModule, "QBRelease", &pFn->pfnRelease) &&
           BindFunction(hModule, "QBGetDeviceID", &pFn->pfnGetDeviceID) &&
           BindFunction(hModule, "QBGetAvailableChannel", &pFn->pfnGetAvailableChannel) &&
           BindFunction(hModule, "QBOpenChannel", &pFn->pfnOpenChannel) &&
           BindFunction(hModule, "QBCloseChannel", &pFn->pfnCloseChannel) &&
           BindFunction(hModule, "QBSetOption", &pFn->pfnSetOption) &&
           BindFunction(hModule, "QBGetOption", &pFn->pfnGetOption) &&
           BindFunction(hModule, "QBReceiveCancel", &pFn->pfnReceiveCancel) &&
           BindFunction(hModule, "QBGetStatus", &pFn->pfnGetStatus) &&
           BindFunction(hModule, "QBReceive", &pFn->pfnReceive) &&
           BindFunction(hModule, "QBSend", &pFn->pfnSend);
}

bool HasName(const char* pszName) { return pszName && *pszName; }

unsigned ModuleTraceValue(HMODULE hModule) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(hModule));
}

// The library file named by the printer's driver, in the driver's install
// folder when that is known.
std::string DriverQbapiPath() {
    const CBaseInfo& info = GetProcessContext().m_baseInfo;
    char szFile[MAX_PATH] = {};
    if (!GetDriverValue(szFile, sizeof(szFile), "QBAPI32", info.DriverName().c_str(), info.ModelId().c_str(),
                        info.PrinterName().c_str()))
        return {};
    char szFolder[MAX_PATH] = {};
    GetInstallPath(szFolder, sizeof(szFolder), info.DriverName().c_str(), info.ModelId().c_str(),
                   info.PrinterName().c_str());
    return std::string(szFolder) + szFile;
}

}  // namespace

CQbApiBase::~CQbApiBase() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_dwUseCount = 0;
    TearDown();
}

int CQbApiBase::Initialize() {
    TraceScope trace("CQbApiBase::Initialize");
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!m_hInst) {
        const std::string strPath = DriverQbapiPath();
        if (!strPath.empty()) {
            trace.Write("strQbapiFileName = %s\n", strPath.c_str());
            m_hInst.reset(LoadLibraryA(strPath.c_str()));
            trace.Write("After:LoadLibrary(), m_hInst : %d\n", ModuleTraceValue(m_hInst.get()));
        }
    }
    if (!m_hInst) {
        trace.Write("Before:[2nd]LoadLibrary(QBAPI.DLL)\n");
        m_hInst.reset(LoadLibraryA(kQbapiDefaultFile));
    }
    if (m_hQbApi < 0 && m_hInst) {
        QbFunctions fn;
        if (BindAll(m_hInst.get(), &fn)) {
            m_fn = fn;
            m_hQbApi = GuardedCall(trace, "QBInitialize", [&] { return m_fn.pfnInitialize(); });
            if (m_hQbApi == 0) m_bEnable = 1;
            trace.Write("After:QBInitialize(), m_hQbApi : %d, m_bEnable : %d\n", m_hQbApi, m_bEnable);
        }
    }
    return m_bEnable;
}

void CQbApiBase::Destroy() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (m_dwUseCount == 0) TearDown();
}

void CQbApiBase::TearDown() {
    TraceScope trace("CQbApiBase::Destroy");
    m_channels.clear();
    m_lChannelCount = -1;
    if (m_hQbApi >= 0 && m_fn.pfnRelease) {
        if (GuardedCall(trace, "QBRelease", [&] { return m_fn.pfnRelease(); }) >= 0) m_hQbApi = -1;
    }
    if (m_hInst) {
        trace.Write("Before:FreeLibrary(%d)\n", ModuleTraceValue(m_hInst.get()));
        m_hInst.reset();
        trace.Write("After:FreeLibrary()\n");
    }
    // A freed library is never left looking ready: the next handle loads
    // and initializes afresh.
    m_hQbApi = -1;
    m_bEnable = 0;
    m_fn = QbFunctions();
}

// The library is asked without the lock held: a slow printer must not hold
// up the threads that only create or drop handles. The handle of the caller
// keeps the library loaded meanwhile; the first answer stored wins.
bool CQbApiBase::ReadyFunctions(const char* pszName, QbFunctions* pFn) const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (!m_bEnable || !HasName(pszName)) return false;
    *pFn = m_fn;
    return true;
}

int CQbApiBase::QBGetAvailableChannel(int iNameKind, const char* pszName) {
    TraceScope trace("CQbApiBase::QBGetAvailableChannel");
    QbFunctions fn;
    if (!ReadyFunctions(pszName, &fn)) return -1;
    if (const int iHeld = ChannelCount(); iHeld > 0) return iHeld;

    trace.Write("Before:QBGetAvailableChannel(1st)\n");
    const QbQuery list = RunQbSizeQuery(trace, "QBGetAvailableChannel", false, [&](void* pEntries, int* piSize) {
        return fn.pfnGetAvailableChannel(iNameKind, pszName, pEntries, piSize);
    });
    if (list.Filled())
        trace.Write("After:QBGetAvailableChannel(2nd), result(ChannelCount) : %d\n", list.iResult);
    // No buffer for the size the library gave: no list, and no library error.
    const int iResult = list.bOutOfMemory ? 0 : list.iResult;
    std::vector<QbChannelEntry> entries = list.Entries();

    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (m_lChannelCount > 0) return m_lChannelCount;
    m_channels.clear();
    m_lChannelCount = -1;
    if (iResult <= 0) return iResult;
    if (entries.empty()) return 0;
    m_channels = std::move(entries);
    m_lChannelCount = static_cast<int>(m_channels.size());
    return m_lChannelCount;
}

std::string CQbApiBase::QBGetDeviceID(int iNameKind, const char* pszName) {
    TraceScope trace("CQbApiBase::QBGetDeviceID");
    QbFunctions fn;
    if (!ReadyFunctions(pszName, &fn)) return {};
    {
        std::lock_guard<std::recursive_mutex> lock(m_lock);
        if (!m_strDeviceId.empty()) return m_strDeviceId;
    }

    QbQuery deviceId = RunQbSizeQuery(trace, "QBGetDeviceID", true, [&](void* pText, int* piSize) {
        return fn.pfnGetDeviceID(iNameKind, pszName, static_cast<char*>(pText), piSize);
    });
    const bool bText = deviceId.Filled() && deviceId.iResult >= 0;
    const std::string strText = bText ? deviceId.Text() : std::string();

    std::lock_guard<std::recursive_mutex> lock(m_lock);
    m_iDeviceIdResult = deviceId.iResult;
    if (!bText) return {};
    if (m_strDeviceId.empty()) m_strDeviceId = strText;
    return m_strDeviceId;
}

int CQbApiBase::QBOpenChannel(int iNameKind, const char* pszName, uint32_t dwChannel) {
    TraceScope trace("CQbApiBase::QBOpenChannel");
    QbFunctions fn;
    if (!ReadyFunctions(pszName, &fn)) return -1;
    const int hChannel =
        GuardedCall(trace, "QBOpenChannel", [&] { return fn.pfnOpenChannel(iNameKind, pszName, dwChannel); });
    trace.Write("After:QBOpenChannel, result(ChannelHandle) : %d\n", hChannel);
    return hChannel;
}

uint32_t CQbApiBase::AddUse() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return ++m_dwUseCount;
}

uint32_t CQbApiBase::DropUse() {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    if (m_dwUseCount > 0) --m_dwUseCount;
    return m_dwUseCount;
}

uint32_t CQbApiBase::UseCount() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_dwUseCount;
}

int CQbApiBase::IsEnabled() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_bEnable;
}

QbFunctions CQbApiBase::Functions() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_fn;
}

const QbChannelEntry* CQbApiBase::Channels() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_channels.data();
}

int CQbApiBase::ChannelCount() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_lChannelCount;
}

int CQbApiBase::DeviceIdResult() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return m_iDeviceIdResult;
}

bool CQbApiBase::IsLoaded() const {
    std::lock_guard<std::recursive_mutex> lock(m_lock);
    return static_cast<bool>(m_hInst);
}

CQbApiBase& GetQbApiBase() {
    static CQbApiBase base;
    return base;
}

CQbApi::CQbApi() : m_pBase(&GetQbApiBase()) {
    m_pBase->AddUse();
    if (!m_pBase->IsEnabled()) m_pBase->Initialize();
    // A ready binding has every entry point: it is bound all or nothing.
    if (m_pBase->IsEnabled()) m_fn = m_pBase->Functions();
}

CQbApi::~CQbApi() {
    m_pBase->DropUse();
    m_pBase->Destroy();
}

int CQbApi::IsReady() const { return m_pBase->IsEnabled(); }

uint32_t CQbApi::Hold() { return m_pBase->AddUse(); }

uint32_t CQbApi::DropHold() { return m_pBase->DropUse(); }

int CQbApi::GetChannels(int iNameKind, const char* pszName) {
    if (!HasName(pszName)) return kQbNoBinding;
    const int iCount = m_pBase->QBGetAvailableChannel(iNameKind, pszName);
    m_lChannelCount = m_pBase->ChannelCount();
    m_pChannels = m_lChannelCount > 0 ? m_pBase->Channels() : nullptr;
    return iCount;
}

std::string CQbApi::GetDeviceId(int iNameKind, const char* pszName) {
    if (!HasName(pszName)) return {};
    m_strDeviceId = m_pBase->QBGetDeviceID(iNameKind, pszName);
    return m_strDeviceId;
}

int CQbApi::LastDeviceIdResult() const { return m_pBase->DeviceIdResult(); }

int CQbApi::OpenChannelByName(int iNameKind, const char* pszName, uint32_t dwChannel) {
    if (!HasName(pszName)) return -1;
    return m_pBase->QBOpenChannel(iNameKind, pszName, dwChannel);
}

int CQbApi::QBCloseChannel(int hChannel) {
    TraceScope trace("CQbApi::QBCloseChannel");
    if (!m_fn.pfnCloseChannel) return kQbNoBinding;
    return GuardedCall(trace, "QBCloseChannel", [&] { return m_fn.pfnCloseChannel(hChannel); });
}

int CQbApi::QBGetStatus(int hChannel, void* pReply, int* piSize) {
    TraceScope trace("CQbApi::QBGetStatus");
    if (!m_fn.pfnGetStatus) return kQbNoBinding;
    return GuardedCall(trace, "QBGetStatus", [&] { return m_fn.pfnGetStatus(hChannel, pReply, piSize); });
}
