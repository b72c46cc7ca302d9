// Finding, creating and cleaning printer entries in a scratch
// HKEY_CURRENT_USER, against the real spooler with the sample printer and
// printers of test drivers.
#include "common/registry/PrinterEntry.h"

#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>

#include "common/base/Guard.h"
#include "common/base/SpoolerInfo.h"
#include "common/datafile/DataFile.h"
#include "common/registry/EntryDefaults.h"
#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"
#include "sim/installer/DriverInstall.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr char kEntry0[] = "P0000000000000000";
constexpr char kEntry1[] = "P0000000000000001";
constexpr char kEntry2[] = "P0000000000000002";
using Names = std::vector<std::string>;

std::string Local(const std::string& strSubKey) { return std::string(kLocalTargetKey) + "\\" + strSubKey; }
std::string Network(const std::string& strSubKey) { return std::string(kNetworkTargetKey) + "\\" + strSubKey; }

RegistryKey OpenEntry(const std::string& strPath) {
    return RegistryKey(HKEY_CURRENT_USER, strPath.c_str(), false, KEY_ALL_ACCESS);
}

class PrinterEntryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_user.Active()); }

    // Outputs poisoned first to show what each call writes.
    int Target(const char* pszPrinter, const char* pszPort, const char* pszModel) {
        m_bNetwork = true;
        m_bCreated = true;
        m_strPath = "untouched";
        return GetTargetPrinterKey(pszPrinter, pszPort, pszModel, &m_bNetwork, &m_strPath, &m_bCreated);
    }

    ScratchCurrentUser m_user;
    bool m_bNetwork = false;
    bool m_bCreated = false;
    std::string m_strPath;
};

TEST_F(PrinterEntryTest, NumbersStartAtZeroAndComeBackAfterStaleCleanup) {
    std::string strPath;
    ASSERT_EQ(CreatePrinterEntry("PLX gone printer", false, &strPath), kCreateDone);
    EXPECT_EQ(strPath, Local(kEntry0));
    RegistryKey entry = OpenEntry(strPath);
    EXPECT_EQ(entry.GetString(kEntryName, ""), "PLX gone printer");
    EXPECT_EQ(entry.GetNumberOrMinusOne(kEntrySetting), 0);
    EXPECT_EQ(entry.GetNumberOrMinusOne(kEntryTimer), 10);
    entry.Close();

    ASSERT_EQ(CreatePrinterEntry(kSamplePrinter, false, &strPath), kCreateDone);
    EXPECT_EQ(strPath, Local(kEntry1));
    RemoveStaleEntries();
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), Names{kEntry1});
    ASSERT_EQ(CreatePrinterEntry("PLX next printer", false, &strPath), kCreateDone);
    EXPECT_EQ(strPath, Local(kEntry0));
    EXPECT_EQ(CreatePrinterEntry("", false, &strPath), kCreateNameNotWritten);
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), (Names{kEntry0, kEntry1}));
}

TEST_F(PrinterEntryTest, FindsByNameIgnoringCase) {
    std::string strPath = "untouched";
    EXPECT_EQ(FindPrinterEntry("Printer One", false, &strPath), kFindNoBaseKey);
    MakeEntry(kLocalTargetKey, kEntry0, nullptr);
    MakeEntry(kLocalTargetKey, kEntry1, "Printer One");
    MakeEntry(kLocalTargetKey, kEntry2, "printer TWO");
    EXPECT_EQ(FindPrinterEntry("Printer", false, &strPath), kFindNotFound);
    // The entry without a name matches no name, not even an empty one.
    EXPECT_EQ(FindPrinterEntry("", false, &strPath), kFindNotFound);
    EXPECT_EQ(FindPrinterEntry("Printer One", true, &strPath), kFindNoBaseKey);
    EXPECT_EQ(strPath, "untouched");
    EXPECT_EQ(FindPrinterEntry("PRINTER two", false, &strPath), kFindFound);
    EXPECT_EQ(strPath, Local(kEntry2));
}

TEST_F(PrinterEntryTest, PathsBeyond259CharactersAreNotFound) {
    const size_t cchBase = strlen(kLocalTargetKey) + 1;
    const struct {
        size_t cchPath;
        int iExpected;
    } kCases[] = {{259, kFindFound}, {260, kFindNotFound}, {cchBase + 255, kFindNotFound}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.cchPath);
        const std::string strSubKey(c.cchPath - cchBase, 'L');
        MakeEntry(kLocalTargetKey, strSubKey.c_str(), "Long printer");
        std::string strPath = "untouched";
        EXPECT_EQ(FindPrinterEntry("Long printer", false, &strPath), c.iExpected);
        EXPECT_EQ(strPath, c.iExpected == kFindFound ? Local(strSubKey) : "untouched");
        OpenEntry(kLocalTargetKey).DeleteTree(strSubKey.c_str());
    }
}

TEST_F(PrinterEntryTest, StaleLocalEntriesGoWithoutANetworkKey) {
    // Live entries between the stale ones: the walk skips the entry that
    // moves into a deleted one's place.
    MakeEntry(kLocalTargetKey, "P0000000000000010", nullptr);
    MakeEntry(kLocalTargetKey, "P0000000000000011", kSamplePrinter);
    MakeEntry(kLocalTargetKey, "P0000000000000012", "");
    MakeEntry(kLocalTargetKey, "P0000000000000013", kSamplePrinter);
    MakeEntry(kLocalTargetKey, "P0000000000000014", "PLX no such printer");
    MakeEntry(kLocalTargetKey, "P0000000000000015", kSamplePrinter);
    ASSERT_FALSE(RegistryKey(HKEY_CURRENT_USER, kNetworkTargetKey, false).IsOpen());
    RemoveStaleEntries();
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), (Names{"P0000000000000011", "P0000000000000013", "P0000000000000015"}));
}

TEST_F(PrinterEntryTest, OnePassRemovesTheFirstOfTwoAdjacentStaleEntries) {
    MakeEntry(kLocalTargetKey, kEntry0, "PLX gone printer 1");
    MakeEntry(kLocalTargetKey, kEntry1, "PLX gone printer 2");
    MakeEntry(kLocalTargetKey, kEntry2, kSamplePrinter);
    RemoveStaleEntries();
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), (Names{kEntry1, kEntry2}));
    RemoveStaleEntries();
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), Names{kEntry2});
}

// Wine's SetPrinter level 2 takes empty fields: a printer without driver
// or print processor.
bool SetPrinterField(const std::string& strPrinter, char* PRINTER_INFO_2A::*pField, const char* pszValue) {
    return EditPrinterInfo(strPrinter, [&](PRINTER_INFO_2A& info) { info.*pField = const_cast<char*>(pszValue); });
}

TEST_F(PrinterEntryTest, PrinterWithoutDriverOrPrintProcessorIsStale) {
    TestDriver driver("stale", StandardSetupBody("PX-T"));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    const struct {
        const char* pszName;
        char* PRINTER_INFO_2A::*pField;
        std::string strRestore;
    } kCases[] = {{"no print processor", &PRINTER_INFO_2A::pPrintProcessor, "WinPrint"},
                  {"no driver name", &PRINTER_INFO_2A::pDriverName, driver.DriverName()}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        MakeEntry(kLocalTargetKey, kEntry0, driver.PrinterName().c_str());
        RemoveStaleEntries();
        ASSERT_EQ(SubKeysOf(kLocalTargetKey), Names{kEntry0});
        ASSERT_TRUE(SetPrinterField(driver.PrinterName(), c.pField, ""));
        RemoveStaleEntries();
        EXPECT_EQ(SubKeysOf(kLocalTargetKey), Names{});
        ASSERT_TRUE(SetPrinterField(driver.PrinterName(), c.pField, c.strRestore.c_str()));
    }
}

TEST_F(PrinterEntryTest, NetworkEntriesGoOnlyWithoutName) {
    MakeEntry(kNetworkTargetKey, "P0000000000000010", nullptr);
    MakeEntry(kNetworkTargetKey, "P0000000000000011", "NET_PORT_A");
    MakeEntry(kNetworkTargetKey, "P0000000000000012", "");
    MakeEntry(kNetworkTargetKey, "P0000000000000013", "NET_PORT_B");
    RemoveStaleEntries();
    EXPECT_EQ(SubKeysOf(kNetworkTargetKey), (Names{"P0000000000000011", "P0000000000000013"}));
}

TEST_F(PrinterEntryTest, SamplePrinterWithoutItsCoreModule) {
    char szModule[MAX_PATH] = {};
    GetModulePath(szModule, sizeof(szModule), PlxModule::Core, kSampleDriver, "PX-100", kSamplePrinter);
    ASSERT_NE(*szModule, '\0') << "sample not installed";
    ASSERT_EQ(GetFileAttributesA(szModule), INVALID_FILE_ATTRIBUTES) << "the sample now ships " << szModule;

    EXPECT_EQ(Target(kSamplePrinter, "FILE:", "PX-100"), kTargetModuleNotLoaded);
    EXPECT_FALSE(m_bNetwork);
    EXPECT_FALSE(m_bCreated);
    EXPECT_EQ(m_strPath, Local(kEntry0));
    EXPECT_EQ(Target(kSamplePrinter, "FILE:", "PX-100"), kTargetFound);
    EXPECT_FALSE(m_bCreated);
    EXPECT_EQ(m_strPath, Local(kEntry0));
}

TEST_F(PrinterEntryTest, NetworkPrinterIsKeyedByPort) {
    // No printer, so no driver and no core module for the defaults.
    EXPECT_EQ(Target("", "NET_PORT_1", "PX-100"), kTargetModuleNotLoaded);
    EXPECT_TRUE(m_bNetwork);
    EXPECT_EQ(m_strPath, Network(kEntry0));
    EXPECT_EQ(OpenEntry(m_strPath).GetString(kEntryName, ""), "NET_PORT_1");
    EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER, kLocalTargetKey, false).IsOpen());
    EXPECT_EQ(Target(nullptr, "NET_PORT_1", "PX-100"), kTargetFound);
    EXPECT_EQ(m_strPath, Network(kEntry0));

    EXPECT_EQ(Target("", "", "PX-100"), kTargetNotCreated);
    EXPECT_FALSE(m_bNetwork);
    EXPECT_FALSE(m_bCreated);
    EXPECT_EQ(m_strPath, "");
    EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER, kLocalTargetKey, false).IsOpen());
}

// A test driver whose data file names its core module in a folder of ours.
std::string ModuleSetupBody(const std::string& strInstallFolder, const std::string& strDataFile) {
    return "REGENTER=DRV,\"InstallPath\",\"" + strInstallFolder + "\"\r\nREGENTER=DRV,\"Profile\",\"" +
           strDataFile + "\"\r\n";
}

TEST_F(PrinterEntryTest, CoreModuleWithoutTheExport) {
    TempFolder folder("noexport");
    ASSERT_TRUE(WriteTextFile(folder.File("MODEL.INI"), "[PX-T]\r\nPrnDll=PLXBMP.DLL\r\n"));
    TestDriver driver("noexp", ModuleSetupBody(ProgramFolder() + "\\driverpkg", folder.File("MODEL.INI")));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    EXPECT_EQ(Target(driver.PrinterName().c_str(), "FILE:", "PX-T"), kTargetNoExport);
    EXPECT_FALSE(m_bCreated);
    EXPECT_EQ(m_strPath, Local(kEntry0));
}

TEST_F(PrinterEntryTest, CoreModuleWritesTheDefaultsOfANewEntry) {
    TempFolder folder("recorder");
    ASSERT_TRUE(WriteTextFile(folder.File("MODEL.INI"), std::string("[PX-T]\r\nPrnDll=") + kRecorderModule + "\r\n"));
    TestDriver driver("rec", ModuleSetupBody(ProgramFolder(), folder.File("MODEL.INI")));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    const struct {
        DWORD dwExportResult;
        bool bCreated;
    } kCases[] = {{0, true}, {kDefaultsWithoutNotify, false}, {kDefaultsEntryNotOpened, false}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.dwExportResult);
        OpenEntry(kPlxDataKey).DeleteTree("KVLTarget");
        RegistryKey(HKEY_CURRENT_USER, kRecorderKey, true).SetNumber("Result", c.dwExportResult);
        RegistryKey(HKEY_CURRENT_USER, kRecorderKey, true).SetNumber("Calls", 0);

        EXPECT_EQ(Target(driver.PrinterName().c_str(), "FILE:", "PX-T"), static_cast<int>(c.dwExportResult));
        EXPECT_EQ(m_bCreated, c.bCreated);
        EXPECT_EQ(m_strPath, Local(kEntry0));
        const RegistryKey record(HKEY_CURRENT_USER, kRecorderKey, false);
        EXPECT_EQ(record.GetNumber("Calls", 0), 1u);
        EXPECT_EQ(record.GetString("Printer", ""), driver.PrinterName());
        EXPECT_EQ(record.GetString("Driver", ""), driver.DriverName());
        EXPECT_EQ(record.GetString("Port", ""), "FILE:");
        EXPECT_EQ(record.GetString("Model", ""), "PX-T");
        EXPECT_EQ(record.GetString("DataFile", "(null)"), "(null)");

        // An existing entry keeps its settings: the module is not called.
        EXPECT_EQ(Target(driver.PrinterName().c_str(), "FILE:", "PX-T"), kTargetFound);
        EXPECT_FALSE(m_bCreated);
        EXPECT_EQ(record.GetNumber("Calls", 0), 1u);
    }
}

TEST_F(PrinterEntryTest, CrashingCoreModuleDoesNotTakeTheCallerDown) {
    TempFolder folder("crash");
    ASSERT_TRUE(WriteTextFile(folder.File("MODEL.INI"), std::string("[PX-T]\r\nPrnDll=") + kRecorderModule + "\r\n"));
    TestDriver driver("crash", ModuleSetupBody(ProgramFolder(), folder.File("MODEL.INI")));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    RegistryKey(HKEY_CURRENT_USER, kRecorderKey, true).SetNumber("Raise", 1);
    EXPECT_EQ(Target(driver.PrinterName().c_str(), "FILE:", "PX-T"), kQbFault);
    EXPECT_FALSE(m_bCreated);
    // The entry was made before the module ran; it stays.
    EXPECT_EQ(m_strPath, Local(kEntry0));
}

TEST_F(PrinterEntryTest, MonitoringEntryIsFoundBehindAGap) {
    // P0 went in a stale cleanup; printer B kept P1.
    const std::string strEntryB = MakeEntry(kLocalTargetKey, kEntry1, "Printer B");
    OpenEntry(strEntryB).SetNumber(kEntrySetting, 3);
    OpenEntry(strEntryB).SetNumber(kEntryTimer, 99);
    std::string strPath;
    EXPECT_EQ(CreateMonitoringReg("PRINTER B", &strPath), 0);
    EXPECT_EQ(strPath, strEntryB);
    EXPECT_EQ(SubKeysOf(kLocalTargetKey), Names{kEntry1});
    const RegistryKey entry = OpenEntry(strEntryB);
    EXPECT_EQ(entry.GetString(kEntryName, ""), "PRINTER B");
    EXPECT_EQ(entry.GetNumberOrMinusOne(kEntrySetting), 0);
    EXPECT_EQ(entry.GetNumberOrMinusOne(kEntryTimer), 10);

    EXPECT_EQ(CreateMonitoringReg("Printer C", &strPath), 0);
    EXPECT_EQ(strPath, Local(kEntry0));
    EXPECT_EQ(CreateMonitoringReg("", &strPath), -1);
}

TEST_F(PrinterEntryTest, DefaultRegistryFromTheModelDataFile) {
    MakeEntry(kLocalTargetKey, kEntry0, "PLX gone printer");
    EXPECT_EQ(CreateDefaultRegistry(kSamplePrinter, kSampleDriver, "PX-100"), kDefaultsWritten);
    // The stale entry went first, so the sample takes its number.
    ASSERT_EQ(SubKeysOf(kLocalTargetKey), Names{kEntry0});
    const RegistryKey entry = OpenEntry(Local(kEntry0));
    EXPECT_EQ(entry.GetString(kEntryName, ""), kSamplePrinter);
    EXPECT_EQ(entry.GetNumber(kEntrySoundNotifyEnable, 9), 1u);
    EXPECT_EQ(entry.GetNumber(kEntryTrayIconEnable, 9), 1u);
    EXPECT_EQ(entry.GetNumber(kEntryTrayIconSelected, 9), 0u);
    const RegistryKey notify(entry.Handle(), kEntryNotifyKey, false);
    EXPECT_EQ(notify.GetNumber("000", 9), 1u);
    EXPECT_EQ(notify.GetNumber("001", 9), 1u);
    EXPECT_EQ(notify.GetNumber("002", 9), 0u);

    EXPECT_EQ(CreateDefaultRegistry(kSamplePrinter, "", "PX-100"), kDefaultRegistryNoDataFile);
    EXPECT_EQ(CreateDefaultRegistry("", kSampleDriver, "PX-100"), kDefaultRegistryNoEntry);
}

}  // namespace
