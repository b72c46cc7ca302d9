#include "common/base/Guard.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/CoreLibrary.h"

namespace {

// A real access violation: the address comes through a volatile so the
// compiler cannot turn it into a trap instruction.
int WriteToLowAddress(void*) {
    volatile uintptr_t uAddress = 16;
    *reinterpret_cast<volatile int*>(uAddress) = 1;
    return 0;
}

int DivideByZero(void* pContext) {
    volatile int iZero = *static_cast<int*>(pContext);
    return 10 / iZero;
}

int ReturnSeven(void*) { return 7; }

}  // namespace

TEST(Guard, PassesResultOfCleanCall) { EXPECT_EQ(RunGuarded(ReturnSeven, nullptr), 7); }

TEST(Guard, TurnsHardwareFaultsIntoResult) {
    int iZero = 0;
    EXPECT_EQ(RunGuarded(WriteToLowAddress, nullptr), kQbFault);
    EXPECT_EQ(RunGuarded(DivideByZero, &iZero), kQbFault);
}

TEST(Guard, SurvivesManyFaultsInARow) {
    for (int i = 0; i < 200; ++i) ASSERT_EQ(RunGuarded(WriteToLowAddress, nullptr), kQbFault) << "fault " << i;
    EXPECT_EQ(RunGuarded(ReturnSeven, nullptr), 7);
}

TEST(Guard, FaultsOnSeveralThreadsAtOnce) {
    constexpr int kThreads = 6;
    constexpr int kRounds = 100;
    std::atomic<int> faults{0}, cleans{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                if (RunGuarded(WriteToLowAddress, nullptr) == kQbFault) ++faults;
                if (RunGuarded(ReturnSeven, nullptr) == 7) ++cleans;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(faults, kThreads * kRounds);
    EXPECT_EQ(cleans, kThreads * kRounds);
}

TEST(Guard, InnerFaultReturnsToInnerGuard) {
    struct Nested {
        int iInner = 0;
    } nested;
    const int iOuter = RunGuarded(
        [](void* p) {
            static_cast<Nested*>(p)->iInner = RunGuarded(WriteToLowAddress, nullptr);
            return 3;
        },
        &nested);
    EXPECT_EQ(nested.iInner, kQbFault);
    EXPECT_EQ(iOuter, 3);
}

TEST(Guard, LeavesCppExceptionsAlone) {
    EXPECT_THROW(RunGuarded(
                     [](void*) -> int {
                         throw std::runtime_error("passes through");
                     },
                     nullptr),
                 std::runtime_error);
    EXPECT_EQ(RunGuarded(WriteToLowAddress, nullptr), kQbFault);
}

TEST(Guard, LastErrorPassesThrough) {
    SetLastError(1234);
    EXPECT_EQ(RunGuarded(ReturnSeven, nullptr), 7);
    EXPECT_EQ(GetLastError(), 1234u);
    EXPECT_EQ(RunGuarded(
                  [](void*) {
                      const DWORD dwSeen = GetLastError();
                      SetLastError(42);
                      return static_cast<int>(dwSeen);
                  },
                  nullptr),
              1234);
    EXPECT_EQ(GetLastError(), 42u);
}

TEST(GuardedCall, TracesFaultWithName) {
    EnableCoreTrace();
    TraceSetEnabled(true);
    const size_t cbStart = TraceLogSize();
    {
        TraceScope trace("GuardedCall test");
        EXPECT_EQ(GuardedCall(trace, "QBGetStatus(2nd)", [] { return WriteToLowAddress(nullptr); }), kQbFault);
        EXPECT_EQ(GuardedCall(trace, "QBOpenChannel", [] { return 5; }), 5);
    }
    TraceSetEnabled(false);
    const std::string strTrace = OwnTraceSince(cbStart);
    EXPECT_NE(strTrace.find("Exception Error : QBGetStatus(2nd)\n"), std::string::npos) << strTrace;
    EXPECT_EQ(strTrace.find("QBOpenChannel"), std::string::npos) << strTrace;
}
