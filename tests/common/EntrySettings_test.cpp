// Settings read through printer entries, in a scratch HKEY_CURRENT_USER;
// the IC_JP seeds live in HKLM under a name of this process.
#include "common/registry/EntrySettings.h"

#include <gtest/gtest.h>

#include "common/registry/RegistryKey.h"
#include "common/registry/RegistryPaths.h"
#include "tests/support/ScratchRegistry.h"

namespace {

constexpr char kEntry0[] = "P0000000000000000";
constexpr DWORD kPoison = 0xdeadbeef;

class EntrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_user.Active()); }
    static void RemoveEntries() {
        RegistryKey(HKEY_CURRENT_USER, kPlxDataKey, true).DeleteTree("KVLTarget");
        RegistryKey(HKEY_CURRENT_USER, kPlxDataKey, true).DeleteTree("KVNTarget");
    }

    ScratchCurrentUser m_user;
};

TEST_F(EntrySettingsTest, NotificationSwitches) {
    constexpr int kNone = -1;
    const struct {
        const char* pszName;
        int iSound;   // "SoundNotifyEnable", or kNone
        int iSwitch;  // Notify "005", or kNone; no Notify key when both are kNone
        int iClass;
        int iResult;
        DWORD dwSound;
        DWORD dwNotify;
    } kCases[] = {
        {"no Notify key: sound as read", 1, kNone, 5, 1, 1, 0},
        {"both on", 1, 1, 5, 0, 1, 1},
        {"sound off", 0, 1, 5, 0, 0, 1},
        {"no sound value", kNone, 1, 5, 0, 0, 1},
        {"switch off", 1, 0, 5, 0, 0, 0},
        {"class without a switch", 1, 1, 7, 0, 0, 0},
    };
    for (const bool bNetwork : {false, true}) {
        for (const auto& c : kCases) {
            SCOPED_TRACE(std::string(c.pszName) + (bNetwork ? " (network)" : " (local)"));
            RemoveEntries();
            DWORD dwSound = kPoison;
            DWORD dwNotify = kPoison;
            const char* pszPrinter = bNetwork ? "" : "Printer";
            EXPECT_EQ(CheckNotification(pszPrinter, "PORT_1", c.iClass, &dwSound, &dwNotify), 1);
            EXPECT_EQ(dwSound, 0u);
            EXPECT_EQ(dwNotify, 0u);

            const std::string strEntry =
                MakeEntry(bNetwork ? kNetworkTargetKey : kLocalTargetKey, kEntry0, bNetwork ? "PORT_1" : "Printer");
            RegistryKey entry(HKEY_CURRENT_USER, strEntry.c_str(), false, KEY_ALL_ACCESS);
            if (c.iSound != kNone) entry.SetNumber(kEntrySoundNotifyEnable, static_cast<DWORD>(c.iSound));
            if (c.iSwitch != kNone) RegistryKey(entry.Handle(), kEntryNotifyKey, true).SetNumber("005", c.iSwitch);
            EXPECT_EQ(CheckNotification(pszPrinter, "PORT_1", c.iClass, &dwSound, &dwNotify), c.iResult);
            EXPECT_EQ(dwSound, c.dwSound);
            EXPECT_EQ(dwNotify, c.dwNotify);
        }
    }
}

TEST_F(EntrySettingsTest, TrayIconInfoNeedsTheValue) {
    DWORD dwEnable = kPoison;
    EXPECT_FALSE(GetTrayIconInfo("Printer", &dwEnable));
    MakeEntry(kLocalTargetKey, kEntry0, "Printer");
    EXPECT_FALSE(GetTrayIconInfo("Printer", &dwEnable));
    EXPECT_EQ(dwEnable, kPoison);

    // A second entry of the same name with the value: the walk goes on.
    const std::string strEntry = MakeEntry(kLocalTargetKey, "P0000000000000001", "PRINTER");
    RegistryKey(HKEY_CURRENT_USER, strEntry.c_str(), false, KEY_ALL_ACCESS).SetNumber(kEntryTrayIconEnable, 0);
    EXPECT_TRUE(GetTrayIconInfo("printer", &dwEnable));
    EXPECT_EQ(dwEnable, 0u);
    dwEnable = kPoison;
    EXPECT_FALSE(GetTrayIconInfo("Other", &dwEnable));
    EXPECT_FALSE(GetTrayIconInfo("", &dwEnable));
    EXPECT_EQ(dwEnable, kPoison);
}

TEST_F(EntrySettingsTest, NationFromDebugOverrideOrUserSetting) {
    const struct {
        const char* pszDebug;  // null: no value
        const char* pszNation;
        int iExpected;
    } kCases[] = {
        {"81", "244", 81}, {"", "244", 244}, {nullptr, "244", 244}, {nullptr, "", -1}, {nullptr, nullptr, -1},
        {"0", nullptr, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.pszDebug ? c.pszDebug : "-") + "/" + (c.pszNation ? c.pszNation : "-"));
        for (const auto& value : {std::make_pair(kDebugKey, c.pszDebug), std::make_pair(kGeoKey, c.pszNation)}) {
            RegistryKey key(HKEY_CURRENT_USER, value.first, true);
            const char* pszName = value.first == kDebugKey ? kDebugNation : kGeoNation;
            if (value.second)
                key.SetString(pszName, value.second);
            else
                key.DeleteValue(pszName);
        }
        EXPECT_EQ(GetNation(), c.iExpected);
    }
}

// The installer's seeds under a name of this process.
class IcJpTest : public EntrySettingsTest {
protected:
    void SetUp() override {
        EntrySettingsTest::SetUp();
        if (HasFatalFailure()) return;
        m_strEntry = MakeEntry(kLocalTargetKey, kEntry0, "Printer");
    }
    RegistryKey IcJp() const {
        return RegistryKey(HKEY_CURRENT_USER, (m_strEntry + "\\IC_JP").c_str(), false, KEY_ALL_ACCESS);
    }
    int Check(DWORD* pdwEnvCheck) { return CheckIniFlagIC_JP(m_strEntry.c_str(), m_strName.c_str(), pdwEnvCheck); }

    std::string m_strName = "PLX Test " + std::to_string(GetCurrentProcessId());
    ScopedMachineKey m_seeds{"software\\KAVRO\\" + m_strName + " IC_JP"};
    const std::string& m_strSeedKey = m_seeds.Path();
    std::string m_strEntry;
};

TEST_F(IcJpTest, MadeOnceFromTheSeeds) {
    DWORD dwEnvCheck = kPoison;
    EXPECT_EQ(Check(&dwEnvCheck), -1);
    EXPECT_EQ(dwEnvCheck, kPoison);
    EXPECT_FALSE(IcJp().IsOpen());

    constexpr int kNone = -1;
    const struct {
        const char* pszName;
        int iInitialize;  // seed, or kNone
        int iDisable;
        DWORD dwDisable;  // as stored
    } kCases[] = {{"empty seeds", kNone, kNone, 0}, {"disabled", 0, 1, 1}, {"initialize", 1, 0, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        m_seeds.Delete();
        RegistryKey seeds(HKEY_LOCAL_MACHINE, m_strSeedKey.c_str(), true);
        ASSERT_TRUE(seeds.IsOpen());
        if (c.iInitialize != kNone) seeds.SetNumber(kIcJpInitialize, c.iInitialize);
        if (c.iDisable != kNone) seeds.SetNumber(kIcJpDisable, c.iDisable);
        RegistryKey(HKEY_CURRENT_USER, m_strEntry.c_str(), false, KEY_ALL_ACCESS).DeleteTree(kEntryIcJpKey);

        dwEnvCheck = kPoison;
        EXPECT_EQ(Check(&dwEnvCheck), 0);
        EXPECT_EQ(dwEnvCheck, 1u);
        RegistryKey icJp = IcJp();
        EXPECT_EQ(icJp.GetNumberOrMinusOne(kIcJpInitialize), 0);  // a set seed is done at once
        EXPECT_EQ(icJp.GetNumberOrMinusOne(kIcJpDisable), static_cast<int32_t>(c.dwDisable));
        EXPECT_EQ(icJp.GetNumberOrMinusOne(kIcJpEnvCheck), 1);

        // From now on the key is only read.
        icJp.SetNumber(kIcJpEnvCheck, 0);
        RegistryKey(icJp.Handle(), "PopupInk01", true);
        EXPECT_EQ(Check(&dwEnvCheck), 1);
        EXPECT_EQ(dwEnvCheck, 0u);
        icJp.DeleteValue(kIcJpEnvCheck);
        EXPECT_EQ(Check(&dwEnvCheck), 1);
        EXPECT_EQ(dwEnvCheck, 1u);
        EXPECT_TRUE(RegistryKey(icJp.Handle(), "PopupInk01", false).IsOpen());
    }
}

TEST_F(IcJpTest, EntryPathThatDoesNotFitFails) {
    ASSERT_TRUE(RegistryKey(HKEY_LOCAL_MACHINE, m_strSeedKey.c_str(), true).IsOpen());
    // 253 characters and "\IC_JP" make 259; one more does not fit.
    const std::string strFits = std::string(kLocalTargetKey) + "\\" + std::string(253 - strlen(kLocalTargetKey) - 1, 'F');
    const std::string strTooLong = strFits + "G";
    DWORD dwEnvCheck = kPoison;
    EXPECT_EQ(CheckIniFlagIC_JP(strTooLong.c_str(), m_strName.c_str(), &dwEnvCheck), -1);
    EXPECT_EQ(dwEnvCheck, kPoison);
    EXPECT_FALSE(RegistryKey(HKEY_CURRENT_USER, strTooLong.c_str(), false).IsOpen());
    EXPECT_EQ(CheckIniFlagIC_JP(strFits.c_str(), m_strName.c_str(), &dwEnvCheck), 0);
    EXPECT_EQ(CheckIniFlagIC_JP(m_strEntry.c_str(), std::string(300, 'N').c_str(), &dwEnvCheck), -1);
}

}  // namespace
