// Driver recognition against the real spooler: the sample package installs
// the driver-information module stand-ins into the shared driver folder.
#include "common/driverinfo/DriverInfo.h"

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "common/datafile/SetupDataFile.h"
#include "sim/installer/DriverInstall.h"
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

}  // namespace
