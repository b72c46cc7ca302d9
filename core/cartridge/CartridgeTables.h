// The fixed four-slot cartridge family: slot, ink code, the cartridge number
// of the driver's VIF file and the string ids that name the cartridge, and
// the keys of the VIF file's InkInfo section. Free of Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/cartridge/CartridgeResourceIds.h"

struct CartridgeSlotRow {
    int Slot;
    uint16_t InkCode;
    int VifNumber;  // cartridge number of the VIF file's InkInfo key
    uint32_t StatusNameId;
    uint32_t CheckNameId;
    uint32_t OrderNameId;
};

constexpr size_t kCartridgeSlotCount = 4;
inline constexpr CartridgeSlotRow kCartridgeSlotTable[kCartridgeSlotCount] = {
    {0, 3, 2, IDS_STATUS_CARTRIDGE_CYAN, IDS_CHECK_CARTRIDGE_CYAN, IDS_ORDER_CARTRIDGE_CYAN},
    {1, 4, 3, IDS_STATUS_CARTRIDGE_MAGENTA, IDS_CHECK_CARTRIDGE_MAGENTA, IDS_ORDER_CARTRIDGE_MAGENTA},
    {2, 5, 4, IDS_STATUS_CARTRIDGE_YELLOW, IDS_CHECK_CARTRIDGE_YELLOW, IDS_ORDER_CARTRIDGE_YELLOW},
    {3, 1, 0, IDS_STATUS_CARTRIDGE_BLACK, IDS_CHECK_CARTRIDGE_BLACK, IDS_ORDER_CARTRIDGE_BLACK},
};

// First row of the slot whose ink code, when one is given, matches; null
// when there is none.
const CartridgeSlotRow* FindCartridgeSlotRow(int iSlot, std::optional<uint16_t> inkCode = std::nullopt);

// Room the array of GetDefaultInkCodes must have, in codes.
constexpr size_t kDefaultInkCodeRoom = 8;
// 1 with the ink codes of slots 0 to 3 in pwCodes[0..3] (the rest left
// alone); 0 with nothing written when pwCodes is null or nRoom is below
// kDefaultInkCodeRoom.
int GetDefaultInkCodes(uint16_t* pwCodes, size_t nRoom);
// Ordering number of a slot's default ink (2, 3, 4, 1 for slots 0 to 3);
// 0 for any other slot.
int GetSlotOrderNumber(int iSlot);

constexpr char kVifInkInfoSection[] = "InkInfo";
// InkInfo key of a VIF cartridge number (0 to 15), null for other numbers.
const char* VifInkInfoKey(int iNumber);
