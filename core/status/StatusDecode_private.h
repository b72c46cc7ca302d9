// Pieces shared by the text and binary status decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/status/StatusInfo.h"

constexpr std::string_view kAsciiHeader{"@BDC ST\r\n"};
constexpr std::string_view kBinaryHeader{"@BDC ST2\r\n"};

// Cancel byte of both forms that means "the printer cancels".
constexpr uint8_t kCancelCode = 0x81;

// Appends one field's codes to Status or Error, then drops the list's first
// entry when more than one is held.
void AppendCodeField(CByteList& list, const uint8_t* pbCodes, size_t cbCodes);

// Index into kInkCodeTable of the row whose field equals wValue, or kNoInkSlot.
constexpr int kNoInkSlot = -1;
int FindInkSlot(uint16_t InkCodeRow::*pField, uint16_t wValue);
