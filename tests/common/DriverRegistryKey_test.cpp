// The driver-routed key class with a table of test functions standing in
// for the driver-information module: they reach the same registry under
// "Routed\" and count their calls.
#include "common/registry/DriverRegistryKey.h"

#include <gtest/gtest.h>

#include "tests/support/ScratchRegistry.h"

namespace {

constexpr char kKey[] = "Software\\PLXTest\\Cfg";
constexpr char kRoutedPrefix[] = "Routed\\";

struct RouteCalls {
    int iCreate = 0;
    int iOpen = 0;
    int iClose = 0;
    int iQuery = 0;
};
RouteCalls gCalls;

std::string Routed(const char* pszSubKey) { return std::string(kRoutedPrefix) + (pszSubKey ? pszSubKey : ""); }

LONG WINAPI TestCreateKeyEx(HKEY hKey, LPCSTR pszSubKey, DWORD dwReserved, LPSTR pszClass, DWORD dwOptions,
                            REGSAM samDesired, LPSECURITY_ATTRIBUTES pSecurity, PHKEY phkResult,
                            LPDWORD pdwDisposition) {
    ++gCalls.iCreate;
    return RegCreateKeyExA(hKey, Routed(pszSubKey).c_str(), dwReserved, pszClass, dwOptions, samDesired, pSecurity,
                           phkResult, pdwDisposition);
}
LONG WINAPI TestOpenKeyEx(HKEY hKey, LPCSTR pszSubKey, DWORD dwOptions, REGSAM samDesired, PHKEY phkResult) {
    ++gCalls.iOpen;
    return RegOpenKeyExA(hKey, Routed(pszSubKey).c_str(), dwOptions, samDesired, phkResult);
}
LONG WINAPI TestCloseKey(HKEY hKey) {
    ++gCalls.iClose;
    return RegCloseKey(hKey);
}
LONG WINAPI TestQueryValueEx(HKEY hKey, LPCSTR pszName, LPDWORD pdwReserved, LPDWORD pdwType, LPBYTE pData,
                             LPDWORD pcbData) {
    ++gCalls.iQuery;
    return RegQueryValueExA(hKey, pszName, pdwReserved, pdwType, pData, pcbData);
}

constexpr DriverRegistryFunctions kFullTable = {TestCreateKeyEx, TestOpenKeyEx, TestCloseKey, TestQueryValueEx};

class DriverRegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_user.Active());
        gCalls = {};
        // The same value names, told apart by their data.
        Store(kKey, 3, "plain");
        Store(Routed(kKey).c_str(), 7, "routed");
    }
    void TearDown() override { SetDriverRegistryRoute(nullptr); }

    static void Store(const char* pszKey, DWORD dwNumber, const char* pszText) {
        RegistryKey key(HKEY_CURRENT_USER, pszKey, true);
        ASSERT_TRUE(key.SetNumber("Number", dwNumber));
        ASSERT_TRUE(key.SetString("Text", pszText));
    }

    ScratchCurrentUser m_user;
};

TEST_F(DriverRegistryKeyTest, WithoutRecognitionItIsThePlainRegistry) {
    DriverRegistryKey key(HKEY_CURRENT_USER, kKey, false);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_EQ(key.GetNumber("Number", 0), 3u);
    EXPECT_EQ(key.GetString("Text", ""), "plain");
    EXPECT_EQ(key.GetString("Missing", "def"), "def");
    // The plain create also takes an existing key.
    EXPECT_TRUE(DriverRegistryKey(HKEY_CURRENT_USER, kKey, true).IsOpen());
    EXPECT_EQ(gCalls.iOpen + gCalls.iCreate + gCalls.iQuery + gCalls.iClose, 0);
}

TEST_F(DriverRegistryKeyTest, RecognitionRoutesOpenQueryAndClose) {
    SetDriverRegistryRoute(&kFullTable);
    {
        DriverRegistryKey key(HKEY_CURRENT_USER, kKey, false);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_EQ(key.GetNumber("Number", 0), 7u);
        EXPECT_EQ(key.GetString("Text", "", 0), "routed");
        EXPECT_EQ(gCalls.iOpen, 1);
        EXPECT_EQ(gCalls.iQuery, 3);  // the string without a size asks for it first
        EXPECT_EQ(gCalls.iClose, 0);
    }
    EXPECT_EQ(gCalls.iClose, 1);
}

TEST_F(DriverRegistryKeyTest, RoutedCreateCountsOnlyANewKey) {
    SetDriverRegistryRoute(&kFullTable);
    DriverRegistryKey created(HKEY_CURRENT_USER, "Software\\PLXTest\\New", true);
    EXPECT_TRUE(created.IsOpen());
    EXPECT_TRUE(RegistryKey(HKEY_CURRENT_USER, Routed("Software\\PLXTest\\New").c_str(), false).IsOpen());

    DriverRegistryKey existing(HKEY_CURRENT_USER, kKey, true);
    EXPECT_FALSE(existing.IsOpen());
    EXPECT_EQ(existing.GetNumber("Number", 42), 42u);
    EXPECT_EQ(gCalls.iCreate, 2);
    EXPECT_EQ(gCalls.iClose, 1);  // the existing key's handle went back at once
}

TEST_F(DriverRegistryKeyTest, UnboundFunctionsAreNotCalled) {
    const struct {
        const char* pszName;
        DriverRegistryFunctions table;
        bool bCreate;
    } kCases[] = {
        {"no open", {TestCreateKeyEx, nullptr, TestCloseKey, TestQueryValueEx}, false},
        {"no create", {nullptr, TestOpenKeyEx, TestCloseKey, TestQueryValueEx}, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        gCalls = {};
        SetDriverRegistryRoute(&c.table);
        // Both keys exist, so any fallback to the registry would open one.
        DriverRegistryKey key(HKEY_CURRENT_USER, c.bCreate ? "Software\\PLXTest\\Other" : kKey, c.bCreate);
        EXPECT_FALSE(key.IsOpen());
        EXPECT_EQ(key.GetNumber("Number", 42), 42u);
        EXPECT_EQ(gCalls.iOpen + gCalls.iCreate + gCalls.iQuery + gCalls.iClose, 0);
    }

    const DriverRegistryFunctions noQueryNoClose = {TestCreateKeyEx, TestOpenKeyEx, nullptr, nullptr};
    gCalls = {};
    SetDriverRegistryRoute(&noQueryNoClose);
    {
        DriverRegistryKey key(HKEY_CURRENT_USER, kKey, false);
        ASSERT_TRUE(key.IsOpen());
        EXPECT_EQ(key.GetNumber("Number", 42), 42u);
        EXPECT_EQ(key.GetString("Text", "def"), "def");
        EXPECT_EQ(key.GetString("Text", "def", 0), "def");
    }
    EXPECT_EQ(gCalls.iOpen, 1);
    EXPECT_EQ(gCalls.iQuery + gCalls.iClose, 0);
}

TEST_F(DriverRegistryKeyTest, KeyClosesThroughTheFunctionsItWasOpenedWith) {
    SetDriverRegistryRoute(&kFullTable);
    DriverRegistryKey routed(HKEY_CURRENT_USER, kKey, false);
    SetDriverRegistryRoute(nullptr);
    DriverRegistryKey plain(HKEY_CURRENT_USER, kKey, false);
    EXPECT_EQ(plain.GetNumber("Number", 0), 3u);
    EXPECT_EQ(routed.GetNumber("Number", 0), 7u);
    plain.Close();
    EXPECT_EQ(gCalls.iClose, 0);
    routed.Close();
    EXPECT_EQ(gCalls.iClose, 1);
    routed.Close();
    EXPECT_EQ(gCalls.iClose, 1);
}

}  // namespace
