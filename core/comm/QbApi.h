// The process-wide binding of the bidirectional library: one loaded copy
// shared by every CQbApi handle in the process, loaded with the first
// handle and freed with the last.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "common/base/UniqueHandle.h"
#include "core/comm/QbApiDefs.h"

// The library's entry points, in binding order.
struct QbFunctions {
    PFN_QBInitialize pfnInitialize = nullptr;
    PFN_QBRelease pfnRelease = nullptr;
    PFN_QBGetDeviceID pfnGetDeviceID = nullptr;
    PFN_QBGetAvailableChannel pfnGetAvailableChannel = nullptr;
    PFN_QBOpenChannel pfnOpenChannel = nullptr;
    PFN_QBCloseChannel pfnCloseChannel = nullptr;
    PFN_QBSetOption pfnSetOption = nullptr;
    PFN_QBGetOption pfnGetOption = nullptr;
    PFN_QBReceiveCancel pfnReceiveCancel = nullptr;
    PFN_QBGetStatus pfnGetStatus = nullptr;
    PFN_QBReceive pfnReceive = nullptr;
    PFN_QBSend pfnSend = nullptr;
};

class CQbApiBase {
public:
    CQbApiBase() = default;
    // At process end the binding goes whatever its use count.
    ~CQbApiBase();
    CQbApiBase(const CQbApiBase&) = delete;
    CQbApiBase& operator=(const CQbApiBase&) = delete;

    // Loads, binds and initializes the library for the printer of the
    // process context when not done yet; 1 ready, 0 not.
    int Initialize();
    // Tears the binding down when nothing uses it.
    void Destroy();
    // Count of the held channel list (asked once per binding); 0 or
    // negative on failure, -1 when not ready or without a name.
    int QBGetAvailableChannel(int iNameKind, const char* pszName);
    // The device identification (asked until a text is obtained); empty on
    // failure.
    std::string QBGetDeviceID(int iNameKind, const char* pszName);
    // A channel handle; -1 when not ready or without a name.
    int QBOpenChannel(int iNameKind, const char* pszName, uint32_t dwChannel);

    // For the handles.
    uint32_t AddUse();
    uint32_t DropUse();
    uint32_t UseCount() const;
    int IsEnabled() const;
    QbFunctions Functions() const;
    const QbChannelEntry* Channels() const;
    int ChannelCount() const;
    int DeviceIdResult() const;
    bool IsLoaded() const;

private:
    void TearDown();
    // The entry points, when the binding is ready and a name is given.
    bool ReadyFunctions(const char* pszName, QbFunctions* pFn) const;

    mutable std::recursive_mutex m_lock;
    int m_lChannelCount = -1;
    std::vector<QbChannelEntry> m_channels;
    std::string m_strDeviceId;
    int m_iDeviceIdResult = 0;
    uint32_t m_dwUseCount = 0;
    int m_bEnable = 0;
    UniqueHModule m_hInst;
    int m_hQbApi = -1;
    QbFunctions m_fn;
};

CQbApiBase& GetQbApiBase();

// A use of the process-wide binding; the library stays loaded while any
// handle lives or a hold is taken.
class CQbApi {
public:
    CQbApi();
    virtual ~CQbApi();
    CQbApi(const CQbApi&) = delete;
    CQbApi& operator=(const CQbApi&) = delete;

    int IsReady() const;
    // A lasting use that outlives this handle, for callers that keep the
    // library between their calls; returns the new use count.
    uint32_t Hold();
    uint32_t DropHold();

    // The process-wide channel list: its count; -15 without a name.
    int GetChannels(int iNameKind, const char* pszName);
    std::string GetDeviceId(int iNameKind, const char* pszName);
    int LastDeviceIdResult() const;
    // A channel handle; -1 without a name.
    int OpenChannelByName(int iNameKind, const char* pszName, uint32_t dwChannel);
    int QBCloseChannel(int hChannel);
    int QBGetStatus(int hChannel, void* pReply, int* piSize);

protected:
    CQbApiBase* m_pBase;
    QbFunctions m_fn;
    const QbChannelEntry* m_pChannels = nullptr;
    int m_lChannelCount = -1;
    std::string m_strDeviceId;
};
