// Fetches one status reply on a worker thread and reports the outcome to a
// window (or a callback), so the window thread never waits on the printer.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "common/base/UniqueHandle.h"
#include "core/comm/QbApiChannel.h"

// Result messages of a status pass.
constexpr UINT WM_QB_STATUS_OPEN_FAILED = WM_USER + 41;  // wParam: OpenStatusChannel's result
constexpr UINT WM_QB_STATUS_DONE = WM_USER + 42;         // wParam: GetPrinterStatus's result

typedef void(__cdecl* PFN_STATUS_CALLBACK)(uintptr_t uContext, UINT uMsg, WPARAM wParam, LPARAM lParam);

class CQbStatChannel : public CQbApiChannel {
public:
    CQbStatChannel(int iNameKind, const char* pszName);
    // Classes that override the worker's steps stop the worker in their own
    // destructor: by the time this one runs, their part is gone.
    ~CQbStatChannel() override;

    // 1 when a pass was started; 0 while the running flag is up (from a
    // start until EndStatusThread) or when no thread can be made. Results go
    // to hWnd, or to pfnCallback without a window.
    virtual int StartStatusThread(HWND hWnd, PFN_STATUS_CALLBACK pfnCallback, uintptr_t uContext);
    // Stops the pass; with bWait, returns once the worker has ended.
    virtual void EndStatusThread(int bWait);
    // 1 new reply kept; 0 no reply; -1 channel not open; -2 out of memory;
    // -17 no status yet; other negative values from the library.
    virtual int GetPrinterStatus();
    virtual uint32_t EnumChannel(int iIndex);
    virtual void QbStatusThreadMain();

    // 1 opened, 0 open failed, -1 no channel selectable.
    int OpenStatusChannel();
    // The last reply, owned by this object; returns its size.
    int GetStatusBuffer(const uint8_t** ppBuffer) const;
    // The worker's handle; 1 when results go to the callback, else 0.
    int GetThreadHandle(HANDLE* phThread) const;
    bool IsRunning() const { return m_bRunning.load() != 0; }

private:
    static unsigned __stdcall ThreadEntry(void* pvThis);
    void Report(UINT uMsg, int iResult);

    std::vector<uint8_t> m_status;
    int m_iStatusSize = 0;
    PFN_STATUS_CALLBACK m_pfnCallback = nullptr;
    uintptr_t m_uContext = 0;
    HWND m_hWnd = nullptr;
    UniqueHandle m_hThread;
    std::atomic<int> m_bRunning{0};
};
