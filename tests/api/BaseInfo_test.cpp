// Setting the printer into the process context, against the real spooler,
// the sample package's data file and modules, and the real registry.
#include "core/api/ProcessContext.h"

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "common/datafile/SetupDataFile.h"
#include "common/driverinfo/DriverInfo.h"
#include "common/registry/PrinterEntry.h"
#include "sim/installer/DriverInstall.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr char kModel[] = "PX-100";  // the section of the sample data file

// Setup data of a driver whose data file is the sample's PX100.INI.
std::string SetupWithProfile(bool bInstallPath = true) {
    return std::string(bInstallPath ? "REGENTER=DRV,\"InstallPath\",DRIVERDIR\r\n" : "") +
           "REGENTER=DRV,\"ModelID\",\"PX-100\"\r\n"
           "REGENTER=DRV,\"Profile\",DRIVERDIR+\"\\PX100.INI\"\r\n";
}

std::string DriverFolder() {
    const std::optional<DriverFiles> files = DriverFilesForDriver(kSampleDriver);
    return files ? files->strFolder : std::string();
}

class BaseInfoTest : public ::testing::Test {
protected:
    // Each test starts without a recognition, as a fresh process would.
    void SetUp() override {
        ASSERT_TRUE(m_scratch.Active());
        ReleaseDriverInfo();
    }
    void TearDown() override { ReleaseDriverInfo(); }

    ScratchCurrentUser m_scratch;  // printer entries land in a key of the test's own
    CBaseInfo m_info;
};

TEST_F(BaseInfoTest, EveryNameIsNeeded) {
    TestDriver driver("bi1", SetupWithProfile());
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    ASSERT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:", kModel,
                                           nullptr, nullptr, nullptr),
              CBaseInfo::kComplete);
    const char* pszPrinter = driver.PrinterName().c_str();
    const char* pszDriver = driver.DriverName().c_str();
    struct Case {
        const char* pszPrinter;
        const char* pszDriver;
        const char* pszPort;
        const char* pszModel;
    };
    const Case cases[] = {
        {"", pszDriver, "FILE:", kModel},     {pszPrinter, nullptr, "FILE:", kModel},
        {pszPrinter, pszDriver, "", kModel},  {pszPrinter, pszDriver, "FILE:", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m_info.SetPrinterInformation(c.pszPrinter, c.pszDriver, c.pszPort, c.pszModel, nullptr, nullptr,
                                               nullptr),
                  CBaseInfo::kNotSet);
        EXPECT_EQ(m_info.IsEnablePrnInfo(), CBaseInfo::kNotSet);
        // The previous printer stays named.
        EXPECT_EQ(m_info.PrinterName(), driver.PrinterName());
        EXPECT_EQ(m_info.PortName(), "FILE:");
    }
}

TEST_F(BaseInfoTest, CompleteSetUpFromTheDataFile) {
    TestDriver driver("bi2", SetupWithProfile());
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    bool bCreated = true;
    ASSERT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:", kModel,
                                           nullptr, nullptr, &bCreated),
              CBaseInfo::kComplete);
    const std::string strFolder = DriverFolder();
    EXPECT_EQ(m_info.DataFile(), strFolder + "\\PX100.INI");
    EXPECT_EQ(m_info.ResourceModule(), strFolder + "\\PLXRES_E.DLL");
    EXPECT_EQ(m_info.BitmapModule(), strFolder + "\\PLXBMP.DLL");
    EXPECT_EQ(m_info.InstallPath(), strFolder + "\\");
    EXPECT_EQ(m_info.DriverKey(), "Software\\KAVRO\\PLX3\\Driver\\" + driver.DriverName());
    EXPECT_EQ(m_info.Utility(), strFolder + "\\PLXUTIL.DLL");
    EXPECT_TRUE(IsDriverInfoLoaded());

    // The printer's entry was made, and is found again next time.
    std::string strEntry;
    ASSERT_EQ(FindPrinterEntry(driver.PrinterName().c_str(), false, &strEntry), kFindFound);
    EXPECT_EQ(m_info.CurrentUserKey(), strEntry);
    ASSERT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:", kModel,
                                           nullptr, nullptr, &bCreated),
              CBaseInfo::kComplete);
    EXPECT_FALSE(bCreated);
    EXPECT_EQ(m_info.CurrentUserKey(), strEntry);
}

TEST_F(BaseInfoTest, WithoutADataFileOnlyTheNamesAreSet) {
    TestDriver withFile("bi3a", SetupWithProfile());
    TestDriver withoutFile("bi3b", StandardSetupBody(kModel));
    ASSERT_TRUE(withFile.Installed() && withoutFile.Installed());
    ASSERT_EQ(m_info.SetPrinterInformation(withFile.PrinterName().c_str(), withFile.DriverName().c_str(), "FILE:",
                                           kModel, nullptr, nullptr, nullptr),
              CBaseInfo::kComplete);
    EXPECT_EQ(m_info.SetPrinterInformation(withoutFile.PrinterName().c_str(), withoutFile.DriverName().c_str(),
                                           "FILE:", kModel, nullptr, nullptr, nullptr),
              CBaseInfo::kPartial);
    EXPECT_EQ(m_info.PrinterName(), withoutFile.PrinterName());
    // Nothing of the previous printer stays with this one.
    EXPECT_EQ(m_info.DataFile(), "");
    EXPECT_EQ(m_info.ResourceModule(), "");
    EXPECT_EQ(m_info.CurrentUserKey(), "");
    EXPECT_EQ(m_info.Utility(), "");
    std::string strEntry;
    EXPECT_EQ(FindPrinterEntry(withoutFile.PrinterName().c_str(), false, &strEntry), kFindNotFound);
}

TEST_F(BaseInfoTest, GivenFilesAndModules) {
    TestDriver driver("bi4", StandardSetupBody(kModel));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    const std::string strDataFile = DriverFolder() + "\\PX100.INI";
    struct Case {
        const char* pszName;
        std::string strDataFile;
        std::string strResource;
        int iExpected;
        std::string strExpectedResource;
    };
    const Case cases[] = {
        {"resource module from the given data file", strDataFile, "", CBaseInfo::kComplete,
         DriverFolder() + "\\PLXRES_E.DLL"},
        {"given resource module", strDataFile, "C:\\res\\mine.dll", CBaseInfo::kComplete, "C:\\res\\mine.dll"},
        {"data file without language table", driver.DataFilePath(), "", CBaseInfo::kPartial, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:",
                                               kModel, c.strDataFile.c_str(), c.strResource.c_str(), nullptr),
                  c.iExpected);
        EXPECT_EQ(m_info.DataFile(), c.strDataFile);
        EXPECT_EQ(m_info.ResourceModule(), c.strExpectedResource);
    }
}

TEST_F(BaseInfoTest, UtilityPathWithoutInstallFolder) {
    TestDriver driver("bi5", SetupWithProfile(false));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    EXPECT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:", kModel,
                                           nullptr, nullptr, nullptr),
              CBaseInfo::kPartial)
        << "no install folder, so no resource module";
    EXPECT_EQ(m_info.InstallPath(), "");
    EXPECT_EQ(m_info.Utility(), "\\PLXUTIL.DLL");
    // A model section without UTILITY leaves a lone backslash.
    EXPECT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:",
                                           "PX-NONE", nullptr, nullptr, nullptr),
              CBaseInfo::kPartial);
    EXPECT_EQ(m_info.Utility(), "\\");
}

TEST_F(BaseInfoTest, UnrecognisedDriverStopsTheSetUp) {
    TestDriver driver("bi6", SetupWithProfile(), "KVAUDF01=NOTTHERE.DLL\r\n");
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    EXPECT_EQ(m_info.SetPrinterInformation(driver.PrinterName().c_str(), driver.DriverName().c_str(), "FILE:", kModel,
                                           nullptr, nullptr, nullptr),
              CBaseInfo::kNotSet);
    EXPECT_EQ(m_info.PrinterName(), driver.PrinterName());
    EXPECT_EQ(m_info.DataFile(), "");
    std::string strEntry;
    EXPECT_NE(FindPrinterEntry(driver.PrinterName().c_str(), false, &strEntry), kFindFound);
}

TEST_F(BaseInfoTest, PrinterGoneBetweenCalls) {
    std::string strPrinter;
    std::string strDriver;
    {
        TestDriver driver("bi7", SetupWithProfile());
        ASSERT_TRUE(driver.Installed()) << driver.Error();
        strPrinter = driver.PrinterName();
        strDriver = driver.DriverName();
        ASSERT_EQ(m_info.SetPrinterInformation(strPrinter.c_str(), strDriver.c_str(), "FILE:", kModel, nullptr,
                                               nullptr, nullptr),
                  CBaseInfo::kComplete);
    }
    // Printer and driver are gone; the recognition made before stays in force.
    EXPECT_EQ(m_info.SetPrinterInformation(strPrinter.c_str(), strDriver.c_str(), "FILE:", kModel, nullptr, nullptr,
                                           nullptr),
              CBaseInfo::kPartial);
    EXPECT_EQ(m_info.DataFile(), "");
    EXPECT_EQ(m_info.CurrentUserKey(), "");
    // A fresh process would not recognise the driver at all.
    ReleaseDriverInfo();
    EXPECT_EQ(m_info.SetPrinterInformation(strPrinter.c_str(), strDriver.c_str(), "FILE:", kModel, nullptr, nullptr,
                                           nullptr),
              CBaseInfo::kNotSet);
}

TEST(ProcessContextTest, ModelSwitchesFromTheDataFile) {
    TempFolder folder("ctx");
    const std::string strFile = folder.File("model.ini");
    ASSERT_TRUE(WriteTextFile(strFile, "[PX-1]\r\nINKCOLORNUM=6\r\nSetupUtility=1\r\nLanguage=2\r\n"
                                       "SendRScommand=1\r\nCommErrDisableTime=30\r\nMaintenanceTankNum=2\r\n"
                                       "InkTankViewCtrl=1\r\n[PX-2]\r\nLanguage=5\r\n"));
    CProcessContext& context = GetProcessContext();
    context.ReadModelSettings("PX-1", strFile.c_str());
    EXPECT_EQ(context.m_model.iInkColorNum, 6);
    EXPECT_EQ(context.m_model.iSetupUtility, 1);
    EXPECT_EQ(context.m_model.iLanguage, 2);
    EXPECT_EQ(context.m_model.iSendRScommand, 1);
    EXPECT_EQ(context.m_model.iCommErrDisableTime, 30);
    EXPECT_EQ(context.m_model.iMaintenanceTankNum, 2);
    EXPECT_EQ(context.m_model.iInkTankViewCtrl, 1);
    // Keys a section lacks fall back to their defaults.
    context.ReadModelSettings("PX-2", strFile.c_str());
    EXPECT_EQ(context.m_model.iInkColorNum, 4);
    EXPECT_EQ(context.m_model.iLanguage, 5);
    EXPECT_EQ(context.m_model.iCommErrDisableTime, 0);
}

}  // namespace
