// The export list of the core library: every name of the definition file
// is there, undecorated, and nothing else is.
#include <windows.h>

#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/CoreLibrary.h"
#include "tests/support/TestFiles.h"

namespace {

std::set<std::string> NamesInDefFile() {
    std::istringstream in(ReadTextFile(PLX_SOURCE_DIR "/core/api/plxcore.def"));
    std::set<std::string> names;
    std::string strWord;
    bool bInExports = false;
    while (in >> strWord) {
        if (strWord == "EXPORTS") bInExports = true;
        else if (bInExports) names.insert(strWord);
    }
    return names;
}

std::set<std::string> NamesExportedBy(HMODULE hModule) {
    auto* pBase = reinterpret_cast<const BYTE*>(hModule);
    auto* pDos = reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase);
    auto* pNt = reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + pDos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* pExports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(pBase + dir.VirtualAddress);
    auto* pNames = reinterpret_cast<const DWORD*>(pBase + pExports->AddressOfNames);
    std::set<std::string> names;
    for (DWORD i = 0; i < pExports->NumberOfNames; ++i) names.insert(reinterpret_cast<const char*>(pBase + pNames[i]));
    return names;
}

}  // namespace

TEST(CoreExports, MatchTheDefinitionFile) {
    CoreLibrary core;
    ASSERT_TRUE(core.Loaded());
    const std::set<std::string> expected = NamesInDefFile();
    ASSERT_FALSE(expected.empty());
    for (const std::string& strName : expected)
        EXPECT_NE(GetProcAddress(core.Module(), strName.c_str()), nullptr) << strName;
    EXPECT_EQ(NamesExportedBy(core.Module()), expected);
}
