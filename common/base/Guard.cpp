#include "common/base/Guard.h"

#include <windows.h>

// GCC offers no __try/__except. A vectored handler sends the faulting
// thread, when it runs inside a guard, to a resume function on its own
// stack, which jumps back to the guard's frame. Only hardware faults are
// taken: C++ exceptions and other software exceptions pass untouched.
// Vectored handlers run before the library's own frame handlers, so a fault
// the library would have handled itself also ends its call.

namespace {

struct GuardFrame {
    void* jmpBuf[5];  // for __builtin_setjmp
    GuardFrame* pPrev;
};

LONG CALLBACK GuardHandler(EXCEPTION_POINTERS* pInfo);

// The handler and the slot of the innermost guard of each thread, for as
// long as this module is loaded: a handler left behind after an unload
// would point into freed code.
class GuardRegistration {
public:
    GuardRegistration() : m_dwTlsIndex(TlsAlloc()) {
        if (m_dwTlsIndex != TLS_OUT_OF_INDEXES) m_pvHandler = AddVectoredExceptionHandler(1, GuardHandler);
    }
    ~GuardRegistration() {
        if (m_pvHandler) RemoveVectoredExceptionHandler(m_pvHandler);
        if (m_dwTlsIndex != TLS_OUT_OF_INDEXES) TlsFree(m_dwTlsIndex);
    }
    GuardRegistration(const GuardRegistration&) = delete;
    GuardRegistration& operator=(const GuardRegistration&) = delete;

    bool Ready() const { return m_pvHandler != nullptr; }
    DWORD TlsIndex() const { return m_dwTlsIndex; }

private:
    DWORD m_dwTlsIndex;
    PVOID m_pvHandler = nullptr;
};

GuardRegistration& Registration() {
    static GuardRegistration registration;
    return registration;
}

GuardFrame* TopFrame() { return static_cast<GuardFrame*>(TlsGetValue(Registration().TlsIndex())); }
void SetTopFrame(GuardFrame* pFrame) { TlsSetValue(Registration().TlsIndex(), pFrame); }

bool IsHardwareFault(DWORD dwCode) {
    switch (dwCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_INVALID_OPERATION:
    case EXCEPTION_FLT_OVERFLOW:
    case EXCEPTION_FLT_UNDERFLOW:
    case EXCEPTION_FLT_STACK_CHECK:
    case EXCEPTION_FLT_INEXACT_RESULT:
    case EXCEPTION_FLT_DENORMAL_OPERAND:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void ResumeAtGuard() {
    __builtin_longjmp(TopFrame()->jmpBuf, 1);
}

LONG CALLBACK GuardHandler(EXCEPTION_POINTERS* pInfo) {
    if (!IsHardwareFault(pInfo->ExceptionRecord->ExceptionCode)) return EXCEPTION_CONTINUE_SEARCH;
    // TlsGetValue clears the last error, which a fault handled elsewhere
    // must keep.
    const DWORD dwLastError = GetLastError();
    const bool bGuarded = TopFrame() != nullptr;
    SetLastError(dwLastError);
    if (!bGuarded) return EXCEPTION_CONTINUE_SEARCH;
    // Resume below the faulting stack pointer, aligned as after a call.
    CONTEXT* pContext = pInfo->ContextRecord;
    constexpr ULONG_PTR kRedZone = 512;
#if defined(_M_X64) || defined(__x86_64__)
    pContext->Rsp = ((pContext->Rsp - kRedZone) & ~static_cast<ULONG_PTR>(15)) - sizeof(void*);
    pContext->Rip = reinterpret_cast<ULONG_PTR>(&ResumeAtGuard);
#else
    pContext->Esp = ((pContext->Esp - kRedZone) & ~static_cast<ULONG_PTR>(15)) - sizeof(void*);
    pContext->Eip = reinterpret_cast<ULONG_PTR>(&ResumeAtGuard);
#endif
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

__attribute__((noinline)) int RunGuarded(int (*pfn)(void*), void* pContext) {
    if (!Registration().Ready()) return pfn(pContext);
    // The bookkeeping must not disturb the last error the callee sees or
    // leaves behind (TlsGetValue clears it).
    DWORD dwLastError = GetLastError();
    GuardFrame frame;
    frame.pPrev = TopFrame();
    if (__builtin_setjmp(frame.jmpBuf)) {
        SetTopFrame(frame.pPrev);
        return kQbFault;
    }
    SetTopFrame(&frame);
    SetLastError(dwLastError);
    const int iResult = pfn(pContext);
    dwLastError = GetLastError();
    SetTopFrame(frame.pPrev);
    SetLastError(dwLastError);
    return iResult;
}
