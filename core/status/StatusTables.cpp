#include "core/status/StatusTables.h"

#include <algorithm>

#include "core/status/StatusResourceIds.h"

namespace {

struct ChannelReplyType {
    uint32_t Channel;
    int32_t ReplyType;
};
constexpr ChannelReplyType kChannelReplyTypes[] = {
    {0x00000004, kReplyTypeBdc}, {0x10000005, kReplyTypeBdc}, {0x10010003, kReplyTypeBdc},
    {0x10000003, kReplyTypeBdc}, {0x02000001, kReplyTypeHbm},
};

constexpr StatusCodeRow CodeRow(uint16_t wState, uint16_t wError, uint16_t wWarning, uint32_t dwInkMask,
                                uint16_t wStatusNo) {
    return {wState, wError, wWarning, 0, dwInkMask, wStatusNo, 0};
}

constexpr uint16_t kAny = kSelectAny;

constexpr CartridgeListRule kCartridgeListRules[] = {
    {3024, kInkBitEmpty | kInkBitFault | kInkBitNoCartridge, 0},
    {3029, kInkBitEmpty | kInkBitFault | kInkBitNoCartridge, 0},
    {3032, kInkBitEmpty | kInkBitFault | kInkBitNoCartridge, 0},
    {3047, kInkBitEmpty | kInkBitFault | kInkBitNoCartridge, 0},
    {3026, kInkBitFault | kInkBitNoCartridge | kInkBitCI, 0},
    {3103, kInkBitCI, 0},
    {3051, 0, kWarningBitLow},
    {3052, 0, kWarningBitHigh},
};

}  // namespace

// Searched in order; the first row whose state, error, warning and ink
// mask all match gives the status number.
const StatusCodeRow kStatusCodeTable[kStatusCodeRowCount] = {
    //      state error          warning           ink mask     StatusNo
    CodeRow(0x00, kSelectNoError, kSelectNoWarning, kInkMaskAny, 21),
    CodeRow(0x00, 0x00, kAny, kInkMaskAny, 14),
    CodeRow(0x00, 0x01, kAny, kInkMaskAny, 18),
    CodeRow(0x00, 0x04, kAny, kInkMaskAny, 6),
    CodeRow(0x00, 0x05, kAny, 0x44444444, 25),
    CodeRow(0x00, 0x05, kAny, 0x22222222, 60),
    CodeRow(0x00, 0x05, kAny, 0x11111111, 2),
    CodeRow(0x00, 0x05, kAny, 0x88888888, 61),
    CodeRow(0x00, 0x06, kAny, kInkMaskAny, 5),
    CodeRow(0x00, 0x10, kAny, kInkMaskAny, 31),
    CodeRow(0x00, 0x12, kAny, kInkMaskAny, 30),
    CodeRow(0x00, kAny, kAny, kInkMaskAny, 9),
    CodeRow(0x08, kAny, kAny, kInkMaskAny, 19),
    CodeRow(0x0A, kAny, kAny, kInkMaskAny, 58),
    CodeRow(kAny, kAny, 0x10, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x11, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x12, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x13, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x14, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x15, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x16, kInkMaskAny, 20),
    CodeRow(kAny, kAny, 0x20, kInkMaskAny, 32),
    CodeRow(0x02, kAny, kAny, kInkMaskAny, 11),
    CodeRow(0x03, kAny, kAny, kInkMaskAny, 11),
    CodeRow(0x04, kAny, kAny, kInkMaskAny, 1),
    CodeRow(0x07, kAny, kAny, kInkMaskAny, 10),
    CodeRow(kAny, kAny, kAny, kInkMaskAny, 21),
};

const StatusInfoRow kStatusInfoTable[kStatusInfoRowCount] = {
    // type  No  simple notify msg  detail pic util TSS res sound  button                  sub-button
    {1, 14, 12, 12, 3506, 3006, 7, -1, 0, 0, 16010, IDS_STOP, 0},
    {1, 18, 999, 12, 3507, 3007, 1, -1, 0, 0, 0, IDS_INK_STOPRESET, 0},
    {1, 6, 5, 12, 3510, 3010, 4, 1, 2, 0, 16003, IDS_DISCHARGE_PAPER, 0},
    {1, 2, 10, 12, 3524, 3024, 2, 0, 1, 0, 16008, IDS_INK_STOPRESET, 0},
    {1, 25, 10, 12, 3533, 3029, 2, 0, 1, 0, 16008, IDS_INK_STOPRESET, 0},
    {1, 60, 10, 12, 3536, 3032, 2, 0, 1, 0, 16008, IDS_INK_STOPRESET, 0},
    {1, 61, 10, 12, 3597, 3103, 2, 0, 1, 0, 16008, IDS_INK_STOPRESET, 0},
    {1, 5, 3, 12, 3512, 3012, 3, -1, 0, 0, 16001, IDS_INK_CANCEL, IDS_INK_RETURN},
    {1, 31, 12, 12, 3532, 3028, 7, -1, 0, 0, 16010, IDS_STOP, 0},
    {1, 30, 12, 12, 3531, 3027, 9, -1, 0, 0, 16010, IDS_INK_STOPRESET, 0},
    {1, 9, 12, 12, 3514, 3014, 7, -1, 0, 0, 16010, IDS_STOP, 0},
    {1, 17, 999, 12, 3501, 3001, 1, -1, 0, 0, 0, IDS_STOP, 0},
    {1, 11, 999, 999, 3502, 3002, 1, -1, 0, 0, 0, IDS_CLOSE, 0},
    {1, 1, 1, 1, 3504, 3004, 1, -1, 0, 0, 0, IDS_CLOSE, 0},
    {1, 10, 1, 1, 3523, 3023, 1, -1, 0, 0, 0, IDS_STOP, 0},
    {1, 19, 12, 12, 3526, 3026, 2, 0, 1, 0, 16010, IDS_STOP, 0},
    {1, 58, 1, 1, 3554, 3050, 1, -1, 0, 0, 0, IDS_STOP, 0},
    {1, 20, 9, 9, 3555, 3051, 5, 1, 1, 0, 16007, IDS_STOP, 0},
    {1, 32, 13, 501, 3541, 3036, 8, -1, 0, 0, 16011, IDS_STOP, 0},
    {1, 16, 12, 12, 3525, 3025, 7, -1, 0, 0, 16010, IDS_STOP, 0},
    {1, 21, 11, 11, 3528, 2002, 6, -1, 0, 0, 16009, IDS_STOP, 0},
    {1, 22, 14, 14, 3528, 2002, 6, -1, 0, 0, 16009, IDS_STOP, 0},
    {1, 59, 12, 12, 3582, 3079, 7, -1, 0, 0, 16010, IDS_CLOSE, IDS_INK_OFFLINE_CANCEL},
    {1, -1, 12, 12, 3529, 2101, 7, -1, 0, 0, 16010, IDS_STOP, 0},
    {2, 22, 11, 11, 3528, 2002, 6, -1, 0, 0, 16009, IDS_STOP, 0},
    {2, -1, 11, 11, 3530, 2102, 6, -1, 0, 0, 16009, IDS_STOP, 0},
    {0, 1000, 1, 1, 3527, 2001, 1, -1, 0, 0, 0, IDS_CLOSE, 0},
    {0, -1, 11, 11, 3528, 2002, 6, -1, 0, 0, 16009, IDS_CLOSE, 0},
};

const StatusPictureRow kStatusPictureTable[kStatusPictureRowCount] = {
    // id picture unused icon overlay flag
    {1, 511, 1, 759, 0, 0},   {2, 512, 1, 761, 0, 1}, {3, 512, 1, 760, 770, 1}, {4, 512, 1, 752, 0, 1},
    {5, 510, 1, 761, 0, 1},   {6, 512, 1, 750, 0, 1}, {7, 512, 1, 758, 0, 1},   {8, 510, 1, 758, 0, 1},
    {9, 512, 1, 760, 0, 1},   {10, 512, 1, 760, 777, 1},
};

const NotifyItem kNotifyItems[kNotifyItemCount] = {
    {IDS_NOTIFY_ITEM_FIRST, 12},
    {IDS_NOTIFY_ITEM_FIRST + 1, 11},
    {IDS_NOTIFY_ITEM_FIRST + 2, 9},
    {IDS_NOTIFY_ITEM_FIRST + 3, 501},
};

int32_t ReplyTypeOfChannel(uint32_t dwChannel) {
    for (const ChannelReplyType& entry : kChannelReplyTypes) {
        if (entry.Channel == dwChannel) return entry.ReplyType;
    }
    return kReplyTypeOther;
}

const StatusPictureRow* FindStatusPicture(int32_t iPictureId) {
    for (const StatusPictureRow& row : kStatusPictureTable) {
        if (row.Id == iPictureId) return &row;
    }
    return nullptr;
}

NotifyItem GetNotifyItem(int iIndex) {
    if (iIndex >= 0 && static_cast<size_t>(iIndex) < kNotifyItemCount) return kNotifyItems[iIndex];
    return {IDS_NOTIFY_ITEM_FIRST + iIndex, 0};
}

int NotifyItemCountOfText(std::string_view strText) {
    size_t i = strText.find_first_not_of(" \t");
    int iCount = 0;
    // Saturate instead of overflowing on a long run of digits.
    for (; i < strText.size() && strText[i] >= '0' && strText[i] <= '9'; ++i) {
        iCount = std::min(iCount * 10 + (strText[i] - '0'), kMaxNotifyItemCount);
    }
    return iCount;
}

const CartridgeListRule* FindCartridgeListRule(int32_t iDetailMessageId) {
    for (const CartridgeListRule& rule : kCartridgeListRules) {
        if (rule.DetailMessageId == iDetailMessageId) return &rule;
    }
    return nullptr;
}
