#include "core/cartridge/CartridgeTables.h"

#include <iterator>

#include "core/status/StatusInfo.h"

namespace {

// Indexed by the VIF cartridge number.
constexpr const char* kVifInkInfoKeys[] = {"BK", "CL", "CY", "MA", "YE", "LC", "LM", "DY",
                                           "PK", "LK", "MK", "RD", "BL", "LLK", "CB", "OR"};

}  // namespace

const CartridgeSlotRow* FindCartridgeSlotRow(int iSlot, std::optional<uint16_t> inkCode) {
    for (const CartridgeSlotRow& row : kCartridgeSlotTable) {
        if (row.Slot == iSlot && (!inkCode || row.InkCode == *inkCode)) return &row;
    }
    return nullptr;
}

int GetDefaultInkCodes(uint16_t* pwCodes, size_t nRoom) {
    if (!pwCodes || nRoom < kDefaultInkCodeRoom) return 0;
    for (const CartridgeSlotRow& row : kCartridgeSlotTable) pwCodes[row.Slot] = row.InkCode;
    return 1;
}

int GetSlotOrderNumber(int iSlot) {
    uint16_t awCodes[kDefaultInkCodeRoom] = {};
    GetDefaultInkCodes(awCodes, kDefaultInkCodeRoom);
    if (iSlot < 0 || static_cast<size_t>(iSlot) >= kCartridgeSlotCount) return 0;
    // The ordering number belongs to the ink, as the status tables number it.
    return FindCartridgeSlotRow(iSlot, awCodes[iSlot]) ? CStatusInfo::GetInkSlotOrder(awCodes[iSlot]) : 0;
}

const char* VifInkInfoKey(int iNumber) {
    if (iNumber < 0 || static_cast<size_t>(iNumber) >= std::size(kVifInkInfoKeys)) return nullptr;
    return kVifInkInfoKeys[iNumber];
}
