// The core library as its callers see it: loaded by name from the program
// folder, exports found by name.
#pragma once

#include <windows.h>

#include <string>

#include "common/base/UniqueHandle.h"

class CoreLibrary {
public:
    CoreLibrary() : m_module(LoadLibraryA("plxcore.dll")) {}

    bool Loaded() const { return static_cast<bool>(m_module); }
    HMODULE Module() const { return m_module.get(); }

    template <typename Fn>
    Fn Export(const char* pszName) const {
        return reinterpret_cast<Fn>(GetProcAddress(m_module.get(), pszName));
    }

private:
    UniqueHModule m_module;
};

// Lines of PLX4.LOG written by this process since the given size.
std::string TraceLogPath();
std::string OwnTraceSince(size_t cbStart);
size_t TraceLogSize();
// Switches the core library's trace on for libraries loaded from now on,
// and makes sure its folder exists.
void EnableCoreTrace();
