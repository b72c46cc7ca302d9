// Helpers of the cartridge tests that use the spooler and resource modules.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "common/base/UniqueHandle.h"
#include "tests/support/TestDriver.h"

// A module of the sample driver package, loaded for its resources only.
inline UniqueHModule LoadSampleModule(const char* pszName) {
    const std::string strPath = ProgramFolder() + "\\driverpkg\\" + pszName;
    return UniqueHModule(LoadLibraryExA(strPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

// The model of the sample package's model data file.
constexpr char kSampleModel[] = "PX-100";
constexpr char kEnglishModule[] = "PLXRES_E.DLL";
// A module of the package without any string.
constexpr char kStringlessModule[] = "PLXBMP.DLL";

// One test driver for a whole suite, installing being the slow part, whose
// data file (the VIF file) has the sections Suite::DataFileSections()
// gives; and the English sample module.
template <typename Suite>
class SuiteDriverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_driver = std::make_unique<TestDriver>(Suite::kTag, StandardSetupBody(kSampleModel), Suite::DataFileSections());
    }
    static void TearDownTestSuite() { s_driver.reset(); }
    void SetUp() override {
        ASSERT_TRUE(s_driver->Installed()) << s_driver->Error();
        ASSERT_TRUE(m_english);
    }
    static const char* Printer() { return s_driver->PrinterName().c_str(); }

    static inline std::unique_ptr<TestDriver> s_driver;
    UniqueHModule m_english = LoadSampleModule(kEnglishModule);
};
