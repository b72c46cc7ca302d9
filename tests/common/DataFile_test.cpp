// Model data file, language choice and module paths on real files.
#include "common/datafile/DataFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/datafile/LanguageTable.h"
#include "common/base/UniqueHandle.h"
#include "sim/resources/PlxResStrings.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr uint16_t kGerman = 0x0407;
constexpr uint16_t kJapanese = 0x0411;
constexpr uint16_t kEnglishUs = 0x0409;
constexpr uint16_t kEnglishUk = 0x0809;
constexpr uint16_t kFrench = 0x040C;

TEST(LanguageTable, ParsesProfileSectionText) {
    static const char kSection[] = "ENU=09,01\0DEU = 7 , 1 ,x\0bad\0=09,01\0JPN=11\0XX=zz,1\0\0IGN=1,1";
    const auto lines = ParseLanguageSection(std::string_view(kSection, sizeof(kSection) - 1));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].strSection, "ENU");
    EXPECT_EQ(lines[0].dwPrimary, 9u);
    EXPECT_EQ(lines[1].strSection, "DEU");
    EXPECT_EQ(lines[1].dwPrimary, 7u);
    EXPECT_EQ(lines[1].dwSub, 1u);
}

TEST(LanguageTable, ChoosesExactThenPrimaryThenEnglishThenFirst) {
    const auto lines = ParseLanguageSection("JPN=11,01\nENG=09,02\nENU=09,01\nDEU=07,01\n");
    const struct {
        uint16_t wLangId;
        int iExpected;
    } kCases[] = {{kEnglishUs, 2}, {kEnglishUk, 1}, {kGerman, 3}, {0x0807, 3}, {kFrench, 1}, {kJapanese, 0}};
    for (const auto& c : kCases) EXPECT_EQ(ChooseLanguageLine(lines, c.wLangId), c.iExpected) << c.wLangId;
    EXPECT_EQ(ChooseLanguageLine(ParseLanguageSection("JPN=11,01\nKOR=12,01\n"), kFrench), 0);
    EXPECT_EQ(ChooseLanguageLine({}, kFrench), -1);
}

// A data file in a folder of its own, with the resource modules it names
// present or not.
class LanguageSectionTest : public ::testing::Test {
protected:
    std::string Write(const std::string& strText) {
        const std::string strPath = m_folder.File("MODEL.INI");
        WriteTextFile(strPath, strText);
        return strPath;
    }
    void AddModule(const char* pszName) { WriteTextFile(m_folder.File(pszName), "MZ"); }
    TempFolder m_folder{"lang"};
};

TEST_F(LanguageSectionTest, JapaneseOnlyTableForAGermanUser) {
    const std::string strFile = Write(
        "[Language]\nJPN=11,01\nJP2=11,02\n[JPN]\nResDll=RES_J.DLL\n[JP2]\nResDll=RES_J2.DLL\n");
    AddModule("RES_J.DLL");
    AddModule("RES_J2.DLL");
    EXPECT_EQ(SelectLanguageSectionFor(strFile.c_str(), kGerman), "JPN");
    DeleteFileA(m_folder.File("RES_J.DLL").c_str());
    // The first line's module is gone: English is tried, then every line.
    EXPECT_EQ(SelectLanguageSectionFor(strFile.c_str(), kGerman), "JP2");
    DeleteFileA(m_folder.File("RES_J2.DLL").c_str());
    EXPECT_EQ(SelectLanguageSectionFor(strFile.c_str(), kGerman), "");
}

TEST_F(LanguageSectionTest, FallsBackToEnglishWhenUsersModuleIsMissing) {
    const std::string strFile = Write(
        "[Language]\nDEU=07,01\nENU=09,01\n[DEU]\nResDll=RES_D.DLL\n[ENU]\nResDll=RES_E.DLL\n");
    AddModule("RES_E.DLL");
    EXPECT_EQ(SelectLanguageSectionFor(strFile.c_str(), kGerman), "ENU");
    AddModule("RES_D.DLL");
    EXPECT_EQ(SelectLanguageSectionFor(strFile.c_str(), kGerman), "DEU");
}

TEST_F(LanguageSectionTest, LongSectionIsReadWhole) {
    std::string strText = "[Language]\n";
    for (int i = 0; i < 60; ++i) strText += "L" + std::to_string(i) + "=01,01\n";
    strText += "LAST=07,01\n[LAST]\nResDll=RES_D.DLL\n";
    AddModule("RES_D.DLL");
    EXPECT_EQ(SelectLanguageSectionFor(Write(strText).c_str(), kGerman), "LAST");
}

TEST_F(LanguageSectionTest, MissingFileOrSection) {
    EXPECT_EQ(SelectLanguageSectionFor(m_folder.File("NONE.INI").c_str(), kGerman), "");
    EXPECT_EQ(SelectLanguageSectionFor(Write("[Other]\nx=1\n").c_str(), kGerman), "");
    EXPECT_EQ(SelectLanguageSectionFor("", kGerman), "");
    char szValue[kProfileValueSize];
    EXPECT_EQ(ReadLanguageString("ResDll", szValue, m_folder.File("NONE.INI").c_str()), -1);
    EXPECT_EQ(ReadLanguageNumber("Number", 5, m_folder.File("NONE.INI").c_str()), -1);
}

TEST_F(LanguageSectionTest, ReadsKeysOfTheChosenSection) {
    // The prefix's user language is English (United States).
    const std::string strFile = Write(
        "[Language]\nENU=09,01\n[ENU]\nResDll=RES_E.DLL\nHelpFile=HELP.CHM\nEmpty=\nNumber=42\n");
    AddModule("RES_E.DLL");
    char szValue[kProfileValueSize];
    EXPECT_EQ(ReadLanguageString("HelpFile", szValue, strFile.c_str()), 0);
    EXPECT_STREQ(szValue, "HELP.CHM");
    EXPECT_EQ(ReadLanguageString("Empty", szValue, strFile.c_str()), -1);
    EXPECT_EQ(ReadLanguageString("Missing", szValue, strFile.c_str()), -1);
    EXPECT_EQ(ReadLanguageNumber("Number", 5, strFile.c_str()), 42);
    EXPECT_EQ(ReadLanguageNumber("Missing", 5, strFile.c_str()), 5);
}

// The sample package's model data file and modules, installed for a
// printer of a test driver.
class ModulePathTest : public ::testing::Test {
protected:
    static std::string Body(const std::string& strExtra) {
        return "REGENTER=DRV,\"InstallPath\",DRIVERDIR\r\n" + strExtra;
    }
};

TEST_F(ModulePathTest, DataFileFromProfileValueOrProfileKey) {
    TempFolder folder("profile");
    const std::string strIni = folder.File("MODEL.INI");
    WriteTextFile(strIni, "[PX-T2]\nPrnDll=plxcore.dll\n");
    TestDriver named("dfn", Body("REGENTER=DRV,\"Profile\",\"" + strIni + "\"\r\n"));
    ASSERT_TRUE(named.Installed()) << named.Error();
    char szPath[MAX_PATH];
    EXPECT_EQ(FindDataFile(szPath, sizeof(szPath), named.DriverName().c_str(), "PX-T2", named.PrinterName().c_str()), 1);
    EXPECT_EQ(std::string(szPath), strIni);
    EXPECT_EQ(FindDataFile(szPath, sizeof(szPath), named.DriverName().c_str(), "", named.PrinterName().c_str()), 0);

    // No usable "Profile": the model's value under the Profile key, unchecked.
    TestDriver keyed("dfk", Body("REGPATH=0,0,0,0,0,0,0,\"HKEY_LOCAL_MACHINE\\Software\\KAVRO\\PLX3\\Profile\",PRO\r\n"
                                 "REGENTER=PRO,\"PX-T2\",\"C:\\models\\T2.INI\"\r\n"));
    ASSERT_TRUE(keyed.Installed()) << keyed.Error();
    EXPECT_EQ(FindDataFile(szPath, sizeof(szPath), keyed.DriverName().c_str(), "PX-T2", keyed.PrinterName().c_str()), 1);
    EXPECT_STREQ(szPath, "C:\\models\\T2.INI");
    EXPECT_EQ(FindDataFile(szPath, sizeof(szPath), keyed.DriverName().c_str(), "PX-T2", nullptr), 1);
    EXPECT_EQ(FindDataFile(szPath, sizeof(szPath), keyed.DriverName().c_str(), "PX-T9", nullptr), 0);
}

TEST_F(ModulePathTest, ModulesOfTheSamplePackage) {
    char szPath[MAX_PATH];
    const char* pszDriver = "KAVRO PX-100 Series";
    const char* pszPrinter = "KAVRO PX-100";
    ASSERT_EQ(FindDataFile(szPath, sizeof(szPath), pszDriver, "PX-100", pszPrinter), 1) << "sample not installed";
    const std::string strFolder = std::string(szPath).substr(0, std::string(szPath).rfind('\\') + 1);

    GetModulePath(szPath, sizeof(szPath), PlxModule::Core, pszDriver, "PX-100", pszPrinter);
    EXPECT_EQ(std::string(szPath), strFolder + "plxcore.dll");
    GetModulePath(szPath, sizeof(szPath), PlxModule::Bitmap, pszDriver, "PX-100", pszPrinter);
    EXPECT_EQ(std::string(szPath), strFolder + "PLXBMP.DLL");
    GetModulePath(szPath, sizeof(szPath), PlxModule::Resource, pszDriver, "PX-100", pszPrinter);
    ASSERT_EQ(std::string(szPath), strFolder + "PLXRES_E.DLL");

    // The chosen module is a real resource module in the user's language.
    UniqueHModule module(LoadLibraryExA(szPath, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    char szText[64] = {};
    ASSERT_GT(LoadStringA(module.get(), IDS_RESOURCE_LANGUAGE, szText, sizeof(szText)), 0);
    EXPECT_STREQ(szText, "English");
}

TEST_F(ModulePathTest, OverlongOrMissingModuleNames) {
    TempFolder folder("modnames");
    const std::string strIni = folder.File("MODEL.INI");
    WriteTextFile(strIni, "[PX-T3]\nPrnDll=" + std::string(258, 'a') + "\nBmpDll=" + std::string(257, 'b') + "\n");
    TestDriver driver("mn", Body("REGENTER=DRV,\"Profile\",\"" + strIni + "\"\r\n"));
    ASSERT_TRUE(driver.Installed()) << driver.Error();
    char szPath[1024];
    GetModulePath(szPath, sizeof(szPath), PlxModule::Core, driver.DriverName().c_str(), "PX-T3",
                  driver.PrinterName().c_str());
    EXPECT_STREQ(szPath, "");
    GetModulePath(szPath, sizeof(szPath), PlxModule::Bitmap, driver.DriverName().c_str(), "PX-T3",
                  driver.PrinterName().c_str());
    EXPECT_EQ(strlen(szPath) - std::string(szPath).rfind('\\') - 1, 257u);
    GetModulePath(szPath, sizeof(szPath), PlxModule::Resource, driver.DriverName().c_str(), "PX-T3",
                  driver.PrinterName().c_str());
    EXPECT_STREQ(szPath, "");
}

}  // namespace
