// One self-contained status request: load the bidirectional library for the
// printer's driver, check the model, open a status channel, read one reply
// into global memory that the caller frees, and unload the library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/trace/Trace.h"
#include "core/comm/QbApiDefs.h"

// Result codes of a request, besides the reply length and the library's own.
constexpr int kGpsNoPrinterName = -50;
constexpr int kGpsNoBufferPointer = -51;
constexpr int kGpsNoDriver = -52;
constexpr int kGpsLibraryNotLoaded = -53;
constexpr int kGpsFunctionMissing = -54;
constexpr int kGpsNoStatusChannel = -55;
constexpr int kGpsOutOfMemory = -56;
constexpr int kGpsModelMismatch = -57;

class CGetPrinterStatus {
public:
    // Reply length above 0, or a failure code; *ppStatus may hold a buffer
    // even on failure, and the caller frees it.
    int ProcMain(const char* pszPrinter, BYTE** ppStatus);

    int StartProc(const char* pszPrinter, HMODULE* phModule);
    int CheckModelID(const char* pszPrinter);
    int SelectChannel(const char* pszPrinter);
    int GetPrnStatus(int hChannel, BYTE** ppStatus);
    void EndProc(HMODULE hModule, int hChannel);

    // Null with kGpsNoDriver or kGpsLibraryNotLoaded in *piError.
    HMODULE LoadQbapi(const char* pszPrinter, int* piError);
    bool SetQbapiFunc(HMODULE hModule);
    static int GetPlxDrvRegData(const char* pszPrinter, const char* pszValueName, std::string* pstrValue);
    static int CheckOSVersion();

    uint32_t SelectedChannel() const { return m_dwSelectedChannel; }

private:
    PFN_QBInitialize m_pfnInitialize = nullptr;
    PFN_QBRelease m_pfnRelease = nullptr;
    PFN_QBGetAvailableChannel m_pfnGetAvailableChannel = nullptr;
    PFN_QBOpenChannel m_pfnOpenChannel = nullptr;
    PFN_QBCloseChannel m_pfnCloseChannel = nullptr;
    PFN_QBGetStatus m_pfnGetStatus = nullptr;
    PFN_QBGetDeviceID m_pfnGetDeviceID = nullptr;
    uint32_t m_dwSelectedChannel = 0;
};

// Path of the library file by the driver's values and the OS generation:
// empty when the install folder is needed but unknown.
std::string QbapiPathFor(const std::string& strFile, int32_t iVersion, int iOsGeneration,
                         const std::string& strInstallPath);
// Model part of a device identification: after the first "MDL:" up to ";".
std::string ModelFromDeviceId(const char* pszDeviceId);
