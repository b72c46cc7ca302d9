#include <cstring>

#include "common/datafile/DataFile.h"
#include "common/datafile/DriverValues.h"
#include "common/driverinfo/DriverInfo.h"
#include "common/registry/PrinterEntry.h"
#include "common/trace/Trace.h"
#include "core/api/ProcessContext.h"

namespace {

bool IsEmpty(const char* psz) { return !psz || !*psz; }

}  // namespace

void CBaseInfo::ClearDerived() {
    // Whatever belonged to the previous printer must not stay with this one.
    m_strDataFile.clear();
    m_strResourceModule.clear();
    m_strBitmapModule.clear();
    m_strCurrentUserKey.clear();
    m_strInstallPath.clear();
    m_strDriverKey.clear();
    m_strUtility.clear();
}

int CBaseInfo::SetPrinterInformation(const char* pszPrinter, const char* pszDriver, const char* pszPort,
                                     const char* pszModelId, const char* pszDataFile,
                                     const char* pszResourceModule, bool* pbCreated) {
    TraceScope trace("CBaseInfo::SetPrinterInformation");
    if (pbCreated) *pbCreated = false;
    m_iValidity = kNotSet;
    if (IsEmpty(pszPrinter) || IsEmpty(pszDriver) || IsEmpty(pszPort) || IsEmpty(pszModelId)) return m_iValidity;
    m_strPrinterName = pszPrinter;
    m_strDriverName = pszDriver;
    m_strPortName = pszPort;
    m_strModelId = pszModelId;
    ClearDerived();

    if (LoadDriverInfo(kDriverInfoByDriver, pszDriver) == -1) return m_iValidity;
    m_iValidity = kPartial;

    if (!IsEmpty(pszDataFile)) {
        m_strDataFile = pszDataFile;
    } else {
        char szDataFile[MAX_PATH] = {};
        FindDataFile(szDataFile, sizeof(szDataFile), pszDriver, pszModelId, pszPrinter);
        trace.Write("ProfileName : %s", szDataFile);
        if (!*szDataFile) return m_iValidity;
        m_strDataFile = szDataFile;
    }
    const char* pszData = m_strDataFile.c_str();
    // Read once: the module paths are built on it too.
    char szInstallPath[MAX_PATH] = {};
    GetInstallPath(szInstallPath, sizeof(szInstallPath), pszDriver, pszModelId, pszPrinter);

    m_strResourceModule = !IsEmpty(pszResourceModule)
                              ? std::string(pszResourceModule)
                              : ModulePathFromDataFile(PlxModule::Resource, pszData, pszModelId, szInstallPath);
    if (!m_strResourceModule.empty()) m_iValidity = kComplete;

    m_strBitmapModule = ModulePathFromDataFile(PlxModule::Bitmap, pszData, pszModelId, szInstallPath);
    trace.Write("BmpResName : %s", m_strBitmapModule.c_str());

    bool bNetwork = false;
    bool bCreated = false;
    std::string strKeyPath;
    GetTargetPrinterKey(pszPrinter, pszPort, pszModelId, &bNetwork, &strKeyPath, &bCreated);
    m_strCurrentUserKey = strKeyPath;
    if (pbCreated) *pbCreated = bCreated;
    trace.Write("CurrentUserKey : %s", m_strCurrentUserKey.c_str());

    m_strInstallPath = szInstallPath;
    trace.Write("InstallPath : %s", szInstallPath);

    m_strDriverKey = DriverKeyPath(pszDriver);
    trace.Write("PlxDriverKey : %s", m_strDriverKey.c_str());

    char szUtility[kProfileValueSize] = {};
    GetPrivateProfileStringA(pszModelId, "UTILITY", "", szUtility, sizeof(szUtility), pszData);
    m_strUtility = m_strInstallPath;
    if (m_strUtility.empty() || m_strUtility.back() != '\\') m_strUtility += '\\';
    m_strUtility += szUtility;
    trace.Write("UtilityName : %s", m_strUtility.c_str());
    return m_iValidity;
}
