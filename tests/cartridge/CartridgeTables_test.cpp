// The four-slot cartridge table, the default ink codes, ordering numbers
// and the VIF file's keys.
#include "core/cartridge/CartridgeTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>

namespace {

TEST(CartridgeTables, FindsTheSlotRowWhenTheInkCodeMatches) {
    struct Case {
        int iSlot;
        std::optional<uint16_t> inkCode;
        int iExpectedVifNumber;  // -1: no row
        uint32_t uExpectedStatusName;
    };
    const Case kCases[] = {
        {0, std::nullopt, 2, IDS_STATUS_CARTRIDGE_CYAN},  {0, 3, 2, IDS_STATUS_CARTRIDGE_CYAN},
        {1, 4, 3, IDS_STATUS_CARTRIDGE_MAGENTA},          {2, 5, 4, IDS_STATUS_CARTRIDGE_YELLOW},
        {3, 1, 0, IDS_STATUS_CARTRIDGE_BLACK},            {3, std::nullopt, 0, IDS_STATUS_CARTRIDGE_BLACK},
        {0, 1, -1, 0},  // black ink in the cyan slot
        {3, 3, -1, 0},  {-1, std::nullopt, -1, 0},         {4, std::nullopt, -1, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.iSlot << " ink " << (c.inkCode ? int(*c.inkCode) : -1));
        const CartridgeSlotRow* pRow = FindCartridgeSlotRow(c.iSlot, c.inkCode);
        if (c.iExpectedVifNumber < 0) {
            EXPECT_EQ(pRow, nullptr);
            continue;
        }
        ASSERT_NE(pRow, nullptr);
        EXPECT_EQ(pRow->Slot, c.iSlot);
        EXPECT_EQ(pRow->VifNumber, c.iExpectedVifNumber);
        EXPECT_EQ(pRow->StatusNameId, c.uExpectedStatusName);
    }
}

TEST(CartridgeTables, DefaultInkCodesNeedRoomForEight) {
    constexpr uint16_t kPoison = 0xCCCC;
    std::array<uint16_t, kDefaultInkCodeRoom> codes;
    codes.fill(kPoison);
    EXPECT_EQ(GetDefaultInkCodes(codes.data(), kDefaultInkCodeRoom - 1), 0);
    EXPECT_TRUE(std::all_of(codes.begin(), codes.end(), [](uint16_t w) { return w == kPoison; }));
    EXPECT_EQ(GetDefaultInkCodes(nullptr, kDefaultInkCodeRoom), 0);

    ASSERT_EQ(GetDefaultInkCodes(codes.data(), kDefaultInkCodeRoom), 1);
    const std::array<uint16_t, kDefaultInkCodeRoom> kExpected = {3, 4, 5, 1, kPoison, kPoison, kPoison, kPoison};
    EXPECT_EQ(codes, kExpected);
}

TEST(CartridgeTables, SlotOrderNumbers) {
    const std::pair<int, int> kCases[] = {{-1, 0}, {0, 2}, {1, 3}, {2, 4}, {3, 1}, {4, 0}, {10, 0}};
    for (const auto& [iSlot, iExpected] : kCases) EXPECT_EQ(GetSlotOrderNumber(iSlot), iExpected) << "slot " << iSlot;
}

TEST(CartridgeTables, VifKeysOfTheCartridgeNumbers) {
    const std::pair<int, const char*> kCases[] = {{0, "BK"},  {1, "CL"}, {2, "CY"},      {3, "MA"},     {4, "YE"},
                                                  {7, "DY"},  {13, "LLK"}, {15, "OR"},   {-1, nullptr}, {16, nullptr}};
    for (const auto& [iNumber, pszExpected] : kCases) {
        SCOPED_TRACE(iNumber);
        if (!pszExpected) {
            EXPECT_EQ(VifInkInfoKey(iNumber), nullptr);
            continue;
        }
        ASSERT_NE(VifInkInfoKey(iNumber), nullptr);
        EXPECT_STREQ(VifInkInfoKey(iNumber), pszExpected);
    }
    // Each slot's cartridge number has a key.
    for (const CartridgeSlotRow& row : kCartridgeSlotTable) EXPECT_NE(VifInkInfoKey(row.VifNumber), nullptr);
}

}  // namespace
