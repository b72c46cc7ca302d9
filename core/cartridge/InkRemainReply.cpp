#include "core/cartridge/InkRemainReply.h"

#include <cstring>
#include <string_view>

#include "core/status/StatusInfo.h"

namespace {

constexpr std::string_view kHeader{"@BDC PS\r\n"};
constexpr std::string_view kInkRemainTag{"IR:"};
constexpr std::string_view kNotAvailable{"NAVL"};
constexpr std::string_view kBusy{"BUSY"};
constexpr int kTagOffset = 9;
constexpr int kBlackOffset = 12;
constexpr int kColorOffset = 16;
constexpr int kValueDigits = 4;
constexpr int kTerminatorOffset = 20;
constexpr char kTerminator = ';';

char AsciiUpper(uint8_t by) { return by >= 'a' && by <= 'z' ? static_cast<char>(by - 'a' + 'A') : static_cast<char>(by); }

bool EqualsIgnoringCase(const uint8_t* pb, std::string_view strUpper) {
    for (size_t i = 0; i < strUpper.size(); ++i) {
        if (AsciiUpper(pb[i]) != strUpper[i]) return false;
    }
    return true;
}

bool IsUnavailable(const uint8_t* pbField) {
    return EqualsIgnoringCase(pbField, kNotAvailable) || EqualsIgnoringCase(pbField, kBusy);
}

// Four hex digits, high byte first.
bool ReadValue(const uint8_t* pbField, uint16_t& wValue) {
    uint8_t byHigh = 0;
    uint8_t byLow = 0;
    if (!HexPairToByte(static_cast<char>(pbField[0]), static_cast<char>(pbField[1]), byHigh) ||
        !HexPairToByte(static_cast<char>(pbField[2]), static_cast<char>(pbField[3]), byLow))
        return false;
    wValue = static_cast<uint16_t>(byHigh << 8 | byLow);
    return true;
}

}  // namespace

int AnalyzeCsicRemainData(const uint8_t* pbReply, int iLength, uint16_t* pwBlack, uint16_t* pwColor) {
    static_assert(kColorOffset + kValueDigits == kTerminatorOffset, "the terminator follows the colour value");
    if (!pbReply || !pwBlack || !pwColor || iLength < kBlackOffset ||
        std::memcmp(pbReply, kHeader.data(), kHeader.size()) != 0)
        return -1;
    if (!EqualsIgnoringCase(pbReply + kTagOffset, kInkRemainTag)) return 0;
    if (iLength < kTerminatorOffset) return -1;
    if (IsUnavailable(pbReply + kBlackOffset) || IsUnavailable(pbReply + kColorOffset)) return 0;
    uint16_t wBlack = 0;
    uint16_t wColor = 0;
    if (!ReadValue(pbReply + kBlackOffset, wBlack) || !ReadValue(pbReply + kColorOffset, wColor)) return -1;
    if (iLength <= kTerminatorOffset || pbReply[kTerminatorOffset] != kTerminator) return -1;
    *pwBlack = wBlack;
    *pwColor = wColor;
    return 1;
}
