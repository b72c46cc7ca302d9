// Cartridge names and VIF type texts against the real spooler, a test
// driver whose data file is the VIF file, and the sample resource modules.
#include "core/cartridge/PrnInkInfo.h"

#include <gtest/gtest.h>

#include "common/driverinfo/DriverInfo.h"
#include "core/api/ProcessContext.h"
#include "core/cartridge/CartridgeResourceIds.h"
#include "tests/cartridge/CartridgeTestUtil.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestDriver.h"

namespace {

constexpr char kPoison[] = "poison";
const std::string kLongestType(kInkTypeTextMax, 'm');
// Four breaks grow the text by four: 123 characters become 127, which fit
// the buffer with the terminator; 124 become 128, which do not.
const std::string kFittingVertical = std::string(119, 'v') + "////";
const std::string kOverlongVertical = std::string(120, 'w') + "////";

std::string InkInfoSection() {
    return "[InkInfo]\r\n"
           "BK=KI-21BK/KI-21XLBK\r\n"
           "CY=KI-21C/KI-21XLC\r\n"
           "MA=" + kLongestType + "\r\n"
           "YE=" + kLongestType + "y\r\n"
           "LC=\r\n"
           "LM=" + kFittingVertical + "\r\n"
           "DY=" + kOverlongVertical + "\r\n";
}

class PrnInkInfoTest : public SuiteDriverTest<PrnInkInfoTest> {
public:
    static constexpr char kTag[] = "pii";
    static std::string DataFileSections() { return InkInfoSection(); }
};

struct VifCase {
    int iNumber;
    bool bExpected;
    std::string strExpected;  // kPoison: left alone
};

TEST_F(PrnInkInfoTest, ReadsTheInkInfoKeyOfANumber) {
    const VifCase kCases[] = {
        {0, true, "KI-21BK/KI-21XLBK"},
        {2, true, "KI-21C/KI-21XLC"},
        {3, true, kLongestType},
        {4, false, kPoison},  // one character too long
        {5, false, kPoison},  // empty
        {1, false, kPoison},  // no CL key
        {-1, false, kPoison},
        {16, false, kPoison},
    };
    const std::string strFile = s_driver->DataFilePath();
    for (const VifCase& c : kCases) {
        SCOPED_TRACE(c.iNumber);
        std::string strValue = kPoison;
        EXPECT_EQ(CPrnInkInfo::ReadInkInfoKey(strFile.c_str(), c.iNumber, strValue), c.bExpected);
        EXPECT_EQ(strValue, c.strExpected);
        // Through the printer, the driver's data file is the same file.
        strValue = kPoison;
        EXPECT_EQ(CPrnInkInfo::GetVifInkInfo(Printer(), c.iNumber, strValue), c.bExpected);
        EXPECT_EQ(strValue, c.strExpected);
    }
}

TEST_F(PrnInkInfoTest, VerticalTypeTextsFitTheirBuffer) {
    const VifCase kCases[] = {
        {2, true, "KI-21C\r\nKI-21XLC"},
        {3, true, kLongestType},
        {6, true, std::string(119, 'v') + "\r\n\r\n\r\n\r\n"},
        {7, false, kPoison},
        {1, false, kPoison},
    };
    for (const VifCase& c : kCases) {
        SCOPED_TRACE(c.iNumber);
        std::string strValue = kPoison;
        EXPECT_EQ(CPrnInkInfo::GetVifInkInfoVertical(Printer(), c.iNumber, strValue), c.bExpected);
        EXPECT_EQ(strValue, c.strExpected);
    }
}

TEST_F(PrnInkInfoTest, NoPrinterNoTypeText) {
    std::string strPrinter;
    {
        TestDriver gone("piigone", StandardSetupBody(kSampleModel), InkInfoSection());
        ASSERT_TRUE(gone.Installed()) << gone.Error();
        strPrinter = gone.PrinterName();
        std::string strValue;
        ASSERT_TRUE(CPrnInkInfo::GetVifInkInfo(strPrinter.c_str(), 2, strValue));
    }
    CPrnInkInfo info(m_english.get());
    for (const char* pszPrinter : {strPrinter.c_str(), "PLX no such printer", "", static_cast<const char*>(nullptr)}) {
        SCOPED_TRACE(pszPrinter ? pszPrinter : "(null)");
        std::string strValue = kPoison;
        EXPECT_FALSE(CPrnInkInfo::GetVifInkInfo(pszPrinter, 2, strValue));
        EXPECT_FALSE(CPrnInkInfo::GetVifInkInfoVertical(pszPrinter, 2, strValue));
        EXPECT_EQ(strValue, kPoison);
        EXPECT_EQ(info.GetCardridgeTypeNum(pszPrinter, IDS_STATUS_CARTRIDGE_CYAN, 2), nullptr);
    }
}

TEST_F(PrnInkInfoTest, NameStringsOfTheResourceModule) {
    const UniqueHModule stringless = LoadSampleModule(kStringlessModule);
    ASSERT_TRUE(stringless);
    struct Case {
        HMODULE hModule;
        UINT uId;
        bool bExpected;
        std::string strExpected;
    };
    const Case kCases[] = {
        {m_english.get(), IDS_STATUS_CARTRIDGE_CYAN, true, "Cyan: "},
        {m_english.get(), IDS_CHECK_CARTRIDGE_BLACK, true, "Black ink cartridge "},
        {m_english.get(), IDS_ORDER_CARTRIDGE_YELLOW, true, "Yellow"},
        {m_english.get(), 4154, false, kPoison},
        {stringless.get(), IDS_STATUS_CARTRIDGE_CYAN, false, kPoison},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.uId);
        std::string strName = kPoison;
        EXPECT_EQ(CPrnInkInfo(c.hModule).GetCardridgeTypeName(c.uId, strName), c.bExpected);
        EXPECT_EQ(strName, c.strExpected);
    }
}

TEST_F(PrnInkInfoTest, TypeNumKeepsItsTextUntilTheNextSuccess) {
    CPrnInkInfo info(m_english.get());
    EXPECT_EQ(info.GetCardridgeTypeNum(Printer(), IDS_STATUS_CARTRIDGE_CYAN, 1), nullptr) << "no CL key";
    const char* pszCyan = info.GetCardridgeTypeNum(Printer(), IDS_STATUS_CARTRIDGE_CYAN, 2);
    ASSERT_NE(pszCyan, nullptr);
    EXPECT_STREQ(pszCyan, "Cyan: KI-21C/KI-21XLC");

    // Failures of each kind return null and leave the last text as it was.
    EXPECT_EQ(info.GetCardridgeTypeNum(Printer(), 4154, 2), nullptr);
    EXPECT_EQ(info.GetCardridgeTypeNum(Printer(), IDS_STATUS_CARTRIDGE_BLACK, 1), nullptr);
    EXPECT_EQ(info.GetCardridgeTypeNum("PLX no such printer", IDS_STATUS_CARTRIDGE_BLACK, 0), nullptr);
    EXPECT_STREQ(pszCyan, "Cyan: KI-21C/KI-21XLC");

    const char* pszLong = info.GetCardridgeTypeNum(Printer(), IDS_CHECK_CARTRIDGE_MAGENTA, 3);
    ASSERT_NE(pszLong, nullptr);
    EXPECT_EQ(std::string(pszLong), "Magenta ink cartridge " + kLongestType);
}

// With a null module the strings come from the process context's resource
// module, loaded for each lookup.
class DefaultResourceModuleTest : public PrnInkInfoTest {
protected:
    void SetUp() override {
        SuiteDriverTest::SetUp();
        ASSERT_TRUE(m_user.Active());
        ReleaseDriverInfo();
    }
    void TearDown() override {
        SetContextModule("");
        ReleaseDriverInfo();
    }
    // An empty path leaves the context without a resource module.
    static int SetContextModule(const std::string& strModule) {
        return GetProcessContext().m_baseInfo.SetPrinterInformation(
            Printer(), s_driver->DriverName().c_str(), "FILE:", kSampleModel, s_driver->DataFilePath().c_str(),
            strModule.c_str(), nullptr);
    }

    ScratchCurrentUser m_user;  // the context makes the printer's entry
};

TEST_F(DefaultResourceModuleTest, ComesFromTheProcessContext) {
    CPrnInkInfo info;
    std::string strName = kPoison;
    ASSERT_EQ(SetContextModule(""), CBaseInfo::kPartial);
    EXPECT_FALSE(info.GetCardridgeTypeName(IDS_ORDER_CARTRIDGE_CYAN, strName));
    EXPECT_EQ(info.GetCardridgeTypeNum(Printer(), IDS_STATUS_CARTRIDGE_CYAN, 2), nullptr);

    ASSERT_EQ(SetContextModule(ProgramFolder() + "\\driverpkg\\" + kEnglishModule), CBaseInfo::kComplete);
    EXPECT_TRUE(info.GetCardridgeTypeName(IDS_ORDER_CARTRIDGE_CYAN, strName));
    EXPECT_EQ(strName, "Cyan");
    const char* pszText = info.GetCardridgeTypeNum(Printer(), IDS_STATUS_CARTRIDGE_CYAN, 2);
    ASSERT_NE(pszText, nullptr);
    EXPECT_STREQ(pszText, "Cyan: KI-21C/KI-21XLC");

    // A module path that names no file.
    ASSERT_EQ(SetContextModule(ProgramFolder() + "\\driverpkg\\NOSUCH.DLL"), CBaseInfo::kComplete);
    strName = kPoison;
    EXPECT_FALSE(info.GetCardridgeTypeName(IDS_ORDER_CARTRIDGE_CYAN, strName));
    EXPECT_EQ(strName, kPoison);
}

}  // namespace
