#include "core/comm/QbApiChannel.h"

#include <cstring>
#include <iterator>

#include "common/base/Guard.h"
#include "common/trace/Trace.h"

namespace {

// Longest printer or port name the channel keeps.
constexpr size_t kMaxNameLength = 259;

// A call that needs the open channel's handle: refused while not open
// instead of handing the library a handle of -1.
template <typename Fn>
int CallOpenChannel(const char* pszName, int hChannel, bool bBound, Fn&& fn) {
    TraceScope trace("CQbApiChannel::CallOpenChannel");
    if (!bBound) return kQbNoBinding;
    if (hChannel < 0) return kQbNotReady;
    return GuardedCall(trace, pszName, fn);
}

}  // namespace

CQbApiChannel::CQbApiChannel(int iNameKind, const char* pszName, uint32_t dwChannel, uint16_t wModeBits)
    : m_iNameKind(iNameKind) {
    if (!IsReady() || (iNameKind != kQbNamePort && iNameKind != kQbNamePrinter)) return;
    if (pszName && strnlen(pszName, kMaxNameLength + 1) <= kMaxNameLength) m_strName = pszName;
    if (dwChannel != 0) SelectChannel(dwChannel, wModeBits);
}

CQbApiChannel::~CQbApiChannel() = default;

int CQbApiChannel::QBGetAvailableChannel() {
    TraceScope trace("CQbApiChannel::QBGetAvailableChannel");
    if (m_strName.empty()) return 0;
    const int iCount = GetChannels(m_iNameKind, m_strName.c_str());
    if (iCount < 1 || !m_pChannels) {
        m_pChannels = nullptr;
        m_lChannelCount = -1;
        return 0;
    }
    if (TraceIsEnabled()) {
        trace.Write("result QBGetAvailableChannel\n");
        for (int i = 0; i < m_lChannelCount; ++i)
            trace.Write("Channel = %#x, Mode = %#x\n", static_cast<unsigned>(m_pChannels[i].Channel),
                        static_cast<unsigned>(m_pChannels[i].Mode));
    }
    return 1;
}

int CQbApiChannel::SelectChannel(uint32_t dwChannel, uint16_t wModeBits) {
    TraceScope trace("CQbApiChannel::SelectChannel");
    trace.Write("SelChannel = %#x, SelMode = %#x\n", static_cast<unsigned>(dwChannel),
                static_cast<unsigned>(wModeBits));
    if (IsOpen()) return -1;
    if (m_lChannelCount < 1 && !QBGetAvailableChannel()) {
        trace.Write("failed QBGetAvailableChannel()\n");
        m_bSelected = 0;
        return -1;
    }
    m_dwSelChannel = 0;
    m_dwSelMode = 0;
    // Only the first entry of a channel counts, whatever the later ones offer.
    for (int i = 0; i < m_lChannelCount; ++i) {
        if (m_pChannels[i].Channel != dwChannel) continue;
        if ((m_pChannels[i].Mode & wModeBits) == wModeBits) {
            m_dwSelChannel = m_pChannels[i].Channel;
            m_dwSelMode = m_pChannels[i].Mode;
        }
        break;
    }
    trace.Write("result get channel: Channel = %#x, Mode = %#x\n", static_cast<unsigned>(m_dwSelChannel),
                static_cast<unsigned>(m_dwSelMode));
    m_bSelected = m_dwSelChannel == dwChannel ? 1 : 0;
    return m_bSelected;
}

int CQbApiChannel::OpenChannel() {
    TraceScope trace("CQbApiChannel::OpenChannel");
    if (!m_bSelected) return 0;
    m_hChannel = OpenChannelByName(m_iNameKind, m_strName.c_str(), m_dwSelChannel);
    trace.Write("m_hChannel : %d\n", m_hChannel);
    return m_hChannel;
}

void CQbApiChannel::Close() {
    if (m_hChannel < 0) return;
    QBCloseChannel(m_hChannel);
    m_hChannel = -1;
}

int CQbApiChannel::QBGetStatus(void* pReply, int* piSize) { return CQbApi::QBGetStatus(m_hChannel, pReply, piSize); }

int CQbApiChannel::QBSend(const void* pData, int cbData) {
    return CallOpenChannel("QBSend", m_hChannel, m_fn.pfnSend != nullptr,
                           [&] { return m_fn.pfnSend(m_hChannel, pData, cbData); });
}

int CQbApiChannel::QBReceive(void* pBuffer, int* piSize, int iTimeoutMs) {
    return CallOpenChannel("QBReceive", m_hChannel, m_fn.pfnReceive != nullptr,
                           [&] { return m_fn.pfnReceive(m_hChannel, pBuffer, piSize, iTimeoutMs); });
}

int CQbApiChannel::QBReceiveCancel() {
    return CallOpenChannel("QBReceiveCancel", m_hChannel, m_fn.pfnReceiveCancel != nullptr,
                           [&] { return m_fn.pfnReceiveCancel(m_hChannel); });
}

uint32_t CQbApiChannel::EnumStatusChannel(int iIndex) {
    if (iIndex < 0 || static_cast<size_t>(iIndex) >= std::size(kQbStatusChannels)) return 0;
    return kQbStatusChannels[iIndex];
}
