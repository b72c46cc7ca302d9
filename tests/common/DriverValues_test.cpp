// Per-driver values read from a real installed driver's setup data.
#include "common/datafile/DriverValues.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/datafile/SetupDataFile.h"
#include "tests/support/TestDriver.h"

namespace {

class DriverValuesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_install = new TempFolder("drvinstall");
        WriteTextFile(s_install->File("PLXRUN.EXE"), "MZ");
        WriteTextFile(s_install->File("custom.exe"), "MZ");
        s_driver = new TestDriver("dv",
                                  "REGENTER=DRV,\"InstallPath\",\"" + s_install->Path() + "\\\"\r\n"
                                  "REGENTER=DRV,\"QBAPI_VERSION\",0x4\r\n"
                                  "REGENTER=DRV,\"Profile\",DRIVERDIR+\"\\PX.INI\"\r\n"
                                  "REGENTER=DRV,\"SysDir\",SYSTEMDIR\r\n"
                                  "REGENTER=DRV,\"K_SENV\",\"" + s_install->Path() + "\\custom.exe\"\r\n"
                                  "REGENTER=DRV,\"K_SICN\",\"C:\\nowhere\\plxicon.exe\"\r\n");
    }
    static void TearDownTestSuite() {
        delete s_driver;
        delete s_install;
    }
    void SetUp() override { ASSERT_TRUE(s_driver->Installed()) << s_driver->Error(); }

    const char* Printer() const { return s_driver->PrinterName().c_str(); }
    const char* Driver() const { return s_driver->DriverName().c_str(); }

    static TempFolder* s_install;
    static TestDriver* s_driver;
};

TempFolder* DriverValuesTest::s_install = nullptr;
TestDriver* DriverValuesTest::s_driver = nullptr;

TEST_F(DriverValuesTest, LooksUpByPrinterAndByDriver) {
    const std::string strKey = s_driver->KeyPath();
    const std::string strProfile = GetPrivateRegString(Printer(), strKey.c_str(), "Profile");
    EXPECT_EQ(strProfile, GetPrivateRegStringByDriver(Driver(), strKey.c_str(), "profile"));
    // DRIVERDIR is the folder of the installed driver file.
    const auto files = DriverFilesForPrinter(Printer());
    ASSERT_TRUE(files);
    EXPECT_EQ(strProfile, files->strFolder + "\\PX.INI");
    EXPECT_TRUE(FileExists(files->strDriverPath));

    char szSystem[MAX_PATH] = {};
    GetSystemDirectoryA(szSystem, MAX_PATH);
    EXPECT_EQ(GetPrivateRegString(Printer(), strKey.c_str(), "SysDir"), szSystem);

    EXPECT_EQ(GetPrivateRegNumber(Printer(), strKey.c_str(), "QBAPI_VERSION"), 4);
    EXPECT_EQ(GetPrivateRegNumber(Printer(), strKey.c_str(), "Profile"), -1);
    EXPECT_EQ(GetPrivateRegString(Printer(), strKey.c_str(), "QBAPI_VERSION"), "");
    EXPECT_EQ(GetPrivateRegString(Printer(), "Software\\Other", "Profile"), "");
}

TEST_F(DriverValuesTest, MissingPrinterOrDriverFindsNothing) {
    const std::string strKey = s_driver->KeyPath();
    EXPECT_EQ(GetPrivateRegString("No Such Printer", strKey.c_str(), "Profile"), "");
    EXPECT_EQ(GetPrivateRegStringByDriver("No Such Driver", strKey.c_str(), "Profile"), "");
    EXPECT_EQ(GetPrivateRegNumber(nullptr, strKey.c_str(), "QBAPI_VERSION"), -1);
    EXPECT_EQ(GetQbapiVersion("No Such Driver", nullptr), -1);
}

TEST_F(DriverValuesTest, DriverValueAndVersion) {
    char szValue[MAX_PATH];
    memset(szValue, 0xCC, sizeof(szValue));
    EXPECT_EQ(GetDriverValue(szValue, sizeof(szValue), "Profile", Driver(), "", Printer()), 1);
    EXPECT_NE(strstr(szValue, "PX.INI"), nullptr);
    EXPECT_EQ(GetDriverValue(szValue, sizeof(szValue), "Profile", Driver(), "", nullptr), 1);
    EXPECT_EQ(GetDriverValue(szValue, sizeof(szValue), "Missing", Driver(), "", Printer()), 0);
    EXPECT_EQ(szValue[0], '\0');
    // A value that does not fit counts as absent.
    EXPECT_EQ(GetDriverValue(szValue, 4, "Profile", Driver(), "", Printer()), 0);
    EXPECT_EQ(GetQbapiVersion(Driver(), nullptr), 4);
    EXPECT_EQ(GetQbapiVersion("", Printer()), 4);
}

TEST_F(DriverValuesTest, InstallPathEndsInOneBackslash) {
    char szPath[MAX_PATH];
    GetInstallPath(szPath, sizeof(szPath), Driver(), "", Printer());
    EXPECT_EQ(std::string(szPath), s_install->Path() + "\\");
}

TEST_F(DriverValuesTest, ProgramPaths) {
    char szPath[MAX_PATH];
    EXPECT_EQ(GetProgramPath(szPath, sizeof(szPath), "K_SENV", "PLXRUN.EXE", Driver(), "", Printer()), 1);
    EXPECT_EQ(std::string(szPath), s_install->File("custom.exe"));
    // A named file that does not exist falls back to the default file.
    EXPECT_EQ(GetProgramPath(szPath, sizeof(szPath), "K_SRUN", "PLXRUN.EXE", Driver(), "", Printer()), 1);
    EXPECT_EQ(std::string(szPath), s_install->File("PLXRUN.EXE"));
    EXPECT_EQ(GetProgramPath(szPath, sizeof(szPath), "K_SICN", "PLXICON.EXE", Driver(), "", Printer()), 0);
    EXPECT_EQ(GetProgramPath(szPath, sizeof(szPath), "K_SRCV", nullptr, Driver(), "", Printer()), 0);
}

TEST(InstallPath, MissingFolderGivesEmpty) {
    TestDriver driver("nofolder", "REGENTER=DRV,\"InstallPath\",\"C:\\no\\such\\folder\"\r\n");
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    char szPath[MAX_PATH];
    memset(szPath, 0xCC, sizeof(szPath));
    GetInstallPath(szPath, sizeof(szPath), driver.DriverName().c_str(), "", driver.PrinterName().c_str());
    EXPECT_EQ(szPath[0], '\0');
}

}  // namespace
