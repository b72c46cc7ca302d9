// The decoded printer status: what a status reply says, in the shape that
// classification, the status window and the ink code read.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Ordered list of 8-bit codes (states, errors, warnings) as a reply gives them.
class CByteList {
public:
    CByteList() = default;
    CByteList(std::initializer_list<uint8_t> bytes) : m_vecBytes(bytes) {}

    void Append(uint8_t byValue) { m_vecBytes.push_back(byValue); }
    // No-op on an empty list.
    void RemoveFront() {
        if (!m_vecBytes.empty()) m_vecBytes.erase(m_vecBytes.begin());
    }
    size_t Count() const { return m_vecBytes.size(); }
    // First entry, or byEmpty for an empty list.
    uint8_t FrontOr(uint8_t byEmpty) const { return m_vecBytes.empty() ? byEmpty : m_vecBytes.front(); }
    uint8_t operator[](size_t nIndex) const { return m_vecBytes[nIndex]; }

    bool operator==(const CByteList& other) const { return m_vecBytes == other.m_vecBytes; }
    bool operator!=(const CByteList& other) const { return !(*this == other); }

private:
    std::vector<uint8_t> m_vecBytes;
};

constexpr size_t kMaxInks = 10;
// InkCode and InkColor taken together, as the text form's "INK:" field fills them.
constexpr size_t kInkCodeSlots = 2 * kMaxInks;
constexpr size_t kJobNameSize = 32;
constexpr size_t kExtraDataSize = 20;

// Status and Error entry when the reply named none.
constexpr uint8_t kCodeNone = 0xFF;
// Ink levels: percent up to kInkLevelMax, or one of the condition marks.
constexpr uint8_t kInkLevelMax = 100;
constexpr uint8_t kInkLevelNoCartridge = 0xFF;
constexpr uint8_t kInkLevelFault = 0xFE;
constexpr uint8_t kInkLevelCI = 0xFD;
constexpr uint8_t kRcCodeNone = 0xFF;
constexpr int32_t kNotReported = -1;
constexpr uint8_t kUnsetByte = 0xFF;

template <size_t N>
constexpr std::array<uint8_t, N> FilledByteArray(uint8_t byValue) {
    std::array<uint8_t, N> arr{};
    for (auto& by : arr) by = byValue;
    return arr;
}

struct StatusRecord {
    CByteList Status{kCodeNone};
    CByteList Error{kCodeNone};
    uint8_t InkCount = 0;
    std::array<uint8_t, kMaxInks> Ink{};
    uint8_t InkCodeCount = 0;
    std::array<uint16_t, kMaxInks> InkCode{};
    std::array<uint16_t, kMaxInks> InkColor{};
    uint32_t InkStateMask = 0;
    uint32_t WarningMask = 0;
    uint8_t WarningCount = 0;
    CByteList Warning;
    uint8_t RcCode = kRcCodeNone;
    int32_t Cancel = 0;
    uint32_t JobID = 0;
    std::array<uint8_t, kJobNameSize> JobName{};
    int32_t LogoResult = kNotReported;
    int32_t RcFlag = kNotReported;
    int32_t ExtraCount = 0;
    std::array<uint8_t, kExtraDataSize> ExtraData = FilledByteArray<kExtraDataSize>(kUnsetByte);
    std::array<uint8_t, kMaxInks> InkExtra = FilledByteArray<kMaxInks>(kUnsetByte);

    // Back to the values every decode starts from.
    void Reset() { *this = StatusRecord(); }

    // Warnings that count: WarningCount of them, as far as Warning holds.
    size_t ReportedWarningCount() const { return std::min<size_t>(WarningCount, Warning.Count()); }

    // Slot nSlot (below kInkCodeSlots) of InkCode followed by InkColor.
    uint16_t& InkCodeSlot(size_t nSlot) { return nSlot < kMaxInks ? InkCode[nSlot] : InkColor[nSlot - kMaxInks]; }

    bool operator==(const StatusRecord& other) const;
    bool operator!=(const StatusRecord& other) const { return !(*this == other); }
};
