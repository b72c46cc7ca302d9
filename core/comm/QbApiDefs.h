// Calls, records and result codes of the outside bidirectional library.
#pragma once

#include <cstdint>

// Name kinds of the calls that take a printer.
constexpr int kQbNamePort = 0;
constexpr int kQbNamePrinter = 1;

// Result codes of the library that callers test, and the ones we add.
constexpr int kQbNeedBuffer = -4;
constexpr int kQbNothingToReceive = -10;
constexpr int kQbNoBinding = -15;
constexpr int kQbNoStatusYet = -17;
constexpr int kQbNotReady = -1;

// Channel capability bits.
constexpr uint16_t kQbModeRead = 0x0001;
constexpr uint16_t kQbModeWrite = 0x0002;
constexpr uint16_t kQbModeStatus = 0x0004;
constexpr uint16_t kQbModeRemote = 0x8000;

// Status channels, in the order they are tried.
constexpr uint32_t kQbStatusChannels[] = {0x00000004, 0x10000005, 0x10010003, 0x10000003, 0x02000001};
constexpr uint32_t kQbCommandChannel = 0x10000005;
constexpr uint32_t kQbHbmChannel = 0x02000001;

#pragma pack(push, 1)
struct QbChannelEntry {
    uint32_t Channel;
    uint16_t Mode;
    uint16_t Filler;
};
#pragma pack(pop)
static_assert(sizeof(QbChannelEntry) == 8, "channel entries are 8 bytes on every target");

extern "C" {
typedef int(__cdecl* PFN_QBInitialize)(void);
typedef int(__cdecl* PFN_QBRelease)(void);
typedef int(__cdecl* PFN_QBGetAvailableChannel)(int iNameKind, const char* pszName, void* pEntries, int* piSize);
typedef int(__cdecl* PFN_QBOpenChannel)(int iNameKind, const char* pszName, uint32_t dwChannel);
typedef int(__cdecl* PFN_QBCloseChannel)(int hChannel);
typedef int(__cdecl* PFN_QBGetStatus)(int hChannel, void* pReply, int* piSize);
typedef int(__cdecl* PFN_QBGetDeviceID)(int iNameKind, const char* pszName, char* pszText, int* piSize);
typedef int(__cdecl* PFN_QBSend)(int hChannel, const void* pData, int cbData);
typedef int(__cdecl* PFN_QBReceive)(int hChannel, void* pBuffer, int* piSize, int iTimeoutMs);
typedef int(__cdecl* PFN_QBReceiveCancel)(int hChannel);
typedef int(__cdecl* PFN_QBSetOption)(int iOption, void* pValue, int cbValue);
typedef int(__cdecl* PFN_QBGetOption)(int iOption, void* pValue, int* pcbValue);
}

// Library files, compared without regard to case.
constexpr char kQbapiDefaultFile[] = "QBAPI.DLL";
constexpr char kQbapi4File[] = "QBAPI4.DLL";
