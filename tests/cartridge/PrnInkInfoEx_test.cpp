// Cartridge texts of a printer's slots against the real spooler, a test
// driver's VIF file, model data files with cartridge tables, the sample
// resource module and the real registry's IO_URL keys.
#include "core/cartridge/PrnInkInfoEx.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "common/datafile/SetupDataFile.h"
#include "common/registry/DriverRegistryKey.h"
#include "common/registry/RegistryKey.h"
#include "sim/installer/DriverInstall.h"
#include "tests/cartridge/CartridgeTestUtil.h"
#include "tests/cartridge/CsicTestUtil.h"
#include "tests/support/ScratchRegistry.h"

namespace {

constexpr char kPoison[] = "poison";
constexpr uint16_t kCyan = 3;
constexpr uint16_t kMagenta = 4;
constexpr uint16_t kBlack = 1;
constexpr uint16_t kStandard = 1;  // size codes
constexpr uint16_t kLarge = 2;
constexpr uint16_t kUnknownSize = 9;
constexpr char kCyanVertical[] = "KI-21C\r\nKI-21XLC";
constexpr char kCyanLargeVertical[] = "KAVRO KI-21XLC\r\nHigh capacity";

// The VIF file has no MA key: magenta has no type text.
constexpr char kInkInfoSection[] =
    "[InkInfo]\r\n"
    "BK=KI-21BK/KI-21XLBK\r\n"
    "CY=KI-21C/KI-21XLC\r\n"
    "YE=KI-21Y/KI-21XLY\r\n";

std::string Line(const std::string& strKey, const std::string& strDecoded) {
    return strKey + "=" + HexText(strDecoded) + "\r\n";
}

std::string CsicSection() {
    return "[CSIC]\r\n" + Line("BLACK00", "1,1,@ KI-21BK") + Line("COLOR00", "3,1,@ KI-21C") +
           Line("COLOR01", "3,2,@ KI-21XLC/High capacity");
}

// Each test writes the model data file it needs.
class PrnInkInfoExTest : public SuiteDriverTest<PrnInkInfoExTest> {
public:
    static constexpr char kTag[] = "piix";
    static std::string DataFileSections() { return kInkInfoSection; }

protected:
    const char* WriteDataFile(const std::string& strText) {
        EXPECT_TRUE(WriteTextFile(m_strDataFile, strText));
        return m_strDataFile.c_str();
    }

    TempFolder m_folder{"piix"};
    const std::string m_strDataFile = m_folder.File("MODEL.INI");
};

TEST_F(PrnInkInfoExTest, StatusAndCheckTextsOfASlot) {
    CPrnInkInfoEx info(Printer(), m_english.get());
    StatusRecord record;
    record.InkCode = {kCyan, kMagenta, 5, kBlack, 7, 8, 9, 10, 11, 12};
    StatusRecord swapped = record;
    swapped.InkCode[0] = kBlack;  // a code the cyan slot does not take

    struct Case {
        const char* pszName;
        const StatusRecord* pRecord;  // null: GetSlotCartridgeText
        int iSlot;
        int iExpected;
        std::string strExpected;
    };
    const Case kCases[] = {
        {"cyan", &record, 0, 1, "Cyan: KI-21C/KI-21XLC"},
        {"black", &record, 3, 1, "Black: KI-21BK/KI-21XLBK"},
        {"magenta has no VIF text", &record, 1, 0, kPoison},
        {"ink code of another slot", &swapped, 0, 0, kPoison},
        {"slot beyond the table", &record, 4, 0, kPoison},
        {"slot beyond the record", &record, 10, 0, kPoison},
        {"negative slot", &record, -1, 0, kPoison},
        {"check text, yellow", nullptr, 2, 1, "Yellow ink cartridge KI-21Y/KI-21XLY"},
        {"check text, magenta", nullptr, 1, 0, kPoison},
        {"check text, slot 4", nullptr, 4, 0, kPoison},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszName);
        std::string strText = kPoison;
        const int iResult = c.pRecord ? info.GetStatusCartridgeText(*c.pRecord, c.iSlot, strText)
                                      : info.GetSlotCartridgeText(c.iSlot, strText);
        EXPECT_EQ(iResult, c.iExpected);
        EXPECT_EQ(strText, c.strExpected);
    }
}

TEST_F(PrnInkInfoExTest, OrderTexts) {
    const UniqueHModule stringless = LoadSampleModule(kStringlessModule);
    ASSERT_TRUE(stringless);
    struct Case {
        const char* pszName;
        HMODULE hModule;
        uint16_t wInkCode;
        int iSlot;
        int iExpected;
        std::string strName;
        std::string strType;
    };
    const Case kCases[] = {
        {"cyan", m_english.get(), kCyan, 0, 1, "Cyan", kCyanVertical},
        // Found by the table even without a VIF text or a name string.
        {"magenta without VIF text", m_english.get(), kMagenta, 1, 1, "Magenta", ""},
        {"module without strings", stringless.get(), kCyan, 0, 1, "", kCyanVertical},
        {"ink code of another slot", m_english.get(), kBlack, 0, 0, kPoison, kPoison},
        {"negative slot", m_english.get(), kCyan, -1, 0, kPoison, kPoison},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszName);
        std::string strName = kPoison;
        std::string strType = kPoison;
        EXPECT_EQ(CPrnInkInfoEx(Printer(), c.hModule).GetOrderCartridgeText(c.wInkCode, c.iSlot, strName, strType),
                  c.iExpected);
        EXPECT_EQ(strName, c.strName);
        EXPECT_EQ(strType, c.strType);
    }
}

struct VerticalCase {
    const char* pszName;
    uint16_t wInkCode;
    uint16_t wSizeCode;
    int iSlot;
    int iExpected;
    std::string strExpected;
};

void ExpectVertical(const CPrnInkInfoEx& info, const VerticalCase& c) {
    SCOPED_TRACE(c.pszName);
    std::string strText = kPoison;
    EXPECT_EQ(info.GetInkCartVertical(c.wInkCode, c.wSizeCode, c.iSlot, strText), c.iExpected);
    EXPECT_EQ(strText, c.strExpected);
}

TEST_F(PrnInkInfoExTest, TypeTextFromTheDataFileThenTheVifFile) {
    // Its 65 slashes and 60 marks cut to 255 characters would need 320 with
    // their line breaks: too long for the text, so the entry is passed over.
    const std::string strOverlong = Line("COLOR09", "3,7," + std::string(65, '/') + std::string(60, '@'));
    const char* pszDataFile = WriteDataFile(
        CsicSection() + strOverlong + "[CSIC2]\r\n" + Line("000", "3,0,1,0,COLOR00") +
        Line("001", "3,0,2,0,NOSUCH") +   // names a missing CSIC key: the scan goes on
        Line("002", "3,9,2,0,COLOR01") +  // m2 plays no part
        Line("003", "1,0,1,3,BLACK00") + Line("004", "3,0,3,0") + "005=4\r\n" + Line("006", "3,0,7,0,COLOR09"));
    const CPrnInkInfoEx info(Printer(), pszDataFile, m_english.get());
    const VerticalCase kCases[] = {
        {"cyan standard", kCyan, kStandard, 0, 1, "KAVRO KI-21C"},
        {"cyan large, after an entry without type", kCyan, kLarge, 0, 1, kCyanLargeVertical},
        {"black standard", kBlack, kStandard, 3, 1, "KAVRO KI-21BK"},
        {"size of no entry: the VIF text", kCyan, kUnknownSize, 0, 1, kCyanVertical},
        {"entry without key name: the VIF text", kCyan, 3, 0, 1, kCyanVertical},
        {"type too long with its line breaks: the VIF text", kCyan, 7, 0, 1, kCyanVertical},
        {"no entry, no VIF text: found, empty", kMagenta, kStandard, 1, 1, ""},
        {"no entry, no slot row", kCyan, kStandard, 1, 0, kPoison},
        {"negative slot", kCyan, kStandard, -1, 0, kPoison},
    };
    for (const VerticalCase& c : kCases) ExpectVertical(info, c);
}

TEST_F(PrnInkInfoExTest, ScanStopsAtTheFirstMissingKey) {
    // 001 is missing, so the matching 002 is never read.
    const char* pszDataFile =
        WriteDataFile(CsicSection() + "[CSIC2]\r\n" + Line("000", "1,0,1,3,BLACK00") + Line("002", "3,0,2,0,COLOR01"));
    ExpectVertical(CPrnInkInfoEx(Printer(), pszDataFile, m_english.get()),
                   {"002 after a gap", kCyan, kLarge, 0, 1, kCyanVertical});
    ExpectVertical(CPrnInkInfoEx(Printer(), pszDataFile, m_english.get()),
                   {"000 before the gap", kBlack, kStandard, 3, 1, "KAVRO KI-21BK"});
    // Without a data file, or a printer, only the VIF file is left.
    ExpectVertical(CPrnInkInfoEx(Printer(), m_english.get()), {"no data file", kCyan, kLarge, 0, 1, kCyanVertical});
    ExpectVertical(CPrnInkInfoEx("PLX no such printer", pszDataFile, m_english.get()),
                   {"no printer", kCyan, kLarge, 0, 1, ""});
}

TEST(SamplePackage, CartridgeTextsOfTheSamplePrinter) {
    const std::optional<DriverFiles> files = DriverFilesForDriver(kSampleDriver);
    ASSERT_TRUE(files) << "sample not installed";
    const UniqueHModule english = LoadSampleModule(kEnglishModule);
    const CPrnInkInfoEx info(kSamplePrinter, (files->strFolder + "\\PX100.INI").c_str(), english.get());
    for (const CartridgeSlotRow& row : kCartridgeSlotTable) {
        SCOPED_TRACE(row.Slot);
        std::string strStandard;
        std::string strLarge;
        EXPECT_EQ(info.GetInkCartVertical(row.InkCode, kStandard, row.Slot, strStandard), 1);
        EXPECT_EQ(info.GetInkCartVertical(row.InkCode, kLarge, row.Slot, strLarge), 1);
        EXPECT_EQ(strStandard.rfind("KAVRO KI-21", 0), 0u) << strStandard;
        EXPECT_NE(strLarge.find("XL"), std::string::npos) << strLarge;
        EXPECT_NE(strLarge.find("\r\n"), std::string::npos) << strLarge;
    }
    StatusRecord record;
    record.InkCode[0] = kCyan;
    std::string strText;
    EXPECT_EQ(CPrnInkInfoEx(kSamplePrinter, english.get()).GetStatusCartridgeText(record, 0, strText), 1);
    EXPECT_EQ(strText, "Cyan: KI-21C/KI-21XLC");
}

std::string IoUrlKeyOf(const std::string& strName) { return "software\\KAVRO\\" + strName + " IO_URL"; }

TEST_F(PrnInkInfoExTest, RegistryOverridesTheOrderTexts) {
    WriteDataFile(CsicSection() + "[CSIC2]\r\n" + Line("000", "3,0,2,0,COLOR01"));
    struct Case {
        const char* pszName;
        std::vector<std::pair<const char*, const char*>> values;  // of the IO_URL key; none: no key
        int iSlot;
        uint16_t wInkCode;
        int iExpected;
        std::string strName;
        std::string strType;
    };
    const Case kCases[] = {
        {"no key: order name and type text", {}, 0, kCyan, 1, "Cyan", kCyanLargeVertical},
        {"name only: the type stays the caller's", {{"011", "Cyan value pack"}}, 0, kCyan, 1, "Cyan value pack",
         kPoison},
        {"name and type", {{"011", "Cyan value pack"}, {"111", "VP-21C"}}, 0, kCyan, 1, "Cyan value pack", "VP-21C"},
        {"empty name: the defaults", {{"011", ""}, {"111", "VP-21C"}}, 0, kCyan, 1, "Cyan", kCyanLargeVertical},
        {"slot 1 reads 012 and 112", {{"011", "wrong"}, {"012", "Magenta pack"}, {"112", "VP-21M"}}, 1, kMagenta, 1,
         "Magenta pack", "VP-21M"},
        {"slot 3 reads 014", {{"014", "Black pack"}}, 3, kBlack, 1, "Black pack", kPoison},
        {"ink code of another slot", {{"011", "Cyan value pack"}}, 0, kBlack, 0, kPoison, kPoison},
        {"negative slot", {{"011", "Cyan value pack"}}, -1, kCyan, 0, kPoison, kPoison},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszName);
        ScopedMachineKey key(IoUrlKeyOf(s_driver->DriverName()));
        for (const auto& [pszValue, pszText] : c.values) ASSERT_TRUE(key.Set(pszValue, pszText));
        std::string strName = kPoison;
        std::string strType = kPoison;
        EXPECT_EQ(CPrnInkInfoEx(Printer(), m_strDataFile.c_str(), m_english.get())
                      .GetVendCartridgeSx(c.wInkCode, kLarge, c.iSlot, strName, strType),
                  c.iExpected);
        EXPECT_EQ(strName, c.strName);
        EXPECT_EQ(strType, c.strType);
    }
}

// Stand-in of the driver recognition's registry functions: they open the
// key under a prefix of their own.
constexpr char kRoutedPrefix[] = "Software\\PLXTests\\Routed\\";
LONG WINAPI RoutedOpenKeyEx(HKEY hKey, LPCSTR pszSubKey, DWORD dwOptions, REGSAM samDesired, PHKEY phkResult) {
    return RegOpenKeyExA(hKey, (kRoutedPrefix + std::string(pszSubKey ? pszSubKey : "")).c_str(), dwOptions,
                         samDesired, phkResult);
}
constexpr DriverRegistryFunctions kRoutedTable = {nullptr, RoutedOpenKeyEx, RegCloseKey, RegQueryValueExA};

class IoUrlTest : public PrnInkInfoExTest {
protected:
    void TearDown() override { SetDriverRegistryRoute(nullptr); }

    ScopedMachineKey m_ioUrl{IoUrlKeyOf(s_driver->DriverName())};
};

TEST_F(IoUrlTest, ByPrinterOrByName) {
    ASSERT_TRUE(m_ioUrl.Set("011", "by driver"));
    struct Case {
        const char* pszName;
        std::string strName;
        int iMode;
        const char* pszValue;
        int iExpected;
        std::string strText;
    };
    const Case kCases[] = {
        {"printer's driver", s_driver->PrinterName(), kIoUrlByPrinter, "011", 1, "by driver"},
        {"key name", s_driver->DriverName(), kIoUrlByName, "011", 1, "by driver"},
        {"driver name taken for a printer", s_driver->DriverName(), kIoUrlByPrinter, "011", 0, ""},
        {"printer name taken for a key", s_driver->PrinterName(), kIoUrlByName, "011", 0, ""},
        {"missing value", s_driver->PrinterName(), kIoUrlByPrinter, "111", 0, ""},
        {"unknown mode", s_driver->DriverName(), 3, "011", 0, ""},
        {"no printer", "PLX no such printer", kIoUrlByPrinter, "011", 0, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszName);
        std::string strText = kPoison;
        EXPECT_EQ(CPrnInkInfoEx::GetIoUrlValue(c.pszValue, c.strName.c_str(), c.iMode, strText), c.iExpected);
        EXPECT_EQ(strText, c.strText);
    }
}

TEST_F(IoUrlTest, DriverRouteWhenThePlainKeyIsMissing) {
    const std::string strName = s_driver->DriverName() + " routed";
    ScopedMachineKey routed(kRoutedPrefix + IoUrlKeyOf(strName));
    ASSERT_TRUE(routed.Set("011", "through the route"));
    SetDriverRegistryRoute(&kRoutedTable);
    std::string strText;
    EXPECT_EQ(CPrnInkInfoEx::GetIoUrlValue("011", strName.c_str(), kIoUrlByName, strText), 1);
    EXPECT_EQ(strText, "through the route");

    // A plain key is taken as it is, even without the value.
    ScopedMachineKey plain(IoUrlKeyOf(strName));
    ASSERT_TRUE(plain.Set("111", "plain"));
    EXPECT_EQ(CPrnInkInfoEx::GetIoUrlValue("011", strName.c_str(), kIoUrlByName, strText), 0);
    EXPECT_EQ(strText, "");
}

}  // namespace
