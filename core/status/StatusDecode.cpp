#include <algorithm>
#include <cstring>

#include "common/trace/Trace.h"
#include "core/status/StatusDecode_private.h"
#include "core/status/StatusInfo.h"

namespace {

constexpr std::string_view kHbmMark{"hbm"};
constexpr uint8_t kHbmEndTag = 0xFF;
constexpr size_t kHbmEntryHeaderSize = 2;  // tag byte, length byte

bool StartsWith(const uint8_t* pbReply, size_t cbReply, std::string_view prefix) {
    return pbReply && cbReply >= prefix.size() && std::memcmp(pbReply, prefix.data(), prefix.size()) == 0;
}

int HexDigitValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

}  // namespace

int CStatusInfo::ConvertStatusInfo(StatusRecord& record, const uint8_t* pbReply, size_t cbReply) {
    TraceScope ts("CStatusInfo::ConvertStatusInfo");
    record.Reset();
    // The binary header extends the text one by "2", so it is tested first.
    if (StartsWith(pbReply, cbReply, kBinaryHeader)) return ConvertBinaryStatus(record, pbReply, cbReply);
    if (StartsWith(pbReply, cbReply, kAsciiHeader)) return ConvertAsciiStatus(record, pbReply, cbReply);
    ts.Write("unknown status reply\n");
    return 0;
}

int CStatusInfo::GetInkSlotOrder(uint16_t wInkCode) {
    const int iSlot = FindInkSlot(&InkCodeRow::InkCode, wInkCode);
    return iSlot == kNoInkSlot ? 0 : kInkCodeTable[iSlot].SlotOrder;
}

int FindInkSlot(uint16_t InkCodeRow::*pField, uint16_t wValue) {
    for (size_t i = 0; i < kInkSlotCount; ++i) {
        if (kInkCodeTable[i].*pField == wValue) return static_cast<int>(i);
    }
    return kNoInkSlot;
}

void AppendCodeField(CByteList& list, const uint8_t* pbCodes, size_t cbCodes) {
    for (size_t i = 0; i < cbCodes; ++i) list.Append(pbCodes[i]);
    // Drops the initial "none" entry once a field reported codes; a field of
    // several codes after an earlier one loses only the oldest code.
    if (list.Count() > 1) list.RemoveFront();
}

int HexPairToByte(char chHigh, char chLow, uint8_t& byOut) {
    const int iHigh = HexDigitValue(chHigh);
    const int iLow = HexDigitValue(chLow);
    if (iHigh < 0 || iLow < 0) return 0;
    byOut = static_cast<uint8_t>(iHigh * 16 + iLow);
    return 1;
}

int FindHbmValue(const uint8_t* pbReply, size_t cbReply, uint8_t byTag, uint8_t* pbOut, size_t cbOut) {
    if (!StartsWith(pbReply, cbReply, kHbmMark)) return -1;
    // Only whole entries are looked at: one cut off by the end of the reply
    // ends the walk, even when it carries the wanted tag.
    size_t nPos = kHbmMark.size();
    while (cbReply - nPos >= kHbmEntryHeaderSize) {
        const uint8_t byEntryTag = pbReply[nPos];
        const size_t cbValue = pbReply[nPos + 1];
        const size_t nValue = nPos + kHbmEntryHeaderSize;
        if (cbReply - nValue < cbValue) break;
        if (byEntryTag == byTag) {
            if (pbOut) std::copy_n(pbReply + nValue, std::min(cbValue, cbOut), pbOut);
            return 0;
        }
        if (byEntryTag == kHbmEndTag) break;
        nPos = nValue + cbValue;
    }
    return 1;
}
