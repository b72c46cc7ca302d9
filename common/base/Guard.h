// Fault guard around calls into outside modules (the bidirectional library,
// the driver's modules): a hardware fault raised inside the call becomes the
// result kQbFault and is traced, and the calling thread carries on.
#pragma once

#include <utility>

#include "common/trace/Trace.h"

constexpr int kQbFault = -99;

// Runs pfn(pContext) and returns its result; kQbFault when it faulted.
// Guards nest and work on any number of threads at once.
int RunGuarded(int (*pfn)(void*), void* pContext);

// Guarded call of any callable returning int; a fault is traced as
// "Exception Error : <name>\n" through the given scope.
template <typename Fn>
int GuardedCall(TraceScope& trace, const char* pszName, Fn&& fn) {
    bool bFaulted = true;
    auto thunk = [&]() {
        const int iResult = fn();
        bFaulted = false;
        return iResult;
    };
    const int iResult = RunGuarded(
        [](void* p) { return (*static_cast<decltype(thunk)*>(p))(); }, &thunk);
    if (bFaulted) {
        trace.Write("Exception Error : %s\n", pszName);
        return kQbFault;
    }
    return iResult;
}
