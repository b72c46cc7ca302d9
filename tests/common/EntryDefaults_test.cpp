// Writing a model's defaults into a printer entry, from a real data file
// into the (scratch) registry.
#include "common/registry/EntryDefaults.h"

#include <gtest/gtest.h>

#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"
#include "tests/support/ScratchRegistry.h"
#include "tests/support/TestFiles.h"

namespace {

constexpr char kModel[] = "PX-T";

class EntryDefaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_user.Active());
        m_strEntry = MakeEntry(kLocalTargetKey, "P0000000000000000", "Printer");
    }

    std::string DataFile(const std::string& strSection) {
        WriteTextFile(m_strDataFile, "[Other]\r\nITEMNUM=9\r\nITEM009=1\r\n[PX-T]\r\n" + strSection);
        return m_strDataFile;
    }
    int Write() { return WriteEntryDefaults(m_strDataFile.c_str(), kModel, m_strEntry.c_str()); }
    RegistryKey Entry() const { return RegistryKey(HKEY_CURRENT_USER, m_strEntry.c_str(), false, KEY_ALL_ACCESS); }
    std::vector<std::string> NotifyValues() const {
        const RegistryKey notify(HKEY_CURRENT_USER, (m_strEntry + "\\Notify").c_str(), false);
        std::vector<std::string> names;
        for (DWORD i = 0; !notify.EnumValue(i).empty(); ++i) names.push_back(notify.EnumValue(i));
        return names;
    }

    ScratchCurrentUser m_user;
    TempFolder m_folder{"defaults"};
    std::string m_strDataFile = m_folder.File("MODEL.INI");
    std::string m_strEntry;
};

TEST_F(EntryDefaultsTest, WritesSwitchesAndKeepsUserChoices) {
    DataFile("SoundNotifyEnable=1\r\nTrayIconEnable=1\r\nITEMNUM=2\r\nITEM001=1\r\nITEM005=0\r\nITEM006=1\r\n");
    ASSERT_EQ(Write(), kDefaultsWritten);
    RegistryKey entry = Entry();
    EXPECT_EQ(entry.GetNumber(kEntrySoundNotifyEnable, 9), 1u);
    EXPECT_EQ(entry.GetNumber(kEntryTrayIconEnable, 9), 1u);
    EXPECT_EQ(entry.GetNumber(kEntryTrayIconSelected, 9), 0u);  // missing in the file
    RegistryKey notify(entry.Handle(), kEntryNotifyKey, false, KEY_ALL_ACCESS);
    EXPECT_EQ(notify.GetNumber("001", 9), 1u);
    EXPECT_EQ(notify.GetNumber("005", 9), 0u);
    EXPECT_EQ(NotifyValues(), (std::vector<std::string>{"001", "005"}));

    // The user turns 001 off and sounds off; the model gains a switch.
    notify.SetNumber("001", 0);
    entry.SetNumber(kEntrySoundNotifyEnable, 0);
    DataFile("SoundNotifyEnable=1\r\nTrayIconEnable=1\r\nITEMNUM=3\r\nITEM001=1\r\nITEM005=0\r\nITEM006=1\r\n");
    ASSERT_EQ(Write(), kDefaultsWritten);
    EXPECT_EQ(notify.GetNumber("001", 9), 0u);
    EXPECT_EQ(notify.GetNumber("006", 9), 1u);
    EXPECT_EQ(entry.GetNumber(kEntrySoundNotifyEnable, 9), 1u);  // plain values are overwritten
}

TEST_F(EntryDefaultsTest, NotifyDefaultsSkipped) {
    std::string strLong = "ITEMNUM=1\r\nITEM001=1\r\n";
    for (int i = 0; i < 2000; ++i) strLong += "PAD" + std::to_string(i) + "=0123456789\r\n";
    const struct {
        const char* pszName;
        std::string strSection;
    } kCases[] = {
        {"no ITEMNUM", "SoundNotifyEnable=1\r\nITEM001=1\r\n"},
        {"ITEMNUM 0", "SoundNotifyEnable=1\r\nITEMNUM=0\r\nITEM001=1\r\n"},
        {"section longer than the buffer", "SoundNotifyEnable=1\r\n" + strLong},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        Entry().DeleteTree(kEntryNotifyKey);
        DataFile(c.strSection);
        EXPECT_EQ(Write(), kDefaultsWithoutNotify);
        EXPECT_EQ(Entry().GetNumber(kEntrySoundNotifyEnable, 9), 1u);
        EXPECT_TRUE(RegistryKey(HKEY_CURRENT_USER, (m_strEntry + "\\Notify").c_str(), false).IsOpen());
        EXPECT_TRUE(NotifyValues().empty());
    }
}

TEST_F(EntryDefaultsTest, MissingEntryOrDataFile) {
    DataFile("SoundNotifyEnable=1\r\nITEMNUM=1\r\nITEM001=1\r\n");
    EXPECT_EQ(WriteEntryDefaults(m_strDataFile.c_str(), kModel, "Software\\PLXTest\\NoEntry"),
              kDefaultsEntryNotOpened);
    EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER, "Software\\PLXTest\\NoEntry", false).IsOpen());

    // Every key of a missing data file reads as 0.
    Entry().SetNumber(kEntrySoundNotifyEnable, 1);
    EXPECT_EQ(WriteEntryDefaults(m_folder.File("NONE.INI").c_str(), kModel, m_strEntry.c_str()),
              kDefaultsWithoutNotify);
    EXPECT_EQ(Entry().GetNumber(kEntrySoundNotifyEnable, 9), 0u);
    EXPECT_EQ(WriteEntryDefaults("", kModel, m_strEntry.c_str()), kDefaultsWithoutNotify);
}

}  // namespace
