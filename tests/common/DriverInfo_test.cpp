// Driver recognition against the real spooler: the sample package installs
// the driver-information module stand-ins into the shared driver folder.
#include "common/driverinfo/DriverInfo.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "common/datafile/SetupDataFile.h"
#include "common/registry/DriverRegistryKey.h"
#include "common/registry/RegistryKey.h"
#include "sim/control/SimPrinter.h"
#include "sim/installer/DriverInstall.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestDriver.h"

namespace {

std::string SampleDriverFolder() {
    const std::optional<DriverFiles> files = DriverFilesForDriver(kSampleDriver);
    return files ? files->strFolder : std::string();
}

std::string SampleDataFile() {
    const std::optional<DriverFiles> files = DriverFilesForDriver(kSampleDriver);
    return files ? files->strDataFile : std::string();
}

class DriverInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ReleaseDriverInfo(); }
    void TearDown() override { ReleaseDriverInfo(); }
};

struct RecognitionCase {
    const char* pszName;
    int iKind;
    std::string (*pfnText)();
    int iExpected;
};

const RecognitionCase kRecognitionCases[] = {
    {"printer name", kDriverInfoByPrinter, [] { return std::string(kSamplePrinter); }, 1},
    {"driver name", kDriverInfoByDriver, [] { return std::string(kSampleDriver); }, 1},
    {"driver name in other case", kDriverInfoByDriver, [] { return std::string("kavro px-100 SERIES"); }, 1},
    {"data file", kDriverInfoByDataFile, SampleDataFile, 1},
    {"module path", kDriverInfoByModule, [] { return SampleDriverFolder() + "\\kvdrvinf.DLL"; }, 1},
    {"unknown printer", kDriverInfoByPrinter, [] { return std::string("No Such Printer"); }, -1},
    {"unknown driver", kDriverInfoByDriver, [] { return std::string("No Such Driver"); }, -1},
    {"missing module path", kDriverInfoByModule, [] { return SampleDriverFolder() + "\\absent.dll"; }, -1},
    // A bare name would be looked for along the search path.
    {"module without folder", kDriverInfoByModule, [] { return std::string("kvdrvinf.DLL"); }, -1},
    {"data file without folder", kDriverInfoByDataFile, [] { return std::string("PX100.DAT"); }, -1},
    {"empty text", kDriverInfoByDriver, [] { return std::string(); }, -1},
    {"unknown kind", 9, [] { return std::string(kSampleDriver); }, -1},
};

TEST_F(DriverInfoTest, RecognisesByEveryKindOfName) {
    for (const RecognitionCase& c : kRecognitionCases) {
        SCOPED_TRACE(c.pszName);
        ReleaseDriverInfo();
        EXPECT_EQ(LoadDriverInfo(c.iKind, c.pfnText().c_str()), c.iExpected);
        EXPECT_EQ(IsDriverInfoLoaded(), c.iExpected == 1);
    }
}

TEST_F(DriverInfoTest, RecognitionLastsUntilReleased) {
    ASSERT_EQ(LoadDriverInfo(kDriverInfoByDriver, kSampleDriver), 1);
    EXPECT_TRUE(IsDriverInfoAnsiBound());
    EXPECT_TRUE(IsDriverInfoWideBound());
    // Any later request is answered by the recognition in force.
    EXPECT_EQ(LoadDriverInfo(kDriverInfoByDriver, "No Such Driver"), 1);
    ReleaseDriverInfo();
    EXPECT_FALSE(IsDriverInfoLoaded());
    EXPECT_EQ(LoadDriverInfo(kDriverInfoByDriver, "No Such Driver"), -1);
}

TEST_F(DriverInfoTest, ModuleNamedByTheDataFile) {
    struct Case {
        const char* pszLine;
        int iExpected;
        bool bAnsiBound;
    };
    const Case cases[] = {
        {"KVAUDF01=PLXDINFP.DLL\r\n", 1, false},  // recognised although a table is incomplete
        {"KVAUDF01=NOTTHERE.DLL\r\n", -1, false},
        {"", 1, true},  // the default module name
    };
    int iTag = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszLine);
        TestDriver driver("dinf" + std::to_string(iTag++), StandardSetupBody("PX-T1"), c.pszLine);
        ASSERT_TRUE(driver.Installed()) << driver.Error();
        ReleaseDriverInfo();
        EXPECT_EQ(LoadDriverInfo(kDriverInfoByDriver, driver.DriverName().c_str()), c.iExpected);
        EXPECT_EQ(IsDriverInfoAnsiBound(), c.bAnsiBound);
        if (c.iExpected == 1) {
            EXPECT_TRUE(IsDriverInfoWideBound());
        }
    }
}

// While a recognition is in force, the machine-wide keys of the driver's
// installer are read through the module; the stand-in counts those calls.
class DriverRoutingTest : public DriverInfoTest {
protected:
    void SetUp() override {
        DriverInfoTest::SetUp();
        m_sim = std::make_unique<SimPrinter>(m_folder.Path());
        ASSERT_TRUE(m_key.Set("Color", "blue"));
    }
    LONG RoutedCalls(SimFunction function) const { return m_sim->Counters().lCalls[function]; }

    TempFolder m_folder{"route"};
    std::unique_ptr<SimPrinter> m_sim;
    ScopedMachineKey m_key{"Software\\KAVRO\\PLX Route " + std::to_string(GetCurrentProcessId()) + " IO_URL"};
    const std::string& m_strKey = m_key.Path();
};

TEST_F(DriverRoutingTest, ReadsGoThroughTheModuleWhileRecognised) {
    {
        DriverRegistryKey key(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false);
        EXPECT_EQ(key.GetString("Color", ""), "blue");
    }
    EXPECT_EQ(RoutedCalls(kSimDrvRegOpenKey), 0) << "plain registry without a recognition";

    ASSERT_EQ(LoadDriverInfo(kDriverInfoByDriver, kSampleDriver), 1);
    {
        DriverRegistryKey key(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_EQ(key.GetString("Color", ""), "blue");
        EXPECT_EQ(key.GetNumber("Missing", 7), 7u);
    }
    EXPECT_EQ(RoutedCalls(kSimDrvRegOpenKey), 1);
    EXPECT_GE(RoutedCalls(kSimDrvRegQueryValue), 2);
    EXPECT_EQ(RoutedCalls(kSimDrvRegCloseKey), 1);
    // A fault inside the module fails the read, not the process.
    {
        DriverRegistryKey key(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false);
        EXPECT_EQ(key.GetString(kSimDrvRegFaultValue, "fallback"), "fallback");
    }
    // The routed create counts only a key it made.
    EXPECT_FALSE(DriverRegistryKey(HKEY_LOCAL_MACHINE, m_strKey.c_str(), true).IsOpen());
    EXPECT_TRUE(DriverRegistryKey(HKEY_LOCAL_MACHINE, (m_strKey + "\\New").c_str(), true).IsOpen());
}

TEST_F(DriverRoutingTest, ModuleWithoutItsAnsiTableAnswersNothing) {
    TestDriver driver("dpart", StandardSetupBody("PX-T1"), "KVAUDF01=PLXDINFP.DLL\r\n");
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    ASSERT_EQ(LoadDriverInfo(kDriverInfoByDriver, driver.DriverName().c_str()), 1);
    EXPECT_FALSE(DriverRegistryKey(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false).IsOpen());
    // The plain key class is not routed.
    EXPECT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false).IsOpen());
    ReleaseDriverInfo();
    EXPECT_TRUE(DriverRegistryKey(HKEY_LOCAL_MACHINE, m_strKey.c_str(), false).IsOpen());
}

}  // namespace
