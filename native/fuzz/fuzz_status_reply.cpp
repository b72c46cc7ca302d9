// libFuzzer entry: arbitrary bytes as a status reply of every form, through
// the header dispatch, each form's decoder directly, the hbm lookup and the
// classification into a status object.
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfo.h"

namespace {

constexpr uint8_t kHbmStatusTag = 0xFE;
constexpr size_t kWideHbmBuffer = 16;
constexpr uint32_t kBdcChannel = 0x10000003;
constexpr uint32_t kHbmChannel = 0x02000001;
constexpr uint32_t kNoChannel = 0;

std::unique_ptr<uint8_t[]> ExactCopy(const uint8_t* pb, size_t cb) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[cb]);
    if (cb) std::memcpy(copy.get(), pb, cb);
    return copy;
}

// A decode keeps its counts within the record and sets no mask.
void CheckDecode(int result, const StatusRecord& r) {
    const bool bSound = (result == 0 || result == 1) && r.InkCount <= kMaxInks && r.InkCodeCount <= kInkCodeSlots &&
                        r.WarningCount <= r.Warning.Count() && r.Status.Count() > 0 && r.Error.Count() > 0 &&
                        r.InkStateMask == 0 && r.WarningMask == 0;
    if (!bSound) __builtin_trap();
}

void CheckHbm(const uint8_t* pbReply, size_t cbReply, uint8_t byTag, size_t cbOut) {
    // The out buffer is exactly sized too, so an overlong copy is caught.
    auto out = std::make_unique<uint8_t[]>(cbOut);
    const int result = FindHbmValue(pbReply, cbReply, byTag, out.get(), cbOut);
    if (result < -1 || result > 1) __builtin_trap();
}

// A decoded reply, and any reply on a channel whose replies are not read,
// gives a status object whose row belongs to the channel's reply type; its
// ink information reads within the record.
void CheckClassify(const uint8_t* pbReply, size_t cbReply, bool bDecoded) {
    const CStatusInfo info;
    for (const uint32_t dwChannel : {kBdcChannel, kHbmChannel, kNoChannel}) {
        const auto pStatus = info.CreateStatusObject(dwChannel, pbReply, cbReply, 0, 0, 0);
        const bool bMustBuild = dwChannel == kNoChannel || (dwChannel == kBdcChannel && bDecoded);
        if (bMustBuild && !pStatus) __builtin_trap();
        if (!pStatus) continue;
        if (pStatus->GetRow().ReplyType != ReplyTypeOfChannel(dwChannel)) __builtin_trap();
        uint8_t abInk[kInkInfoSize];
        for (int iKind = kInkInfoLevels; iKind <= kInkInfoCodes; ++iKind) {
            pStatus->GetInkInfo(iKind, abInk, sizeof(abInk));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t cbData) {
    // A copy of exactly the input's size: ASan reports any read past the reply.
    const auto reply = ExactCopy(pbData, cbData);
    StatusRecord record;
    const int iDecoded = CStatusInfo::ConvertStatusInfo(record, reply.get(), cbData);
    CheckDecode(iDecoded, record);
    CheckClassify(reply.get(), cbData, iDecoded == 1);
    record.Reset();
    CheckDecode(CStatusInfo::ConvertBinaryStatus(record, reply.get(), cbData), record);
    record.Reset();
    CheckDecode(CStatusInfo::ConvertAsciiStatus(record, reply.get(), cbData), record);
    CheckHbm(reply.get(), cbData, kHbmStatusTag, 1);
    if (cbData > 0) CheckHbm(reply.get(), cbData, reply[cbData - 1], kWideHbmBuffer);
    return 0;
}
