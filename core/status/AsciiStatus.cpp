// Text status replies: "@BDC ST\r\n", then fields "TAG:value;" up to an end
// mark, e.g. "ST:04;ER:00;IQ:5ANA;" and a form feed.
#include <algorithm>
#include <cstring>
#include <limits>

#include "common/trace/Trace.h"
#include "core/status/StatusDecode_private.h"
#include "core/status/StatusInfo.h"

namespace {

constexpr char kFieldEnd = ';';
constexpr char kItemSeparator = ',';
constexpr uint8_t kEndMarkFF = 0xFF;
constexpr uint8_t kEndMarkFormFeed = 0x0C;
constexpr size_t kHexByteChars = 2;
constexpr size_t kInkLevelChars = 2;
constexpr size_t kInkCodeChars = 4;
// WarningCount holds the number of one field's codes in 8 bits.
constexpr size_t kMaxWarnings = std::numeric_limits<uint8_t>::max();

struct InkMark {
    std::string_view text;
    uint8_t byLevel;
};
constexpr InkMark kInkMarks[] = {
    {"NA", kInkLevelNoCartridge},
    {"RE", kInkLevelFault},
    {"WE", kInkLevelFault},
    {"CI", kInkLevelCI},
};

// Read position in the reply; every read first checks that its bytes remain.
class CAsciiCursor {
public:
    CAsciiCursor(const uint8_t* pbReply, size_t cbReply, size_t nPos)
        : m_pbReply(pbReply), m_cbReply(cbReply), m_nPos(nPos) {}

    bool Remains(size_t cb) const { return m_nPos <= m_cbReply && m_cbReply - m_nPos >= cb; }
    // Only after Remains(1).
    uint8_t Peek() const { return m_pbReply[m_nPos]; }
    void Skip(size_t cb) { m_nPos += cb; }
    size_t Position() const { return m_nPos; }

    bool StartsWith(std::string_view text) const {
        return Remains(text.size()) && std::memcmp(m_pbReply + m_nPos, text.data(), text.size()) == 0;
    }
    bool ReadHexByte(uint8_t& byOut) {
        if (!Remains(kHexByteChars) || !HexPairToByte(CharAt(0), CharAt(1), byOut)) return false;
        Skip(kHexByteChars);
        return true;
    }
    bool ReadChar(char ch) {
        if (!Remains(1) || Peek() != static_cast<uint8_t>(ch)) return false;
        Skip(1);
        return true;
    }

private:
    char CharAt(size_t nOffset) const { return static_cast<char>(m_pbReply[m_nPos + nOffset]); }

    const uint8_t* m_pbReply;
    size_t m_cbReply;
    size_t m_nPos;
};

struct AsciiDecode {
    CAsciiCursor cursor;
    StatusRecord& record;
    TraceScope& trace;
    int iStatusFields;
};

// Two hex digits and the field's ";".
bool ReadByteField(CAsciiCursor& cursor, uint8_t& byValue) {
    return cursor.ReadHexByte(byValue) && cursor.ReadChar(kFieldEnd);
}

// Items of a list field: after each item a ";" ends the field, a "," is
// passed over where bSeparated, anything else starts the next item.
template <typename ReadItem>
bool ReadItemList(CAsciiCursor& cursor, size_t nMaxItems, bool bSeparated, ReadItem readItem, size_t& nItems) {
    for (size_t k = 0;;) {
        if (k >= nMaxItems || !readItem(k)) return false;
        ++k;
        if (!cursor.Remains(1)) return false;
        if (cursor.ReadChar(kFieldEnd)) {
            nItems = k;
            return true;
        }
        if (bSeparated) cursor.ReadChar(kItemSeparator);
    }
}

bool ReadInkLevel(CAsciiCursor& cursor, uint8_t& byLevel) {
    if (!cursor.Remains(kInkLevelChars)) return false;
    for (const InkMark& mark : kInkMarks) {
        if (cursor.StartsWith(mark.text)) {
            byLevel = mark.byLevel;
            cursor.Skip(kInkLevelChars);
            return true;
        }
    }
    uint8_t byPercent = 0;
    if (!cursor.ReadHexByte(byPercent)) return false;
    byLevel = std::min(byPercent, kInkLevelMax);
    return true;
}

bool ReadInkCode(CAsciiCursor& cursor, uint16_t& wCode) {
    uint8_t byHigh = 0;
    uint8_t byLow = 0;
    if (!cursor.Remains(kInkCodeChars) || !cursor.ReadHexByte(byHigh) || !cursor.ReadHexByte(byLow)) return false;
    wCode = static_cast<uint16_t>(byHigh << 8 | byLow);
    return true;
}

bool ParseCodeField(CAsciiCursor& cursor, CByteList& list) {
    uint8_t byCode = 0;
    if (!ReadByteField(cursor, byCode)) return false;
    AppendCodeField(list, &byCode, 1);
    return true;
}

bool ParseState(AsciiDecode& d) {
    ++d.iStatusFields;
    return ParseCodeField(d.cursor, d.record.Status);
}

bool ParseError(AsciiDecode& d) { return ParseCodeField(d.cursor, d.record.Error); }

bool ParseInkLevels(AsciiDecode& d) {
    size_t nInks = 0;
    const auto readLevel = [&d](size_t k) { return ReadInkLevel(d.cursor, d.record.Ink[k]); };
    if (!ReadItemList(d.cursor, kMaxInks, false, readLevel, nInks)) return false;
    d.record.InkCount = static_cast<uint8_t>(nInks);
    return true;
}

bool ParseWarnings(AsciiDecode& d) {
    size_t nWarnings = 0;
    const auto readWarning = [&d](size_t) {
        uint8_t byCode = 0;
        if (!d.cursor.ReadHexByte(byCode)) return false;
        d.record.Warning.Append(byCode);
        return true;
    };
    if (!ReadItemList(d.cursor, kMaxWarnings, true, readWarning, nWarnings)) return false;
    d.record.WarningCount = static_cast<uint8_t>(nWarnings);
    return true;
}

bool ParseRcCode(AsciiDecode& d) { return ReadByteField(d.cursor, d.record.RcCode); }

bool ParseInkCodes(AsciiDecode& d) {
    size_t nCodes = 0;
    const auto readCode = [&d](size_t k) { return ReadInkCode(d.cursor, d.record.InkCodeSlot(k)); };
    if (!ReadItemList(d.cursor, kInkCodeSlots, true, readCode, nCodes)) return false;
    d.record.InkCodeCount = static_cast<uint8_t>(nCodes);
    return true;
}

bool ParseCancel(AsciiDecode& d) {
    uint8_t byCancel = 0;
    if (!ReadByteField(d.cursor, byCancel)) return false;
    d.trace.Write("byCancel = %x\n", byCancel);
    d.record.Cancel = byCancel == kCancelCode ? 1 : 0;
    return true;
}

struct AsciiField {
    std::string_view tag;
    bool (*parse)(AsciiDecode&);
};
constexpr AsciiField kAsciiFields[] = {
    {"ST:", ParseState},
    {"ER:", ParseError},
    {"IQ:", ParseInkLevels},
    {"WR:", ParseWarnings},
    {"RC:", ParseRcCode},
    {"INK:", ParseInkCodes},
    {"CA:", ParseCancel},
};

// Decodes the field whose tag starts at the cursor, or passes over one byte
// that starts none: printers put bytes between fields (the body length) that
// belong to no field.
bool DecodeFieldOrSkip(AsciiDecode& d) {
    for (const AsciiField& field : kAsciiFields) {
        if (d.cursor.StartsWith(field.tag)) {
            d.cursor.Skip(field.tag.size());
            return field.parse(d);
        }
    }
    d.cursor.Skip(1);
    return true;
}

bool IsEndMark(uint8_t by) { return by == kEndMarkFF || by == kEndMarkFormFeed; }

}  // namespace

int CStatusInfo::ConvertAsciiStatus(StatusRecord& record, const uint8_t* pbReply, size_t cbReply) {
    TraceScope ts("CStatusInfo::ConvertAsciiStatus");
    if (!pbReply) return 0;
    // The end mark is looked for only after a field or a skipped byte, so the
    // byte right after the header is never taken for one.
    AsciiDecode d{CAsciiCursor(pbReply, cbReply, kAsciiHeader.size()), record, ts, 0};
    for (;;) {
        if (!DecodeFieldOrSkip(d) || !d.cursor.Remains(1)) {
            ts.Write("bad reply at %u\n", static_cast<unsigned>(d.cursor.Position()));
            return 0;
        }
        if (IsEndMark(d.cursor.Peek())) return d.iStatusFields > 0 ? 1 : 0;
    }
}
