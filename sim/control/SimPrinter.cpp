#include "sim/control/SimPrinter.h"

#include <windows.h>

#include <cstring>

SimPrinter::SimPrinter(const std::string& strFolder) : m_strFolder(strFolder) {
    char szPrevious[MAX_PATH] = {};
    const DWORD cch = GetEnvironmentVariableA("PLXSIM_DIR", szPrevious, MAX_PATH);
    m_bHadPreviousDir = cch > 0 && cch < MAX_PATH;
    if (m_bHadPreviousDir) m_strPreviousDir = szPrevious;
    CreateDirectoryA(m_strFolder.c_str(), nullptr);
    SetEnvironmentVariableA("PLXSIM_DIR", m_strFolder.c_str());
    m_pBlock = new SimCounterBlock();
}

SimPrinter::~SimPrinter() {
    delete m_pBlock;
    DeleteFileA(SimScenarioPath().c_str());
    SetEnvironmentVariableA("PLXSIM_DIR", m_bHadPreviousDir ? m_strPreviousDir.c_str() : nullptr);
}

bool SimPrinter::SetScenario(const std::string& strText) {
    const std::string strPath = m_strFolder + "\\scenario.ini";
    const std::string strTemp = strPath + ".new";
    HANDLE hFile = CreateFileA(strTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    DWORD cbWritten = 0;
    const BOOL bWritten = WriteFile(hFile, strText.data(), static_cast<DWORD>(strText.size()), &cbWritten, nullptr);
    CloseHandle(hFile);
    return bWritten && cbWritten == strText.size() &&
           MoveFileExA(strTemp.c_str(), strPath.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

SimCounters SimPrinter::Counters() const {
    SimCounters copy{};
    if (m_pBlock && m_pBlock->get()) memcpy(&copy, const_cast<const SimCounters*>(m_pBlock->get()), sizeof(copy));
    return copy;
}

void SimPrinter::ResetCounters() {
    if (m_pBlock && m_pBlock->get()) memset(const_cast<SimCounters*>(m_pBlock->get()), 0, sizeof(SimCounters));
}

std::string SimPrinterSection(const std::string& strPrinter, const std::string& strChannels,
                              const std::string& strDeviceId, const std::string& strStatus) {
    return "[Printer." + strPrinter + "]\r\nChannels=" + strChannels + "\r\nDeviceID=" + SimEscape(strDeviceId) +
           "\r\nStatus=" + SimEscape(strStatus) + "\r\n";
}
