#include "core/status/PrinterStatus.h"

#include <algorithm>

#include "common/trace/Trace.h"
#include "core/status/StatusClassify.h"

namespace {

constexpr uint8_t kPrintingState = 0x03;

// Web address text of an ink level: the level up to this bound, else "NA".
constexpr uint8_t kUrlLevelBound = 252;
constexpr std::string_view kUrlInkCount = "4";
constexpr std::string_view kUrlNoLevel = "NA";

constexpr std::string_view kLineEnd = "\r\n";

// The trace shows pointers as 32-bit numbers, as the shipping build has them.
unsigned TracePointer(const void* p) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(p)); }

uint8_t InkMark(uint8_t byLevel) {
    switch (byLevel) {
        case kInkLevelFault:
            return 'r';
        case kInkLevelNoCartridge:
            return 'n';
        case kInkLevelCI:
            return 'i';
        default:
            return byLevel;
    }
}

// dwWarningNibble: the slot's nibble of the warning mask.
uint8_t SlotStateOfLevel(uint8_t byLevel, uint32_t dwWarningNibble) {
    switch (byLevel) {
        case kInkLevelFault:
            return kInkSlotFault;
        case kInkLevelNoCartridge:
            return kInkSlotNoCartridge;
        case 0:
            return kInkSlotEmpty;
        case kInkLevelCI:
            return kInkSlotCI;
        default:
            return dwWarningNibble & (kWarningBitLow | kWarningBitHigh) ? kInkSlotWarning : kInkSlotNormal;
    }
}

uint32_t Nibble(uint32_t dwMask, size_t nSlot) { return dwMask >> (kBitsPerNibble * nSlot) & 0xF; }

}  // namespace

CPrinterStatus::CPrinterStatus(const StatusClassInfo& info)
    : m_bHasStatus(info.pStatusBuff != nullptr),
      m_record(info.pStatusBuff ? *info.pStatusBuff : StatusRecord()),
      m_row(info.Row),
      m_pictureRow(info.pPictureRow ? *info.pPictureRow : StatusPictureRow{}),
      m_troubleShoot(info.TroubleShoot),
      m_dwUserValue(info.UserValue) {
    TraceScope ts("CPrinterStatus::CPrinterStatus");
    ts.Write("pStatusClassInfo->pStatusBuff = %#x\n", TracePointer(info.pStatusBuff));
}

CPrinterStatus::~CPrinterStatus() = default;

int CPrinterStatus::GetStatusJobID(uint32_t& dwJobId) const {
    TraceScope ts("CPrinterStatus::GetStatusJobID");
    if (!m_bHasStatus) return 0;
    dwJobId = m_record.JobID;
    ts.Write("Status Reply Job ID = 0x%x\n", static_cast<unsigned>(dwJobId));
    return 1;
}

int CPrinterStatus::GetStatusRecord(StatusRecord& record) const {
    if (!m_bHasStatus) return 0;
    record = m_record;
    return 1;
}

int CPrinterStatus::GetPrintingState() const {
    if (!m_bHasStatus) return 0;
    return m_record.Status.FrontOr(kCodeNone) == kPrintingState ? 2 : 1;
}

int CPrinterStatus::GetInkInfo(int iKind, uint8_t* pbBuffer, size_t cbBuffer) const {
    if (!m_bHasStatus || !pbBuffer || cbBuffer != kInkInfoSize) return 0;
    const StatusRecord& r = m_record;
    switch (iKind) {
        case kInkInfoLevels:
            std::copy_n(r.Ink.begin(), kInkInfoSize, pbBuffer);
            return 1;
        case kInkInfoMarks:
            std::transform(r.Ink.begin(), r.Ink.begin() + kInkInfoSize, pbBuffer, InkMark);
            return 1;
        case kInkInfoExtra:
            std::copy_n(r.InkExtra.begin(), kInkInfoSize, pbBuffer);
            return 1;
        case kInkInfoStates: {
            const uint32_t dwWarnings = WarningMask(r);
            for (size_t s = 0; s < kInkInfoSize; ++s) pbBuffer[s] = SlotStateOfLevel(r.Ink[s], Nibble(dwWarnings, s));
            return 1;
        }
        case kInkInfoCodes: {
            // Bytes beyond the reported codes are left as the caller had them.
            const size_t nCodes = std::min<size_t>(r.InkCodeCount, kInkInfoSize);
            for (size_t j = 0; j < nCodes; ++j) pbBuffer[j] = static_cast<uint8_t>(r.InkCode[j] & 0xFF);
            return 1;
        }
        default:
            return 0;
    }
}

int CPrinterStatus::GetPictureRow(StatusPictureRow& row) const {
    row = m_pictureRow;
    return 1;
}

uint32_t CPrinterStatus::GetTroubleShootInfo(TroubleShootInfo* pInfo) const {
    if (pInfo) *pInfo = m_troubleShoot;
    return m_troubleShoot.Type;
}

std::string CPrinterStatus::GetSubMessageText(std::string_view strDetailText, const CartridgeTexts& texts) const {
    const CartridgeListRule* pRule = FindCartridgeListRule(m_row.DetailMessageId);
    if (!pRule) return std::string(strDetailText);
    TraceScope ts("CPrinterStatus::GetSubMessageText");
    const unsigned uSlots = CartridgeListSlots(*pRule, m_record.InkStateMask, m_record.WarningMask);
    std::string strList;
    for (size_t s = 0; s < texts.size(); ++s) {
        if (!(uSlots & 1u << s) || texts[s].empty()) continue;
        strList += texts[s];
        strList += kLineEnd;
    }
    std::string strText = FillFormat(strDetailText, {strList});
    ts.Write("csSubMsg = %s\n", strText.c_str());
    return strText;
}

std::string CPrinterStatus::FormatInkStatusURL(std::string_view strFormat, std::string_view strHeader) const {
    TraceScope ts("CPrinterStatus::FormatInkStatusURL");
    if (strFormat.empty()) {
        ts.Write("IDS_INKSTATUSURL not found\n");
        return {};
    }
    std::array<std::string, kInkInfoSize> levels;
    const size_t nInks = std::min<size_t>(m_record.InkCount, kInkInfoSize);
    for (size_t i = 0; i < levels.size(); ++i) {
        uint8_t byLevel = kUrlLevelBound;
        if (i < nInks) {
            byLevel = m_record.Ink[i];
            ts.Write("pStatus->Ink[%d] = %d\n", static_cast<int>(i), byLevel);
        }
        levels[i] = byLevel < kUrlLevelBound ? std::to_string(byLevel) : std::string(kUrlNoLevel);
    }
    // The header is finished text, so it goes in front after the filling:
    // a '%' in it (an escaped address character) is not taken for a field.
    if (!strHeader.empty()) ts.Write("InkStatusURL(header) = %.*s\n", static_cast<int>(strHeader.size()), strHeader.data());
    std::string strUrl(strHeader);
    strUrl += FillFormat(strFormat, {kUrlInkCount, levels[0], levels[1], levels[2], levels[3]});
    ts.Write("InkStatusURL = %s\n", strUrl.c_str());
    return strUrl;
}

unsigned CartridgeListSlots(const CartridgeListRule& rule, uint32_t dwInkStateMask, uint32_t dwWarningMask) {
    unsigned uSlots = 0;
    for (size_t s = 0; s < kInkInfoSize; ++s) {
        const uint32_t dwInk = Nibble(dwInkStateMask, s);
        const bool bByInk = dwInk & rule.InkBits;
        const bool bByWarning = Nibble(dwWarningMask, s) & rule.WarningBits && !(dwInk & kInkBitCI);
        if (bByInk || bByWarning) uSlots |= 1u << s;
    }
    return uSlots;
}

std::string FillFormat(std::string_view strFormat, std::initializer_list<std::string_view> args) {
    std::string strText;
    auto itArg = args.begin();
    for (size_t i = 0; i < strFormat.size(); ++i) {
        const char ch = strFormat[i];
        const char chNext = i + 1 < strFormat.size() ? strFormat[i + 1] : '\0';
        if (ch != '%' || (chNext != 's' && chNext != 'd' && chNext != '%')) {
            strText += ch;
            continue;
        }
        ++i;
        if (chNext == '%') {
            strText += '%';
        } else if (itArg != args.end()) {
            strText += *itArg++;
        }
    }
    return strText;
}
