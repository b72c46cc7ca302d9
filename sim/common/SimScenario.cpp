#include "sim/common/SimScenario.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(toupper(c)); });
    return s;
}

std::string TrimRight(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

std::string TrimLeft(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : s.substr(first);
}

}  // namespace

SimScenario SimScenario::Parse(const std::string& strText) {
    SimScenario scenario;
    std::istringstream in(strText);
    std::string strLine;
    SimSection* pSection = nullptr;
    while (std::getline(in, strLine)) {
        strLine = TrimLeft(TrimRight(strLine));
        if (strLine.empty() || strLine[0] == ';') continue;
        if (strLine.front() == '[' && strLine.back() == ']') {
            pSection = &scenario.m_sections[Upper(strLine.substr(1, strLine.size() - 2))];
            continue;
        }
        const size_t eq = strLine.find('=');
        if (pSection && eq != std::string::npos) (*pSection)[TrimRight(strLine.substr(0, eq))] = strLine.substr(eq + 1);
    }
    return scenario;
}

SimScenario SimScenario::Load(const std::string& strPath) {
    // Shared for delete too, so a writer can replace the file while a
    // reader in another process has it open.
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return {};
    std::string strText;
    char buffer[4096];
    DWORD cbRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, nullptr) && cbRead > 0) strText.append(buffer, cbRead);
    CloseHandle(hFile);
    return Parse(strText);
}

const SimSection* SimScenario::Section(const std::string& strName) const {
    const auto it = m_sections.find(Upper(strName));
    return it == m_sections.end() ? nullptr : &it->second;
}

std::optional<std::string> SimScenario::Value(const std::string& strSection, const std::string& strKey) const {
    const SimSection* pSection = Section(strSection);
    if (!pSection) return std::nullopt;
    const auto it = pSection->find(strKey);
    if (it == pSection->end()) return std::nullopt;
    return it->second;
}

std::string SimUnescape(const std::string& strText) {
    std::string out;
    for (size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '\\' || i + 1 >= strText.size()) {
            out += strText[i];
            continue;
        }
        const char code = strText[++i];
        if (code == 'r') out += '\r';
        else if (code == 'n') out += '\n';
        else if (code == 't') out += '\t';
        else if (code == 'x' && i + 2 < strText.size() && isxdigit(static_cast<unsigned char>(strText[i + 1])) &&
                 isxdigit(static_cast<unsigned char>(strText[i + 2]))) {
            out += static_cast<char>(strtol(strText.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else out += code;
    }
    return out;
}

std::string SimEscape(const std::string& strBytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : strBytes) {
        if (c == '\\') out += "\\\\";
        else if (c >= 0x20 && c < 0x7F) out += static_cast<char>(c);
        else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string SimFolder() {
    char szDir[MAX_PATH] = {};
    const DWORD cch = GetEnvironmentVariableA("PLXSIM_DIR", szDir, MAX_PATH);
    if (cch > 0 && cch < MAX_PATH) return szDir;
    return "C:\\ProgramData\\PlxSim";
}

std::string SimScenarioPath() { return SimFolder() + "\\scenario.ini"; }

const char* SimFunctionName(int iFunction) {
    static const char* const kNames[kSimFunctionCount] = {
        "QBInitialize",  "QBRelease",   "QBGetAvailableChannel", "QBOpenChannel", "QBCloseChannel",
        "QBGetStatus",   "QBGetDeviceID", "QBSend",              "QBReceive",     "QBReceiveCancel",
        "QBSetOption",   "QBGetOption", "QBGetEnvInfo",
        "DrvRegCreateKeyEx", "DrvRegOpenKeyEx", "DrvRegCloseKey", "DrvRegQueryValueEx",
        "UtIsSupportType", "UtSetupfromPlx", "UtInkReplacement", "WndInkReplacement", "WndMethodPaperJam"};
    return iFunction >= 0 && iFunction < kSimFunctionCount ? kNames[iFunction] : "?";
}

SimCounterBlock::SimCounterBlock() {
    // One block per scenario folder, so separate test runs do not mix.
    std::string strName = "Local\\PlxSimCounters.";
    for (char c : Upper(SimFolder())) strName += isalnum(static_cast<unsigned char>(c)) ? c : '_';
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SimCounters),
                                    strName.c_str());
    if (m_hMapping)
        m_pCounters = static_cast<SimCounters*>(MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
}

SimCounterBlock::~SimCounterBlock() {
    if (m_pCounters) UnmapViewOfFile(m_pCounters);
    if (m_hMapping) CloseHandle(m_hMapping);
}

namespace {

// The block of the module this code is linked into.
SimCounterBlock* gpModuleCounters = nullptr;

}  // namespace

BOOL SimModuleMain(HINSTANCE hInstance, DWORD dwReason) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        gpModuleCounters = new SimCounterBlock();
    } else if (dwReason == DLL_PROCESS_DETACH) {
        delete gpModuleCounters;
        gpModuleCounters = nullptr;
    }
    return TRUE;
}

void SimRaiseAccessViolation() {
    // The address comes through a volatile so the compiler cannot see the null.
    volatile uintptr_t uAddress = 8;
    *reinterpret_cast<volatile int*>(uAddress) = 1;
}

void SimCount(SimFunction function) {
    if (gpModuleCounters && gpModuleCounters->get()) InterlockedIncrement(&gpModuleCounters->get()->lCalls[function]);
}
