#include "core/comm/QbStatChannel.h"

#include <process.h>

#include <cerrno>
#include <iterator>
#include <new>

#include "common/trace/Trace.h"

namespace {

constexpr DWORD kFirstPassDelayMs = 500;
constexpr uint16_t kStatusModeBits = kQbModeStatus;
constexpr uint32_t kDefaultStatusChannels[] = {0x00000004, 0x10000005, 0x10010003};

}  // namespace

CQbStatChannel::CQbStatChannel(int iNameKind, const char* pszName) : CQbApiChannel(iNameKind, pszName, 0, 0) {}

CQbStatChannel::~CQbStatChannel() {
    CQbStatChannel::EndStatusThread(1);
    // The channel was opened by this object's worker; nobody else can close it.
    Close();
}

int CQbStatChannel::StartStatusThread(HWND hWnd, PFN_STATUS_CALLBACK pfnCallback, uintptr_t uContext) {
    TraceScope trace("CQbStatChannel::StartStatusThread");
    if (m_bRunning.load()) return 0;
    EndStatusThread(1);  // joins a finished earlier pass
    m_hWnd = hWnd;
    m_pfnCallback = pfnCallback;
    m_uContext = uContext;
    // The flag is up before the worker can look at it.
    m_bRunning.store(1);
    const uintptr_t hThread = _beginthreadex(nullptr, 0, &CQbStatChannel::ThreadEntry, this, 0, nullptr);
    if (!hThread) {
        m_bRunning.store(0);
        trace.Write("_beginthreadex Error : %d\n", errno);
        return 0;
    }
    m_hThread.reset(reinterpret_cast<HANDLE>(hThread));
    return 1;
}

void CQbStatChannel::EndStatusThread(int bWait) {
    TraceScope trace("CQbStatChannel::EndStatusThread");
    trace.Write("Enter CQbStatChannel::EndStatusThread");
    m_bRunning.store(0);
    if (bWait == 1 && m_hThread) {
        WaitForSingleObject(m_hThread.get(), INFINITE);
        m_hThread.reset();
    }
}

unsigned __stdcall CQbStatChannel::ThreadEntry(void* pvThis) {
    static_cast<CQbStatChannel*>(pvThis)->QbStatusThreadMain();
    return 0;
}

uint32_t CQbStatChannel::EnumChannel(int iIndex) {
    if (iIndex < 0 || static_cast<size_t>(iIndex) >= std::size(kDefaultStatusChannels)) return 0;
    return kDefaultStatusChannels[iIndex];
}

int CQbStatChannel::OpenStatusChannel() {
    TraceScope trace("CQbStatChannel::OpenStatusChannel");
    uint32_t dwChannel = 0;
    for (int i = 0;; ++i) {
        const uint32_t dwCandidate = EnumChannel(i);
        if (dwCandidate == 0) break;
        const int iSelected = SelectChannel(dwCandidate, kStatusModeBits);
        if (iSelected == 1) {
            dwChannel = dwCandidate;
            break;
        }
        if (iSelected == -1) break;
    }
    trace.Write("SelChannelNo. = %#x\n", static_cast<unsigned>(dwChannel));
    if (dwChannel == 0) return -1;
    return OpenChannel() > 0 ? 1 : 0;
}

int CQbStatChannel::GetPrinterStatus() {
    TraceScope trace("CQbStatChannel::GetPrinterStatus");
    if (!IsOpen()) return -1;
    int iSize = 0;
    int iResult = QBGetStatus(nullptr, &iSize);
    trace.Write("QBGetStatus(1st) : %d\n", iResult);
    if (iResult == 0 || (iResult < 0 && iResult != kQbNeedBuffer)) return iResult;
    if (iSize <= 0) return -2;  // no buffer can be made for that

    std::vector<uint8_t> reply;
    try {
        reply.assign(static_cast<size_t>(iSize), 0);
    } catch (const std::bad_alloc&) {
        return -2;
    }
    int iReplySize = iSize;
    iResult = QBGetStatus(reply.data(), &iReplySize);
    trace.Write("QBGetStatus(2nd) : %d\n", iResult);
    if (iResult <= 0) return iResult;
    // A size beyond the buffer would send readers past its end.
    if (iReplySize < 0 || iReplySize > iSize) {
        trace.Write("Error : Reply size %d above buffer size %d\n", iReplySize, iSize);
        iReplySize = iSize;
    }
    m_status = std::move(reply);
    m_iStatusSize = iReplySize;
    return 1;
}

void CQbStatChannel::Report(UINT uMsg, int iResult) {
    if (m_hWnd)
        PostMessageA(m_hWnd, uMsg, static_cast<WPARAM>(iResult), 0);
    else if (m_pfnCallback)
        m_pfnCallback(m_uContext, uMsg, static_cast<WPARAM>(iResult), 0);
}

void CQbStatChannel::QbStatusThreadMain() {
    TraceScope trace("CQbStatChannel::QbStatusThreadMain");
    Sleep(kFirstPassDelayMs);
    if (!m_bRunning.load()) return;
    if (!IsOpen()) {
        const int iOpened = OpenStatusChannel();
        if (iOpened <= 0) {
            Report(WM_QB_STATUS_OPEN_FAILED, iOpened);
            return;
        }
    }
    if (!m_bRunning.load()) return;
    const int iResult = GetPrinterStatus();
    if (!m_bRunning.load()) return;
    Report(WM_QB_STATUS_DONE, iResult);
    trace.Write("CQbStatChannel::Status loop end\n");
}

int CQbStatChannel::GetStatusBuffer(const uint8_t** ppBuffer) const {
    if (ppBuffer) *ppBuffer = m_status.empty() ? nullptr : m_status.data();
    return m_iStatusSize;
}

int CQbStatChannel::GetThreadHandle(HANDLE* phThread) const {
    if (phThread) *phThread = m_hThread.get();
    return m_hWnd ? 0 : 1;
}
