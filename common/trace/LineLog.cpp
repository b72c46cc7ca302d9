#include "common/trace/LineLog.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "common/base/KnownFolders.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"

namespace {

constexpr size_t kMaxPath = 259;

struct LineLogState {
    std::mutex lock;  // one line at a time per process
    bool bEnabled = false;
    char szPath[kMaxPath + 1] = {};
    FILE* pStream = nullptr;
};

LineLogState& State() {
    static LineLogState state;
    return state;
}

template <typename WriteMessage>
int WriteLine(WriteMessage writeMessage) {
    LineLogState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.bEnabled) return 0;
    state.pStream = fopen(state.szPath, "a+");
    if (!state.pStream) return 0;
    const DWORD dwTick = GetTickCount();
    fprintf(state.pStream, "%04X;", static_cast<unsigned>(GetCurrentProcessId()));
    fprintf(state.pStream, "%5u:%02u.%03u; ", static_cast<unsigned>(dwTick / 60000),
            static_cast<unsigned>((dwTick / 1000) % 60), static_cast<unsigned>(dwTick % 1000));
    writeMessage(state.pStream);
    fclose(state.pStream);
    state.pStream = nullptr;
    return 1;
}

}  // namespace

int LineLogOpen(const char* pszPath, const char* pszSwitchValue) {
    LineLogState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.bEnabled = false;
    state.pStream = nullptr;
    state.szPath[0] = '\0';
    if (!pszPath || !*pszPath || strlen(pszPath) > kMaxPath || !pszSwitchValue) return 0;
    strcpy(state.szPath, pszPath);
    // The type is not checked; a value longer than four bytes reads as off.
    state.bEnabled = RegistryKey(HKEY_CURRENT_USER, kPlx3Key, false).GetNumber(pszSwitchValue, 0) != 0;
    return state.bEnabled ? 1 : 0;
}

int LineLogWriteText(const char* pszText) {
    if (!pszText) return 0;
    return WriteLine([&](FILE* f) { fprintf(f, "%s\n", pszText); });
}

int LineLogWriteTextText(const char* pszText1, const char* pszText2) {
    if (!pszText1 || !pszText2) return 0;
    return WriteLine([&](FILE* f) { fprintf(f, "%s : %s\n", pszText1, pszText2); });
}

int LineLogWriteTextNumber(const char* pszText, int iNumber) {
    if (!pszText) return 0;
    return WriteLine([&](FILE* f) { fprintf(f, "%s : %d\n", pszText, iNumber); });
}

int LineLogClose() {
    LineLogState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.pStream) {
        fclose(state.pStream);
        state.pStream = nullptr;
    }
    return 1;
}

const char* LineLogTrayPath() {
    static const std::string strPath = PlxDataFilePath("plxtraylog.LOG");
    return strPath.c_str();
}
