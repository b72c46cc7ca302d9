// The core library serves one printer at a time per process: every export
// first sets the printer it was called for into this process-wide context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/base/UniqueHandle.h"

// The printer the library currently works for, with what was found out
// about it. All strings are owned copies.
class CBaseInfo {
public:
    // -1 not set up, 0 set up without data file or resource module, 1 complete.
    static constexpr int kNotSet = -1;
    static constexpr int kPartial = 0;
    static constexpr int kComplete = 1;

    // Sets the printer up; returns the validity. Empty names leave the
    // previous printer's names in place and give -1. pbCreated (optional)
    // tells whether the printer's per-user entry was created just now.
    int SetPrinterInformation(const char* pszPrinter, const char* pszDriver, const char* pszPort,
                              const char* pszModelId, const char* pszDataFile, const char* pszResourceModule,
                              bool* pbCreated);
    int IsEnablePrnInfo() const { return m_iValidity; }

    const std::string& PrinterName() const { return m_strPrinterName; }
    const std::string& DriverName() const { return m_strDriverName; }
    const std::string& PortName() const { return m_strPortName; }
    const std::string& ModelId() const { return m_strModelId; }
    const std::string& DataFile() const { return m_strDataFile; }
    const std::string& ResourceModule() const { return m_strResourceModule; }
    const std::string& BitmapModule() const { return m_strBitmapModule; }
    const std::string& CurrentUserKey() const { return m_strCurrentUserKey; }
    const std::string& InstallPath() const { return m_strInstallPath; }
    const std::string& DriverKey() const { return m_strDriverKey; }
    const std::string& Utility() const { return m_strUtility; }

    // The single-instance block of the window that owns this context; kept
    // open until the window closes it or the context goes away.
    UniqueHandle& InstanceBlock() { return m_hInstanceBlock; }

private:
    void ClearDerived();

    std::string m_strPrinterName;
    std::string m_strDriverName;
    std::string m_strPortName;
    std::string m_strModelId;
    std::string m_strDataFile;
    std::string m_strResourceModule;
    std::string m_strBitmapModule;
    std::string m_strCurrentUserKey;
    std::string m_strInstallPath;
    std::string m_strDriverKey;
    std::string m_strUtility;
    UniqueHandle m_hInstanceBlock;
    int m_iValidity = kNotSet;
};

// Switches of the printer model, from the model's section of its data file.
struct ModelSettings {
    int iInkColorNum = 4;
    int iSetupUtility = 0;
    int iLanguage = 0;
    int iSendRScommand = 0;
    int iCommErrDisableTime = 0;
    int iMaintenanceTankNum = 0;
    int iInkTankViewCtrl = 0;
};

// What the background-monitoring exports keep between their calls.
struct MonitorBuffer {
    uint32_t dwStatusChannel = 0;
    uint16_t wChannelMode = 0;  // bit 15 set: network
    int32_t lChannelHandle = 0;
    HWND hMonitorWnd = nullptr;
};

class CProcessContext {
public:
    CProcessContext();
    ~CProcessContext();
    CProcessContext(const CProcessContext&) = delete;
    CProcessContext& operator=(const CProcessContext&) = delete;

    // Reads the model switches of section pszModelId; missing keys keep
    // their defaults.
    void ReadModelSettings(const char* pszModelId, const char* pszDataFile);

    HINSTANCE m_hInstance = nullptr;
    int32_t m_lLastStatusNo = -1;
    ModelSettings m_model;
    bool m_bNtFamily = false;
    CBaseInfo m_baseInfo;
    std::unique_ptr<MonitorBuffer> m_pMonitorBuffer;
    std::string m_strText;
};

CProcessContext& GetProcessContext();
