// The registry-key class on the real (Wine) registry, in a scratch
// HKEY_CURRENT_USER of this process.
#include "common/registry/RegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/ScratchRegistry.h"

namespace {

constexpr char kKey[] = "Software\\PLXTest\\Key";

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_user.Active()); }

    // Stores text with exactly cbData bytes, terminator or not.
    static void StoreRaw(const char* pszName, const std::string& strText, DWORD cbData, DWORD dwType = REG_SZ) {
        RegistryKey key(HKEY_CURRENT_USER, kKey, true);
        ASSERT_EQ(RegSetValueExA(key.Handle(), pszName, 0, dwType, reinterpret_cast<const BYTE*>(strText.c_str()),
                                 cbData),
                  ERROR_SUCCESS);
    }

    ScratchCurrentUser m_user;
};

TEST_F(RegistryKeyTest, OpenOrCreateWithDefaultAccess) {
    RegistryKey missing(HKEY_CURRENT_USER, kKey, false);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_FALSE(missing.SetNumber("n", 1));
    EXPECT_EQ(missing.GetNumber("n", 7u), 7u);
    EXPECT_EQ(missing.GetString("s", "def"), "def");

    RegistryKey created(HKEY_CURRENT_USER, kKey, true);
    ASSERT_TRUE(created.IsOpen());
    EXPECT_TRUE(created.Created());
    EXPECT_TRUE(created.SetNumber("n", 1));
    RegistryKey again(HKEY_CURRENT_USER, kKey, true);
    EXPECT_TRUE(again.IsOpen());
    EXPECT_FALSE(again.Created());

    // Opening without create reads only, unless told otherwise.
    RegistryKey reader(HKEY_CURRENT_USER, kKey, false);
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_EQ(reader.GetNumber("n", 0), 1u);
    EXPECT_FALSE(reader.SetNumber("n", 2));
    RegistryKey writer(HKEY_CURRENT_USER, kKey, false, KEY_ALL_ACCESS);
    EXPECT_TRUE(writer.SetNumber("n", 2));

    writer.Close();
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_FALSE(writer.SetNumber("n", 3));
    EXPECT_EQ(writer.GetNumberOrMinusOne("n"), -1);
    EXPECT_EQ(reader.GetNumber("n", 0), 2u);
}

TEST_F(RegistryKeyTest, StringMustFitWithItsTerminator) {
    const std::string str259(259, 'a');
    const std::string str260(260, 'b');
    StoreRaw("t259", str259, 259);  // stored without terminator
    StoreRaw("t260", str260, 260);
    StoreRaw("z259", str259, 260);
    StoreRaw("long", std::string(1000, 'c'), 1001);
    StoreRaw("abc", "abc", 4);
    // Wine's ANSI query adds a missing terminator to REG_SZ data (and asks
    // for room for it); binary data it hands over as stored, as Windows does
    // with both. Readers do not check the type.
    StoreRaw("b259", str259, 259, REG_BINARY);
    StoreRaw("b260", str260, 260, REG_BINARY);
    const struct {
        const char* pszName;
        DWORD cbMax;
        std::string strExpected;
    } kCases[] = {
        {"abc", 4, "abc"},        {"abc", 3, "def"},      {"abc", 0, "abc"},         {"t259", 260, str259},
        {"z259", 260, str259},    {"t260", 260, "def"},   {"t260", 0, str260},       {"long", 260, "def"},
        {"long", 0, std::string(1000, 'c')},              {"missing", 260, "def"},   {"missing", 0, "def"},
        {"b259", 260, str259},    {"b260", 260, "def"},   {"b260", 0, str260},
    };
    RegistryKey key(HKEY_CURRENT_USER, kKey, false);
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.pszName) + " in " + std::to_string(c.cbMax));
        EXPECT_EQ(key.GetString(c.pszName, "def", c.cbMax), c.strExpected);
    }
}

TEST_F(RegistryKeyTest, NumbersAndTheirDefaults) {
    RegistryKey key(HKEY_CURRENT_USER, kKey, true);
    ASSERT_TRUE(key.SetNumber("one", 1));
    ASSERT_TRUE(key.SetNumber("all", 0xFFFFFFFF));
    const uint64_t qwWide = 5;
    ASSERT_EQ(RegSetValueExA(key.Handle(), "wide", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&qwWide), 8),
              ERROR_SUCCESS);
    EXPECT_EQ(key.GetNumber("one", 9), 1u);
    EXPECT_EQ(key.GetNumber("missing", 9), 9u);
    EXPECT_EQ(key.GetNumber("wide", 9), 9u);  // does not fit 4 bytes
    EXPECT_EQ(key.GetNumberOrMinusOne("one"), 1);
    EXPECT_EQ(key.GetNumberOrMinusOne("missing"), -1);
    EXPECT_EQ(key.GetNumberOrMinusOne("all"), -1);  // indistinguishable by design
}

TEST_F(RegistryKeyTest, BytesRoundTripWithSize) {
    RegistryKey key(HKEY_CURRENT_USER, kKey, true);
    std::vector<BYTE> big(100000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
    ASSERT_TRUE(key.SetBytes("big", big.data(), static_cast<DWORD>(big.size())));
    ASSERT_TRUE(key.SetBytes("empty", nullptr, 0));
    EXPECT_FALSE(key.SetBytes("bad", nullptr, 4));

    EXPECT_EQ(key.GetSize("big"), big.size());
    EXPECT_EQ(key.GetBytes("big"), big);
    EXPECT_EQ(key.GetSize("empty"), 0u);
    ASSERT_TRUE(key.GetBytes("empty").has_value());
    EXPECT_TRUE(key.GetBytes("empty")->empty());
    EXPECT_FALSE(key.GetBytes("missing").has_value());
    EXPECT_EQ(key.GetSize("missing"), 0u);
    EXPECT_EQ(RegistryKey(HKEY_CURRENT_USER, "Software\\PLXTest\\None", false).GetBytes("big"), std::nullopt);
}

TEST_F(RegistryKeyTest, EnumeratesAndDeletes) {
    RegistryKey key(HKEY_CURRENT_USER, kKey, true);
    for (const char* pszSub : {"A\\A1\\A2", "B"}) RegistryKey(key.Handle(), pszSub, true);
    UniqueHKey withClass;
    ASSERT_EQ(RegCreateKeyExA(key.Handle(), "C", 0, const_cast<char*>("Klass"), 0, KEY_ALL_ACCESS, nullptr,
                              withClass.put(), nullptr),
              ERROR_SUCCESS);
    key.SetString("v1", "x");
    key.SetNumber("v2", 2);

    std::string strClass = "poison";
    EXPECT_EQ(key.EnumKey(0, &strClass), "A");
    EXPECT_EQ(strClass, "");
    EXPECT_EQ(key.EnumKey(2, &strClass), "C");
    EXPECT_EQ(strClass, "Klass");
    EXPECT_EQ(key.EnumKey(3, &strClass), "");
    EXPECT_EQ(strClass, "");
    EXPECT_EQ(key.EnumValue(0), "v1");
    EXPECT_EQ(key.EnumValue(1), "v2");
    EXPECT_EQ(key.EnumValue(2), "");

    EXPECT_TRUE(key.DeleteValue("v1"));
    EXPECT_FALSE(key.DeleteValue("v1"));
    EXPECT_EQ(key.EnumValue(0), "v2");

    EXPECT_TRUE(key.DeleteTree("A"));
    EXPECT_FALSE(RegistryKey(key.Handle(), "A", false).IsOpen());
    EXPECT_FALSE(key.DeleteTree("A"));
    // An empty name must not empty the key itself.
    EXPECT_FALSE(key.DeleteTree(""));
    EXPECT_EQ(key.EnumKey(0), "B");
    EXPECT_EQ(key.EnumValue(0), "v2");
}

}  // namespace
