// Constant tables of status classification: status codes to status numbers,
// status numbers to messages and buttons, pictures, notification items and
// the cartridge lists of detail messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Reply types of the status channels.
constexpr int32_t kReplyTypeOther = 0;  // no reply that can be read
constexpr int32_t kReplyTypeBdc = 1;    // "@BDC ST" text or binary reply
constexpr int32_t kReplyTypeHbm = 2;    // "hbm" reply

// Reply type of a channel number; kReplyTypeOther for channels of no status.
int32_t ReplyTypeOfChannel(uint32_t dwChannel);

// Status code table. Selectors compare by their low byte, apart from the
// two marks below (so an error selector of 0xFFFF matches the code 0xFF).
constexpr uint16_t kSelectAny = 0xFFFE;
constexpr uint16_t kSelectNoWarning = 0xFFFF;  // warning selector only
constexpr uint16_t kSelectNoError = 0xFFFF;
constexpr uint32_t kInkMaskAny = 0;

struct StatusCodeRow {
    uint16_t State;
    uint16_t Error;
    uint16_t Warning;
    uint16_t Filler1;
    uint32_t InkMask;  // matches when 0 or sharing a bit with the ink condition mask
    uint16_t StatusNo;
    uint16_t Filler2;
};
constexpr size_t kStatusCodeRowCount = 27;
extern const StatusCodeRow kStatusCodeTable[kStatusCodeRowCount];

// Status information table: searched by reply type and status number; a
// row of status number kStatusNoDefault is its reply type's default, and
// the row of type kReplyTypeOther with it ends the table.
constexpr int32_t kStatusNoDefault = -1;
constexpr int32_t kNoUtilityMode = -1;

struct StatusInfoRow {
    int32_t ReplyType;
    int32_t StatusNo;
    int32_t SimpleNo;
    int32_t NotifyClass;
    int32_t MessageId;
    int32_t DetailMessageId;
    int32_t PictureId;
    int32_t UtilityMode;  // 16-bit signed in use, kNoUtilityMode = none
    int32_t TssNumber;
    int32_t Reserved;
    int32_t SoundId;  // 0 = none
    int32_t Button;
    int32_t SubButton;  // 0 = none
};
constexpr size_t kStatusInfoRowCount = 28;
extern const StatusInfoRow kStatusInfoTable[kStatusInfoRowCount];

// Status picture table, looked up by id.
struct StatusPictureRow {
    int32_t Id;
    int32_t Picture;
    int32_t Unused;
    int32_t Icon;
    int32_t OverlayIcon;  // 0 = none
    int32_t IconFlag;     // 1: the icon is paired with icon 765
};
constexpr size_t kStatusPictureRowCount = 10;
extern const StatusPictureRow kStatusPictureTable[kStatusPictureRowCount];

// Row of the picture id, or null.
const StatusPictureRow* FindStatusPicture(int32_t iPictureId);

// Notification items: the text's string id and the notify class matched
// against a status's notify class.
struct NotifyItem {
    int32_t StringId;
    int32_t NotifyClass;
};
constexpr size_t kNotifyItemCount = 4;
extern const NotifyItem kNotifyItems[kNotifyItemCount];

// Item of an index; an index beyond the table has class 0.
NotifyItem GetNotifyItem(int iIndex);

// Most notification items a model can offer: each item's switch is stored
// under a name with a three-digit index.
constexpr int kMaxNotifyItemCount = 1000;
// Count of notification items from the integer text of the resource
// module's IDS_NOTIFY_ITEM_COUNT string: its leading decimal digits (after
// blanks), at most kMaxNotifyItemCount; 0 when it starts with none.
int NotifyItemCountOfText(std::string_view strText);

// Ink condition bits, one nibble per ink, and warning bits, one nibble per
// warning code 0x10 + k / 0x30 + k.
constexpr uint32_t kInkBitEmpty = 0x1;
constexpr uint32_t kInkBitFault = 0x2;
constexpr uint32_t kInkBitNoCartridge = 0x4;
constexpr uint32_t kInkBitCI = 0x8;
constexpr uint32_t kWarningBitLow = 0x1;   // code 0x10 + k
constexpr uint32_t kWarningBitHigh = 0x2;  // code 0x30 + k
constexpr unsigned kBitsPerNibble = 4;

// Detail messages that name the affected cartridges: slot s is affected
// when nibble s of the ink condition mask shares a bit with InkBits, or,
// for a warning rule, when nibble s of the warning mask shares a bit with
// WarningBits and the slot's CI bit is clear.
struct CartridgeListRule {
    int32_t DetailMessageId;
    uint32_t InkBits;
    uint32_t WarningBits;
};
// Rule of a detail message id, or null for a message that is its own text.
const CartridgeListRule* FindCartridgeListRule(int32_t iDetailMessageId);
