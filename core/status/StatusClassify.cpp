// Classification of status replies: status number by the status code
// table, row of the status information table, buttons by connection, and
// the status object built from them.
#include "core/status/StatusClassify.h"

#include <algorithm>
#include <new>
#include <optional>

#include "common/trace/Trace.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfo.h"
#include "core/status/StatusResourceIds.h"
#include "core/status/StatusTables.h"

namespace {

// A 32-bit mask has a nibble for eight inks or warning codes.
constexpr int kMaskNibbles = 8;
constexpr uint8_t kWarningLowFirst = 0x10;
constexpr uint8_t kWarningHighFirst = 0x30;
// High nibbles of warning codes, most telling first.
constexpr uint8_t kWarningPreference[] = {2, 4, 3, 1};

constexpr uint8_t kHbmStatusTag = 0xFE;
// Replies that come without a channel, or through the local command
// channel, keep the buttons of their row.
constexpr uint32_t kChannelNone = 0;
constexpr uint32_t kChannelLocalCommand = 0x10000005;

uint32_t InkConditionBit(uint8_t byLevel) {
    switch (byLevel) {
        case 0:
            return kInkBitEmpty;
        case kInkLevelFault:
            return kInkBitFault;
        case kInkLevelNoCartridge:
            return kInkBitNoCartridge;
        case kInkLevelCI:
            return kInkBitCI;
        default:
            return 0;
    }
}

// Codes in [byFirst, byFirst + 8) give their nibble's bit.
uint32_t WarningGroupBit(uint8_t byCode, uint8_t byFirst, uint32_t dwBit) {
    const int iIndex = byCode - byFirst;
    return iIndex >= 0 && iIndex < kMaskNibbles ? dwBit << (kBitsPerNibble * iIndex) : 0;
}

// Selectors compare by their low byte, so the error selector 0xFFFF
// ("none") matches the code 0xFF.
bool CodeMatches(uint16_t wSelector, uint8_t byCode) {
    return wSelector == kSelectAny || (wSelector & 0xFF) == byCode;
}

// The code comparison also applies to the no-warning selector: a reported
// warning 0xFF selected matches it, as its low byte is 0xFF.
bool WarningMatches(uint16_t wSelector, bool bWarnings, uint8_t bySelected) {
    if (wSelector == kSelectAny) return true;
    if (wSelector == kSelectNoWarning && !bWarnings) return true;
    return bWarnings && (wSelector & 0xFF) == bySelected;
}

// Replies from anywhere but the local command channel (or none) get the
// stop button in place of the row's job buttons, and no sub-button; a
// plain close button stays. The offline cancel sub-button goes only when
// the printer's queue is known to be empty: while the spooler cannot say,
// a job may be stuck there and the button is the user's way to it.
void ChangeButtons(TraceScope& ts, StatusInfoRow& row, CPrinterQueue* pQueue, uint32_t dwChannel,
                   uint32_t dwConnectionFlag, uint32_t dwUserValue) {
    if (row.SubButton == IDS_INK_OFFLINE_CANCEL) {
        ts.Write("Status is Offline\n");
        const QueueLookup lookup = pQueue ? pQueue->FindFirstJob() : QueueLookup::PrinterNotOpened;
        if (lookup == QueueLookup::PrinterNotOpened) return;
        ts.Write("OpenPrinter Success\n");
        if (lookup == QueueLookup::NotKnown) ts.Write("Job list not available\n");
        if (lookup == QueueLookup::Empty) {
            ts.Write("Job Not found\n");
            row.SubButton = 0;
        }
        return;
    }
    const bool bOtherChannel = dwConnectionFlag != 0 || (dwChannel != kChannelNone && dwChannel != kChannelLocalCommand);
    if (!bOtherChannel || (row.Button == IDS_CLOSE && row.SubButton == 0)) return;
    ts.Write("Button info changing\n");
    if (dwUserValue == 0 || row.Button == IDS_DISCHARGE_PAPER) row.Button = IDS_STOP;
    row.SubButton = 0;
}

}  // namespace

uint32_t InkStateMask(const StatusRecord& record, int iInkColorCount) {
    const int nInks = std::clamp(iInkColorCount, 0, kMaskNibbles);
    uint32_t dwMask = 0;
    for (int i = 0; i < nInks; ++i) dwMask |= InkConditionBit(record.Ink[i]) << (kBitsPerNibble * i);
    return dwMask;
}

uint32_t WarningMask(const StatusRecord& record) {
    uint32_t dwMask = 0;
    for (size_t i = 0; i < record.ReportedWarningCount(); ++i) {
        dwMask |= WarningGroupBit(record.Warning[i], kWarningLowFirst, kWarningBitLow);
        dwMask |= WarningGroupBit(record.Warning[i], kWarningHighFirst, kWarningBitHigh);
    }
    return dwMask;
}

uint8_t SelectedWarning(const StatusRecord& record) {
    const size_t nWarnings = record.ReportedWarningCount();
    if (nWarnings == 0) return 0;
    for (uint8_t byHigh : kWarningPreference) {
        for (size_t i = 0; i < nWarnings; ++i) {
            if (record.Warning[i] >> kBitsPerNibble == byHigh) return record.Warning[i];
        }
    }
    return record.Warning[0];
}

uint16_t CStatusInfo::GetStatusNo(const StatusRecord& record) const {
    TraceScope ts("CStatusInfo::GetStatusNo");
    const uint8_t byState = record.Status.FrontOr(kCodeNone);
    const uint8_t byError = record.Error.FrontOr(kCodeNone);
    ts.Write("pStatus->Status = %#x(no cast)\n", static_cast<unsigned>(byState));
    const bool bWarnings = record.ReportedWarningCount() > 0;
    const uint8_t bySelected = SelectedWarning(record);
    std::optional<uint32_t> inkMask;  // only a few rows need it
    for (size_t i = 0; i < kStatusCodeRowCount; ++i) {
        const StatusCodeRow& row = kStatusCodeTable[i];
        if (!CodeMatches(row.State, byState) || !CodeMatches(row.Error, byError) ||
            !WarningMatches(row.Warning, bWarnings, bySelected)) {
            continue;
        }
        if (row.InkMask != kInkMaskAny) {
            if (!inkMask) inkMask = InkStateMask(record, m_iInkColorCount);
            if (!(row.InkMask & *inkMask)) continue;
        }
        ts.Write("StatusCode Table index : %d\n", static_cast<int>(i));
        return row.StatusNo;
    }
    return 0;
}

int CStatusInfo::SearchStatusInfo(int32_t iReplyType, int32_t iStatusNo) {
    TraceScope ts("CStatusInfo::SearchStatusInfo");
    // The table ends with the default row of kReplyTypeOther.
    int iFound = -1;
    for (size_t i = 0; i < kStatusInfoRowCount; ++i) {
        if (kStatusInfoTable[i].ReplyType == iReplyType && kStatusInfoTable[i].StatusNo == iStatusNo) {
            iFound = static_cast<int>(i);
            break;
        }
    }
    ts.Write("StatusInfo Table index : %d\n", iFound);
    return iFound;
}

bool CStatusInfo::ClassifyStatus(StatusClassInfo& info, StatusRecord& record, uint32_t dwChannel,
                                 const uint8_t* pbReply, size_t cbReply, int iForcedStatusNo,
                                 uint32_t dwConnectionFlag, uint32_t dwUserValue) const {
    TraceScope ts("CStatusInfo::ClassifyStatus");
    ts.Write("Channel : %08x\n", static_cast<unsigned>(dwChannel));
    const int32_t iReplyType = ReplyTypeOfChannel(dwChannel);
    int iStatusNo = kStatusNoDefault;
    const StatusRecord* pRecord = nullptr;
    if (pbReply && iReplyType == kReplyTypeBdc) {
        if (!ConvertStatusInfo(record, pbReply, cbReply)) return false;
        iStatusNo = GetStatusNo(record);
        record.InkStateMask = InkStateMask(record, m_iInkColorCount);
        record.WarningMask = WarningMask(record);
        pRecord = &record;
    } else if (pbReply && iReplyType == kReplyTypeHbm) {
        // A status entry without a value byte leaves number 0, which no row
        // of the "hbm" type carries: its default row applies.
        uint8_t byStatusNo = 0;
        if (FindHbmValue(pbReply, cbReply, kHbmStatusTag, &byStatusNo, sizeof(byStatusNo)) != 0) return false;
        iStatusNo = byStatusNo;
    }
    if (iForcedStatusNo != 0) iStatusNo = iForcedStatusNo;
    ts.Write("StatusNo : %d\n", iStatusNo);

    // A number without a row of its reply type gets the type's default row.
    int iRow = SearchStatusInfo(iReplyType, iStatusNo);
    if (iRow < 0) iRow = SearchStatusInfo(iReplyType, kStatusNoDefault);
    if (iRow < 0) return false;
    info = StatusClassInfo();
    info.Row = kStatusInfoTable[iRow];
    ChangeButtons(ts, info.Row, m_pQueue, dwChannel, dwConnectionFlag, dwUserValue);
    info.pStatusBuff = pRecord;
    info.pPictureRow = FindStatusPicture(info.Row.PictureId);
    info.UserValue = dwUserValue;
    return true;
}

void CStatusInfo::SetTroubleDialogInfo(StatusClassInfo& info) const {
    info.TroubleShoot = TroubleShootInfo();
    if (m_pTroubleShooter) m_pTroubleShooter->Decide(info, m_strDataFile);
}

std::unique_ptr<CPrinterStatus> CStatusInfo::CreateStatusObject(uint32_t dwChannel, const uint8_t* pbReply,
                                                                size_t cbReply, int iForcedStatusNo,
                                                                uint32_t dwConnectionFlag,
                                                                uint32_t dwUserValue) const {
    TraceScope ts("CStatusInfo::CreateStatusObject");
    StatusRecord record;
    StatusClassInfo info;
    if (!ClassifyStatus(info, record, dwChannel, pbReply, cbReply, iForcedStatusNo, dwConnectionFlag, dwUserValue)) {
        return nullptr;
    }
    if (!m_strDataFile.empty()) SetTroubleDialogInfo(info);
    ts.Write("CStatusInfo::CreateStatusObject pCNowStatus = (CPrinterStatus *)new CPrinterStatus(&StatusClassInfo)\n");
    std::unique_ptr<CPrinterStatus> pStatus;
    try {
        pStatus = std::make_unique<CPrinterStatus>(info);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    ts.Write("CreateStatusObject success\n");
    return pStatus;
}
