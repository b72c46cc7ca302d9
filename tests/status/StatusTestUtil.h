// Table runner and printers shared by the status decoding tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>

#include "common/trace/Trace.h"
#include "core/status/StatusInfo.h"
#include "tests/status/StatusReplySamples.h"

inline std::string HexDump(const Bytes& bytes) { return TraceFormatDump("bytes: ", bytes.data(), bytes.size()); }

template <typename T, size_t N>
void PrintArray(std::ostream& os, const char* pszName, const std::array<T, N>& arr) {
    os << ' ' << pszName << '=';
    for (size_t i = 0; i < N; ++i) os << (i ? "," : "") << std::hex << static_cast<unsigned>(arr[i]) << std::dec;
}

inline void PrintList(std::ostream& os, const char* pszName, const CByteList& list) {
    os << ' ' << pszName << "=[";
    for (size_t i = 0; i < list.Count(); ++i) os << (i ? "," : "") << std::hex << unsigned{list[i]} << std::dec;
    os << ']';
}

inline void PrintTo(const CByteList& list, std::ostream* os) { PrintList(*os, "list", list); }

// Lets failed record comparisons show both records in full.
inline void PrintTo(const StatusRecord& r, std::ostream* os) {
    PrintList(*os, "Status", r.Status);
    PrintList(*os, "Error", r.Error);
    *os << " InkCount=" << unsigned{r.InkCount};
    PrintArray(*os, "Ink", r.Ink);
    *os << " InkCodeCount=" << unsigned{r.InkCodeCount};
    PrintArray(*os, "InkCode", r.InkCode);
    PrintArray(*os, "InkColor", r.InkColor);
    *os << std::hex << " InkStateMask=" << r.InkStateMask << " WarningMask=" << r.WarningMask << std::dec
        << " WarningCount=" << unsigned{r.WarningCount};
    PrintList(*os, "Warning", r.Warning);
    *os << std::hex << " RcCode=" << unsigned{r.RcCode} << std::dec << " Cancel=" << r.Cancel << std::hex
        << " JobID=" << r.JobID << std::dec;
    PrintArray(*os, "JobName", r.JobName);
    *os << " LogoResult=" << r.LogoResult << " RcFlag=" << r.RcFlag << " ExtraCount=" << r.ExtraCount;
    PrintArray(*os, "ExtraData", r.ExtraData);
    PrintArray(*os, "InkExtra", r.InkExtra);
}

// A heap copy of exactly the reply's size, so that a sanitizer build reports
// any read past the reply (a vector may hold spare capacity after its data).
inline std::unique_ptr<uint8_t[]> ExactCopy(const Bytes& bytes) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return copy;
}

// Bytes that would change a result if a decoder read them after the reply:
// end marks, field ends, digits, tags.
inline const Bytes kPoisonTails[] = {
    {0x0C, 0x0C, 0x0C, 0x0C, 0x0C, 0x0C},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    Text(";;;;;;"),
    Text("000000"),
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01},
};

// Decodes the reply as the first bytes of a longer buffer.
inline int DecodeWithTail(const Bytes& reply, const Bytes& tail, StatusRecord& record) {
    const Bytes buffer = Concat({reply, tail});
    return CStatusInfo::ConvertStatusInfo(record, buffer.data(), reply.size());
}

// Turns the initial record into the one a case expects.
using RecordEdit = void (*)(StatusRecord&);

struct DecodeCase {
    const char* name;
    Bytes reply;
    int result;
    RecordEdit expect;  // null: the record of a failed decode is not looked at
};

inline StatusRecord ExpectedRecord(RecordEdit edit) {
    StatusRecord record;
    edit(record);
    return record;
}

// Decodes from an exactly sized copy and checks result and record; then
// decodes again with each poison tail after the reply and wants the same.
inline void CheckDecodeCase(const DecodeCase& c) {
    SCOPED_TRACE(c.name);
    SCOPED_TRACE(HexDump(c.reply));
    const auto exact = ExactCopy(c.reply);
    StatusRecord record;
    const int result = CStatusInfo::ConvertStatusInfo(record, exact.get(), c.reply.size());
    EXPECT_EQ(result, c.result);
    if (c.expect) {
        EXPECT_EQ(record, ExpectedRecord(c.expect));
    }
    for (const Bytes& tail : kPoisonTails) {
        StatusRecord tailed;
        EXPECT_EQ(DecodeWithTail(c.reply, tail, tailed), result) << "tail " << HexDump(tail);
        EXPECT_EQ(tailed, record) << "tail " << HexDump(tail);
    }
}

template <size_t N>
void CheckDecodeCases(const DecodeCase (&cases)[N]) {
    for (const DecodeCase& c : cases) CheckDecodeCase(c);
}
