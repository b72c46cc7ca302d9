#include "core/comm/GetPrinterStatus.h"

#include <climits>
#include <cstring>
#include <vector>

#include "common/base/WinVersion.h"
#include "common/datafile/DriverValues.h"
#include "common/datafile/SetupDataFile.h"
#include "common/base/Guard.h"
#include "core/comm/QbQuery_private.h"

std::string QbapiPathFor(const std::string& strFile, int32_t iVersion, int iOsGeneration,
                         const std::string& strInstallPath) {
    constexpr int kGenerationWin2000 = 6;
    constexpr int32_t kFirstInstalledVersion = 4;
    const bool bFromInstallFolder =
        iVersion != 0 ? (iOsGeneration == kGenerationWin2000 && iVersion >= kFirstInstalledVersion)
                      : (iOsGeneration == kGenerationWin2000 && lstrcmpiA(strFile.c_str(), kQbapi4File) == 0);
    if (!bFromInstallFolder) return strFile;
    std::string strFolder = strInstallPath;
    if (!strFolder.empty() && strFolder.back() == '\\') strFolder.pop_back();
    if (strFolder.empty()) return {};
    return strFolder + "\\" + strFile;
}

std::string ModelFromDeviceId(const char* pszDeviceId) {
    if (!pszDeviceId) return {};
    const char* pszModel = strstr(pszDeviceId, "MDL:");
    if (!pszModel) return {};
    pszModel += 4;
    const char* pszEnd = strchr(pszModel, ';');
    if (!pszEnd) return {};
    return std::string(pszModel, pszEnd);
}

int CGetPrinterStatus::CheckOSVersion() {
    TraceScope trace("CGetPrinterStatus::CheckOSVersion");
    const WinVersion version = GetWinVersion();
    struct Generation {
        int iValue;
        const char* pszTrace;
    };
    Generation generation{0, "OS : Other\n"};
    if (version.bKnown && !version.bNtFamily) {
        if (version.dwMinor == 0)
            generation = (version.dwBuild & 0xFFFF) <= 1000 ? Generation{1, "OS : Win95\n"}
                                                             : Generation{2, "OS : Win95 OSR2\n"};
        else
            generation = {3, "OS : Win98\n"};
    } else if (version.bKnown) {
        if (version.dwMajor == 3 && version.dwMinor >= 51)
            generation = {4, "OS : WinNT3.51\n"};
        else if (version.dwMajor == 4)
            generation = {5, "OS : WinNT4.0\n"};
        else if (version.dwMajor >= 5)
            generation = {6, "OS : Win2000/XP\n"};
    }
    trace.Write("%s", generation.pszTrace);
    return generation.iValue;
}

int CGetPrinterStatus::GetPlxDrvRegData(const char* pszPrinter, const char* pszValueName, std::string* pstrValue) {
    TraceScope trace("CGetPrinterStatus::GetPlxDrvRegData");
    pstrValue->clear();
    const std::string strDriver = DriverNameOfPrinter(pszPrinter);
    if (strDriver.empty()) {
        trace.Write("Error : Get Driver Name\n");
        return kGpsNoDriver;
    }
    *pstrValue = GetPrivateRegString(pszPrinter, DriverKeyPath(strDriver.c_str()).c_str(), pszValueName);
    trace.Write("cDatReader.GetPrivateRegString : strValue : %s\n", pstrValue->c_str());
    return 1;
}

HMODULE CGetPrinterStatus::LoadQbapi(const char* pszPrinter, int* piError) {
    TraceScope trace("CGetPrinterStatus::LoadQbapi");
    *piError = kGpsLibraryNotLoaded;
    std::string strFile;
    // A printer whose driver cannot be found is reported as such, not as a
    // library that failed to load.
    if (GetPlxDrvRegData(pszPrinter, "QBAPI32", &strFile) < 0) {
        *piError = kGpsNoDriver;
        return nullptr;
    }
    if (strFile.empty()) strFile = kQbapiDefaultFile;
    const int iGeneration = CheckOSVersion();
    int32_t iVersion = GetQbapiVersion(nullptr, pszPrinter);
    if (iVersion < 0) iVersion = 0;

    std::string strInstallPath;
    GetPlxDrvRegData(pszPrinter, "InstallPath", &strInstallPath);
    const std::string strPath = QbapiPathFor(strFile, iVersion, iGeneration, strInstallPath);
    if (strPath.empty()) {
        trace.Write("Error : Get Driver Directory\n");
        return nullptr;
    }
    trace.Write("QBAPI full path : %s\n", strPath.c_str());
    return LoadLibraryA(strPath.c_str());
}

bool CGetPrinterStatus::SetQbapiFunc(HMODULE hModule) {
    return BindFunction(hModule, "QBInitialize", &m_pfnInitialize) &&
           BindFunction(hModule, "QBRelease", &m_pfnRelease) &&
           BindFunction(hModule, "QBGetAvailableChannel", &m_pfnGetAvailableChannel) &&
           BindFunction(hModule, "QBOpenChannel", &m_pfnOpenChannel) &&
           BindFunction(hModule, "QBCloseChannel", &m_pfnCloseChannel) &&
           BindFunction(hModule, "QBGetStatus", &m_pfnGetStatus) &&
           BindFunction(hModule, "QBGetDeviceID", &m_pfnGetDeviceID);
}

int CGetPrinterStatus::StartProc(const char* pszPrinter, HMODULE* phModule) {
    TraceScope trace("CGetPrinterStatus::StartProc");
    int iLoadError = 0;
    *phModule = LoadQbapi(pszPrinter, &iLoadError);
    trace.Write("QBAPI.DLL Instance Handle : 0x%08X\n",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(*phModule)));
    if (!*phModule) return iLoadError;
    if (!SetQbapiFunc(*phModule)) return kGpsFunctionMissing;
    return GuardedCall(trace, "QBInitialize", [&] { return m_pfnInitialize(); });
}

int CGetPrinterStatus::CheckModelID(const char* pszPrinter) {
    TraceScope trace("CGetPrinterStatus::CheckModelID");
    std::string strModelId;
    const int iRet = GetPlxDrvRegData(pszPrinter, "ModelID", &strModelId);
    if (iRet < 0) return iRet;
    trace.Write("Target ModelID : %s\n", strModelId.c_str());

    QbQuery deviceId = RunQbSizeQuery(trace, "QBGetDeviceID", true, [&](void* pText, int* piSize) {
        return m_pfnGetDeviceID(kQbNamePrinter, pszPrinter, static_cast<char*>(pText), piSize);
    });
    if (deviceId.bOutOfMemory) return kGpsOutOfMemory;
    if (!deviceId.Filled() || deviceId.iResult < 0) return deviceId.iResult;
    const std::string strDeviceId = deviceId.Text();
    const char* pszDeviceId = strDeviceId.c_str();
    trace.Write("DeviceID : %s\n", pszDeviceId);
    return ModelFromDeviceId(pszDeviceId) == strModelId ? 1 : kGpsModelMismatch;
}

int CGetPrinterStatus::SelectChannel(const char* pszPrinter) {
    TraceScope trace("CGetPrinterStatus::SelectChannel");
    const QbQuery list = RunQbSizeQuery(trace, "QBGetAvailableChannel", false, [&](void* pEntries, int* piSize) {
        return m_pfnGetAvailableChannel(kQbNamePrinter, pszPrinter, pEntries, piSize);
    });
    if (list.bOutOfMemory) return kGpsOutOfMemory;
    if (!list.Filled() || list.iResult <= 0) return list.iResult;
    const std::vector<QbChannelEntry> entries = list.Entries();

    for (uint32_t dwTarget : kQbStatusChannels) {
        trace.Write("Target Channel : 0x%08x\n", static_cast<unsigned>(dwTarget));
        for (const QbChannelEntry& entry : entries) {
            trace.Write("ChanBuff.Channel : 0x%08x, ChanBuff.Mode : 0x%04x\n", static_cast<unsigned>(entry.Channel),
                        static_cast<unsigned>(entry.Mode));
            if (entry.Channel != dwTarget || !(entry.Mode & kQbModeStatus)) continue;
            trace.Write("Open Channel : 0x%08x\n", static_cast<unsigned>(dwTarget));
            m_dwSelectedChannel = dwTarget;
            return GuardedCall(trace, "QBOpenChannel",
                               [&] { return m_pfnOpenChannel(kQbNamePrinter, pszPrinter, dwTarget); });
        }
    }
    return kGpsNoStatusChannel;
}

int CGetPrinterStatus::GetPrnStatus(int hChannel, BYTE** ppStatus) {
    TraceScope trace("CGetPrinterStatus::GetPrnStatus");
    int iSize = 0;
    int iResult = GuardedCall(trace, "QBGetStatus(1st)", [&] { return m_pfnGetStatus(hChannel, nullptr, &iSize); });
    trace.Write("hChannel = %#x, iRet = %d\n", static_cast<unsigned>(hChannel), iResult);
    if (iResult != kQbNeedBuffer) return iResult;
    if (iSize < 0 || iSize == INT_MAX) return kGpsOutOfMemory;

    const int cbBuffer = iSize + 1;
    auto* pStatus = static_cast<BYTE*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(cbBuffer)));
    if (!pStatus) return kGpsOutOfMemory;
    *ppStatus = pStatus;
    int iQuerySize = iSize;
    iResult = GuardedCall(trace, "QBGetStatus(2nd)", [&] { return m_pfnGetStatus(hChannel, pStatus, &iQuerySize); });
    trace.Write("iSize = %d\n", iQuerySize);
    // A length beyond the buffer would send the caller past its end.
    if (iResult > iSize) {
        trace.Write("Error : Reply length %d above buffer size %d\n", iResult, iSize);
        iResult = iSize;
    }
    pStatus[iSize] = 0;
    return iResult;
}

void CGetPrinterStatus::EndProc(HMODULE hModule, int hChannel) {
    TraceScope trace("CGetPrinterStatus::EndProc");
    if (hChannel != 0 && m_pfnCloseChannel)
        GuardedCall(trace, "QBCloseChannel;", [&] { return m_pfnCloseChannel(hChannel); });
    if (m_pfnRelease) GuardedCall(trace, "QBRelease", [&] { return m_pfnRelease(); });
    if (hModule) FreeLibrary(hModule);
}

int CGetPrinterStatus::ProcMain(const char* pszPrinter, BYTE** ppStatus) {
    TraceScope trace("CGetPrinterStatus::ProcMain");
    trace.Write("PrinterName = %s\n", pszPrinter ? pszPrinter : "");
    if (!pszPrinter || !*pszPrinter) return kGpsNoPrinterName;
    if (!ppStatus) return kGpsNoBufferPointer;

    HMODULE hModule = nullptr;
    int iResult = StartProc(pszPrinter, &hModule);
    if (iResult < 0) {
        trace.Write("Error : StartProc() : %d\n", iResult);
        if (hModule) FreeLibrary(hModule);
        return iResult;
    }
    iResult = CheckModelID(pszPrinter);
    if (iResult < 0) {
        trace.Write("Error : CheckModelID() : %d\n", iResult);
        EndProc(hModule, 0);
        return iResult;
    }
    const int hChannel = SelectChannel(pszPrinter);
    if (hChannel <= 0) {
        trace.Write("Error : SelectChannel() : %d\n", hChannel);
        EndProc(hModule, 0);
        return hChannel;
    }
    iResult = GetPrnStatus(hChannel, ppStatus);
    if (iResult <= 0) {
        trace.Write("Error : GetPrnStatus() : %d\n", iResult);
        EndProc(hModule, hChannel);
        return iResult;
    }
    EndProc(hModule, hChannel);
    trace.Write("Status : %s\n", reinterpret_cast<const char*>(*ppStatus));
    trace.Dump(*ppStatus, static_cast<size_t>(iResult), "Binary_Data:");
    trace.Write("StatusSize : %d\n", iResult);
    return iResult;
}
