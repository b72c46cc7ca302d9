#include "tests/support/ScratchRegistry.h"

#include <windows.h>

#include <atomic>

namespace {

constexpr char kScratchParent[] = "Software\\PLXTests";

}  // namespace

ScratchCurrentUser::ScratchCurrentUser() {
    static std::atomic<unsigned> uCounter{0};
    m_strPath = std::string(kScratchParent) + "\\User_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(uCounter++);
    RegDeleteTreeA(HKEY_CURRENT_USER, m_strPath.c_str());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, m_strPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, m_key.put(),
                        nullptr) != ERROR_SUCCESS)
        return;
    m_bActive = RegOverridePredefKey(HKEY_CURRENT_USER, m_key.get()) == ERROR_SUCCESS;
}

ScratchCurrentUser::~ScratchCurrentUser() {
    if (m_bActive) RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    m_key.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, m_strPath.c_str());
    // Fails while other processes still have theirs: left to the last one.
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);
}
