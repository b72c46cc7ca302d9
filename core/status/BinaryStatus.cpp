// Binary status replies: "@BDC ST2\r\n", a 16-bit little-endian body length,
// then fields of type byte, length byte and value bytes.
#include <algorithm>
#include <climits>

#include "common/trace/Trace.h"
#include "core/status/StatusDecode_private.h"
#include "core/status/StatusInfo.h"

namespace {

constexpr size_t kLengthOffset = kBinaryHeader.size();
constexpr size_t kLengthSize = 2;
constexpr size_t kBodyOffset = kLengthOffset + kLengthSize;
constexpr size_t kFieldHeaderSize = 2;  // type byte, length byte

// Field types read; 0x06 and all others are passed over by their length.
constexpr uint8_t kFieldStatus = 0x01;
constexpr uint8_t kFieldError = 0x02;
constexpr uint8_t kFieldWarnings = 0x04;
constexpr uint8_t kFieldRcFlag = 0x0E;
constexpr uint8_t kFieldInk = 0x0F;
constexpr uint8_t kFieldCancel = 0x13;
constexpr uint8_t kFieldJob = 0x19;
constexpr uint8_t kFieldExtra = 0x1F;
constexpr uint8_t kFieldLogoResult = 0x24;

// Ink field: entry size byte, then entries of code, colour, level and, in
// the large size, one extra byte.
constexpr size_t kInkEntrySmall = 3;
constexpr size_t kInkEntryLarge = 4;
constexpr size_t kInkEntriesOffset = 1;
constexpr size_t kInkEntryCode = 0;
constexpr size_t kInkEntryColor = 1;
constexpr size_t kInkEntryLevel = 2;
constexpr size_t kInkEntryExtra = 3;

struct InkMark {
    uint8_t byMark;
    uint8_t byLevel;
};
constexpr InkMark kInkMarks[] = {
    {'n', kInkLevelNoCartridge},
    {'r', kInkLevelFault},
    {'w', kInkLevelFault},
    {'i', kInkLevelCI},
};

// Job field: information type, job id (least significant byte first), name.
constexpr uint8_t kJobTypeLast = 3;
constexpr size_t kJobIdOffset = 1;
constexpr size_t kJobIdSize = 4;
constexpr size_t kJobNameOffset = kJobIdOffset + kJobIdSize;

struct FieldValue {
    const uint8_t* pb;
    size_t cb;
};

struct BinaryDecode {
    StatusRecord& record;
    TraceScope& trace;
    int iStatusFields;
};

uint32_t ReadBigEndian(FieldValue v) {
    uint32_t dwValue = 0;
    for (size_t i = 0; i < v.cb; ++i) dwValue = dwValue << 8 | v.pb[i];
    return dwValue;
}

// cb up to 4.
uint32_t ReadLittleEndian(const uint8_t* pb, size_t cb) {
    uint32_t dwValue = 0;
    for (size_t i = cb; i-- > 0;) dwValue = dwValue << 8 | pb[i];
    return dwValue;
}

uint8_t InkLevel(TraceScope& ts, uint8_t byLevel) {
    for (const InkMark& mark : kInkMarks) {
        if (byLevel == mark.byMark) return mark.byLevel;
    }
    ts.Write("ink remain = %d(%02Xh)\n", byLevel, byLevel);
    return std::min(byLevel, kInkLevelMax);
}

// Slot of an ink entry: by its code, else by its colour.
int InkEntrySlot(TraceScope& ts, uint8_t byCode, uint8_t byColor) {
    int iSlot = FindInkSlot(&InkCodeRow::InkCode, byCode);
    if (iSlot != kNoInkSlot) {
        ts.Write("m1Idx = %d\n", iSlot);
        return iSlot;
    }
    iSlot = FindInkSlot(&InkCodeRow::ColorCode, byColor);
    if (iSlot != kNoInkSlot) ts.Write("m2Idx = %d\n", iSlot);
    return iSlot;
}

bool DecodeInkEntry(BinaryDecode& d, size_t k, const uint8_t* pbEntry, bool bExtra) {
    const uint8_t byColor = pbEntry[kInkEntryColor];
    const int iSlot = InkEntrySlot(d.trace, pbEntry[kInkEntryCode], byColor);
    if (iSlot == kNoInkSlot || k >= kMaxInks) return false;
    StatusRecord& r = d.record;
    r.InkCode[k] = kInkCodeTable[iSlot].InkCode;
    r.InkColor[k] = byColor;
    r.Ink[k] = InkLevel(d.trace, pbEntry[kInkEntryLevel]);
    if (bExtra) r.InkExtra[k] = pbEntry[kInkEntryExtra];
    // A further ink field starts over at entry 0, so the counts name the
    // valid entries, not the entries seen.
    const auto nValid = static_cast<uint8_t>(k + 1);
    r.InkCount = std::max(r.InkCount, nValid);
    r.InkCodeCount = std::max(r.InkCodeCount, nValid);
    return true;
}

bool DecodeInk(BinaryDecode& d, FieldValue v) {
    if (v.cb == 0) return true;
    const size_t cbEntry = v.pb[0];
    if (cbEntry != kInkEntrySmall && cbEntry != kInkEntryLarge) return false;
    // Entries must end within the field: a 4-byte entry whose last byte
    // would lie past the reply fails rather than being guessed.
    size_t k = 0;
    for (size_t nPos = kInkEntriesOffset; nPos < v.cb; nPos += cbEntry, ++k) {
        if (v.cb - nPos < cbEntry || !DecodeInkEntry(d, k, v.pb + nPos, cbEntry == kInkEntryLarge)) return false;
    }
    return true;
}

bool DecodeStatus(BinaryDecode& d, FieldValue v) {
    ++d.iStatusFields;
    AppendCodeField(d.record.Status, v.pb, v.cb);
    return true;
}

bool DecodeError(BinaryDecode& d, FieldValue v) {
    AppendCodeField(d.record.Error, v.pb, v.cb);
    return true;
}

bool DecodeWarnings(BinaryDecode& d, FieldValue v) {
    d.record.WarningCount = static_cast<uint8_t>(v.cb);
    for (size_t i = 0; i < v.cb; ++i) d.record.Warning.Append(v.pb[i]);
    return true;
}

bool DecodeCancel(BinaryDecode& d, FieldValue v) {
    d.record.Cancel = v.cb > 0 && v.pb[0] == kCancelCode ? 1 : 0;
    return true;
}

// Job information of other types, or none at all, is passed over; a known
// type too short to hold the job id fails.
bool DecodeJob(BinaryDecode& d, FieldValue v) {
    if (v.cb == 0 || v.pb[0] > kJobTypeLast) return true;
    if (v.cb < kJobNameOffset) return false;
    d.record.JobID = ReadLittleEndian(v.pb + kJobIdOffset, kJobIdSize);
    d.record.JobName.fill(0);
    std::copy_n(v.pb + kJobNameOffset, std::min(v.cb - kJobNameOffset, kJobNameSize), d.record.JobName.begin());
    return true;
}

// Flag fields longer than four bytes keep their last four bytes.
bool DecodeRcFlag(BinaryDecode& d, FieldValue v) {
    d.record.RcFlag = static_cast<int32_t>(ReadBigEndian(v));
    return true;
}

bool DecodeLogoResult(BinaryDecode& d, FieldValue v) {
    d.record.LogoResult = static_cast<int32_t>(ReadBigEndian(v));
    return true;
}

bool DecodeExtra(BinaryDecode& d, FieldValue v) {
    d.record.ExtraCount = static_cast<int32_t>(v.cb);
    std::copy_n(v.pb, std::min(v.cb, kExtraDataSize), d.record.ExtraData.begin());
    return true;
}

struct BinaryField {
    uint8_t byType;
    bool (*decode)(BinaryDecode&, FieldValue);
};
constexpr BinaryField kBinaryFields[] = {
    {kFieldStatus, DecodeStatus},
    {kFieldError, DecodeError},
    {kFieldWarnings, DecodeWarnings},
    {kFieldInk, DecodeInk},
    {kFieldCancel, DecodeCancel},
    {kFieldJob, DecodeJob},
    {kFieldRcFlag, DecodeRcFlag},
    {kFieldLogoResult, DecodeLogoResult},
    {kFieldExtra, DecodeExtra},
};

bool DecodeField(BinaryDecode& d, uint8_t byType, FieldValue v) {
    for (const BinaryField& field : kBinaryFields) {
        if (field.byType == byType) return field.decode(d, v);
    }
    return true;
}

int TraceInt(size_t n) { return static_cast<int>(std::min<size_t>(n, INT_MAX)); }

int FailAt(TraceScope& ts, size_t nBodyPos) {
    ts.Write("bad field at %d\n", TraceInt(nBodyPos));
    return 0;
}

}  // namespace

int CStatusInfo::ConvertBinaryStatus(StatusRecord& record, const uint8_t* pbReply, size_t cbReply) {
    TraceScope ts("CStatusInfo::ConvertBinaryStatus");
    ts.DumpStatusReply(pbReply, cbReply);
    ts.Write("iBuffSize = %d\n", TraceInt(cbReply));
    if (!pbReply || cbReply < kBodyOffset) return 0;
    const size_t cbBody = ReadLittleEndian(pbReply + kLengthOffset, kLengthSize);
    const uint8_t* pbBody = pbReply + kBodyOffset;
    const size_t cbPresent = cbReply - kBodyOffset;
    if (cbBody == 0) return 0;

    // Every field, read or passed over, must lie wholly within the reply, so
    // a body length beyond the bytes present fails as well. A field may run
    // past the body length as long as the reply holds it.
    BinaryDecode d{record, ts, 0};
    for (size_t q = 0; q < cbBody;) {
        const size_t cbLeft = cbPresent - q;
        if (cbLeft < kFieldHeaderSize || cbLeft - kFieldHeaderSize < pbBody[q + 1]) return FailAt(ts, q);
        const FieldValue v{pbBody + q + kFieldHeaderSize, pbBody[q + 1]};
        if (!DecodeField(d, pbBody[q], v)) return FailAt(ts, q);
        q += kFieldHeaderSize + v.cb;
    }
    return d.iStatusFields > 0 ? 1 : 0;
}
