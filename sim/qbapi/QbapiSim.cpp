// Stand-in of the printer maker's bidirectional library: serves the printers
// of the scenario file (see SimScenario.h) with the library's calling
// conventions, size queries and result codes, and injects the faults the
// scenario asks for.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "sim/common/SimScenario.h"

// Exported through the .def files only, so a variant can leave one out.
#define SIM_EXPORT extern "C"

namespace {

constexpr int kNeedBuffer = -4;
constexpr int kUnknownPrinter = -2;
constexpr int kBadChannel = -3;
constexpr int kNothingToReceive = -10;
constexpr int kNoStatusYet = -17;

SimCounterBlock* gpCounters = nullptr;

struct OpenChannel {
    std::string strSection;
    uint32_t dwChannel;
};
std::mutex gChannelLock;
std::map<int, OpenChannel> gChannels;
int gNextHandle = 1;

SimCounters& Counters() {
    static SimCounters dummy{};
    return gpCounters && gpCounters->get() ? *gpCounters->get() : dummy;
}

std::string SectionFor(int iNameKind, const char* pszName) {
    return std::string(iNameKind == 0 ? "Port." : "Printer.") + (pszName ? pszName : "");
}

// What the scenario says of one call of a function; Call= narrows a fault
// to the size query (1) or to the call with the buffer (2).
struct CallPlan {
    SimScenario scenario;
    std::optional<int> result;
    std::optional<int> size;
    std::optional<int> count;
};

// piSize: the size variable of a size query; a forced result may still
// come with a size, as a library might answer.
CallPlan PlanCall(SimFunction function, bool bSecondCall, int* piSize = nullptr) {
    InterlockedIncrement(&Counters().lCalls[function]);
    CallPlan plan{SimScenario::Load(SimScenarioPath()), {}, {}, {}};
    const std::string strFault = std::string("Fault.") + SimFunctionName(function);
    const SimSection* pFault = plan.scenario.Section(strFault);
    if (!pFault) return plan;
    auto number = [&](const char* pszKey) -> std::optional<int> {
        const auto it = pFault->find(pszKey);
        if (it == pFault->end()) return std::nullopt;
        return static_cast<int>(strtol(it->second.c_str(), nullptr, 0));
    };
    if (const auto call = number("Call"); call && *call != (bSecondCall ? 2 : 1)) return plan;
    if (const auto delay = number("DelayMs")) Sleep(static_cast<DWORD>(*delay));
    if (number("Raise").value_or(0)) {
        InterlockedIncrement(&Counters().lFaultsRaised);
        SimRaiseAccessViolation();
    }
    plan.result = number("Result");
    plan.size = number("Size");
    plan.count = number("Count");
    if (plan.result && plan.size && piSize) *piSize = *plan.size;
    return plan;
}

// Answers a size query for data of the given bytes: -4 with the size when
// no or too small a buffer is given, else copies and returns iResult.
int AnswerQuery(const CallPlan& plan, const std::string& strData, void* pBuffer, int* piSize, int iResult) {
    if (!piSize) return kNeedBuffer;
    const int cbData = static_cast<int>(strData.size());
    if (!pBuffer || *piSize < cbData) {
        *piSize = plan.size.value_or(cbData);
        return kNeedBuffer;
    }
    memcpy(pBuffer, strData.data(), strData.size());
    *piSize = cbData;
    return plan.count.value_or(iResult);
}

std::string ChannelBytes(const std::string& strList) {
    std::string bytes;
    size_t pos = 0;
    while (pos < strList.size()) {
        char* pEnd = nullptr;
        const unsigned long dwChannel = strtoul(strList.c_str() + pos, &pEnd, 0);
        if (pEnd == strList.c_str() + pos) {
            ++pos;
            continue;
        }
        unsigned long dwMode = 0;
        pos = static_cast<size_t>(pEnd - strList.c_str());
        if (pos < strList.size() && strList[pos] == ':') {
            dwMode = strtoul(strList.c_str() + pos + 1, &pEnd, 0);
            pos = static_cast<size_t>(pEnd - strList.c_str());
        }
        const uint32_t channel = static_cast<uint32_t>(dwChannel);
        const uint16_t mode = static_cast<uint16_t>(dwMode);
        const uint16_t filler = 0;
        bytes.append(reinterpret_cast<const char*>(&channel), sizeof(channel));
        bytes.append(reinterpret_cast<const char*>(&mode), sizeof(mode));
        bytes.append(reinterpret_cast<const char*>(&filler), sizeof(filler));
    }
    return bytes;
}

bool LookupChannel(int hChannel, OpenChannel* pChannel) {
    std::lock_guard<std::mutex> lock(gChannelLock);
    const auto it = gChannels.find(hChannel);
    if (it == gChannels.end()) return false;
    *pChannel = it->second;
    return true;
}

std::string StatusReply(const SimScenario& scenario, const OpenChannel& channel) {
    const SimSection* pSection = scenario.Section(channel.strSection);
    if (!pSection) return {};
    char szChannelKey[32];
    snprintf(szChannelKey, sizeof(szChannelKey), "Status@0x%08X", static_cast<unsigned>(channel.dwChannel));
    if (const auto it = pSection->find(szChannelKey); it != pSection->end()) return SimUnescape(it->second);
    std::vector<std::string> sequence;
    for (int i = 0;; ++i) {
        const auto it = pSection->find("Status." + std::to_string(i));
        if (it == pSection->end()) break;
        sequence.push_back(it->second);
    }
    if (sequence.empty()) {
        const auto it = pSection->find("Status");
        return it == pSection->end() ? std::string() : SimUnescape(it->second);
    }
    const size_t index = std::min(static_cast<size_t>(Counters().lStatusReads), sequence.size() - 1);
    return SimUnescape(sequence[index]);
}

}  // namespace

SIM_EXPORT int __cdecl QBInitialize(void) {
    const CallPlan plan = PlanCall(kSimQBInitialize, false);
    return plan.result.value_or(0);
}

SIM_EXPORT int __cdecl QBRelease(void) {
    const CallPlan plan = PlanCall(kSimQBRelease, false);
    return plan.result.value_or(0);
}

SIM_EXPORT int __cdecl QBGetAvailableChannel(int iNameKind, const char* pszName, void* pEntries, int* piSize) {
    const CallPlan plan = PlanCall(kSimQBGetAvailableChannel, pEntries != nullptr, piSize);
    if (plan.result) return *plan.result;
    const auto channels = plan.scenario.Value(SectionFor(iNameKind, pszName), "Channels");
    if (!plan.scenario.Section(SectionFor(iNameKind, pszName))) return kUnknownPrinter;
    const std::string bytes = ChannelBytes(channels.value_or(""));
    return AnswerQuery(plan, bytes, pEntries, piSize, static_cast<int>(bytes.size() / 8));
}

SIM_EXPORT int __cdecl QBOpenChannel(int iNameKind, const char* pszName, uint32_t dwChannel) {
    const CallPlan plan = PlanCall(kSimQBOpenChannel, false);
    if (plan.result) return *plan.result;
    const std::string strSection = SectionFor(iNameKind, pszName);
    const std::string bytes = ChannelBytes(plan.scenario.Value(strSection, "Channels").value_or(""));
    for (size_t i = 0; i + 8 <= bytes.size(); i += 8) {
        uint32_t dwOffered = 0;
        memcpy(&dwOffered, bytes.data() + i, sizeof(dwOffered));
        if (dwOffered != dwChannel) continue;
        std::lock_guard<std::mutex> lock(gChannelLock);
        const int hChannel = gNextHandle++;
        gChannels[hChannel] = {strSection, dwChannel};
        InterlockedIncrement(&Counters().lOpenChannels);
        return hChannel;
    }
    return kBadChannel;
}

SIM_EXPORT int __cdecl QBCloseChannel(int hChannel) {
    const CallPlan plan = PlanCall(kSimQBCloseChannel, false);
    std::lock_guard<std::mutex> lock(gChannelLock);
    if (gChannels.erase(hChannel) == 0) return kBadChannel;
    InterlockedDecrement(&Counters().lOpenChannels);
    return plan.result.value_or(0);
}

SIM_EXPORT int __cdecl QBGetStatus(int hChannel, void* pReply, int* piSize) {
    const CallPlan plan = PlanCall(kSimQBGetStatus, pReply != nullptr, piSize);
    if (plan.result) return *plan.result;
    OpenChannel channel;
    if (!LookupChannel(hChannel, &channel)) return kBadChannel;
    const std::string strReply = StatusReply(plan.scenario, channel);
    if (strReply.empty()) return kNoStatusYet;
    const int iResult = AnswerQuery(plan, strReply, pReply, piSize, static_cast<int>(strReply.size()));
    if (pReply && iResult > 0) InterlockedIncrement(&Counters().lStatusReads);
    return iResult;
}

SIM_EXPORT int __cdecl QBGetDeviceID(int iNameKind, const char* pszName, char* pszText, int* piSize) {
    const CallPlan plan = PlanCall(kSimQBGetDeviceID, pszText != nullptr, piSize);
    if (plan.result) return *plan.result;
    const auto deviceId = plan.scenario.Value(SectionFor(iNameKind, pszName), "DeviceID");
    if (!plan.scenario.Section(SectionFor(iNameKind, pszName))) return kUnknownPrinter;
    const std::string strText = SimUnescape(deviceId.value_or(""));
    return AnswerQuery(plan, strText, pszText, piSize, static_cast<int>(strText.size()));
}

SIM_EXPORT int __cdecl QBSend(int hChannel, const void* pData, int cbData) {
    const CallPlan plan = PlanCall(kSimQBSend, false);
    if (plan.result) return *plan.result;
    OpenChannel channel;
    if (!LookupChannel(hChannel, &channel) || (!pData && cbData > 0)) return kBadChannel;
    return cbData;
}

SIM_EXPORT int __cdecl QBReceive(int hChannel, void* pBuffer, int* /*piSize*/, int /*iTimeoutMs*/) {
    const CallPlan plan = PlanCall(kSimQBReceive, pBuffer != nullptr);
    if (plan.result) return *plan.result;
    OpenChannel channel;
    if (!LookupChannel(hChannel, &channel)) return kBadChannel;
    return kNothingToReceive;
}

SIM_EXPORT int __cdecl QBReceiveCancel(int /*hChannel*/) {
    return PlanCall(kSimQBReceiveCancel, false).result.value_or(0);
}

SIM_EXPORT int __cdecl QBSetOption(int, void*, int) { return PlanCall(kSimQBSetOption, false).result.value_or(0); }
SIM_EXPORT int __cdecl QBGetOption(int, void*, int*) { return PlanCall(kSimQBGetOption, false).result.value_or(0); }
SIM_EXPORT int __cdecl QBGetEnvInfo(void*, int*) { return PlanCall(kSimQBGetEnvInfo, false).result.value_or(0); }

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        gpCounters = new SimCounterBlock();
        InterlockedIncrement(&Counters().lLoads);
    } else if (dwReason == DLL_PROCESS_DETACH) {
        InterlockedIncrement(&Counters().lUnloads);
        delete gpCounters;
        gpCounters = nullptr;
    }
    return TRUE;
}
