// Mutate-and-parse: random edits of the sample replies, decoded from exactly
// sized buffers and again with bytes after them. Whatever the bytes, a
// decode ends, stays within its record's bounds and reads nothing past the
// reply (the outcome does not depend on what follows it).
#include <random>
#include <string>

#include "tests/status/StatusTestUtil.h"

namespace {

constexpr uint32_t kSeed = 0x504C5853;
constexpr int kMutations = 4000;
constexpr int kMaxEditsPerReply = 4;

// Field types, tags, separators and end marks of the reply forms.
const uint8_t kInterestingBytes[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x0C, 0x0E, 0x0F, 0x13,
                                     0x19, 0x1F, 0x24, 0x6E, 0x7F, 0x80, 0x81, 0xFE, 0xFF, ';',  ',',
                                     ':',  'S',  'T',  'I',  'N', 'K', 'Q', 'W', 'R', 'h'};

uint8_t InterestingByte(std::mt19937& rng) { return kInterestingBytes[rng() % sizeof(kInterestingBytes)]; }

Bytes Mutate(Bytes bytes, std::mt19937& rng) {
    const unsigned nEdits = 1 + rng() % kMaxEditsPerReply;
    for (unsigned i = 0; i < nEdits; ++i) {
        const size_t nPos = bytes.empty() ? 0 : rng() % bytes.size();
        switch (rng() % 5) {
            case 0:
                if (!bytes.empty()) bytes[nPos] ^= static_cast<uint8_t>(1u << rng() % 8);
                break;
            case 1:
                if (!bytes.empty()) bytes[nPos] = InterestingByte(rng);
                break;
            case 2:
                bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(nPos), InterestingByte(rng));
                break;
            case 3:
                if (!bytes.empty()) bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(nPos));
                break;
            default:
                bytes.resize(nPos);
                break;
        }
    }
    return bytes;
}

bool StartsWith(const Bytes& bytes, const Bytes& prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// First rule the outcome of a decode breaks, or empty.
std::string BrokenRule(const Bytes& reply, int result, const StatusRecord& r) {
    const bool bBinary = StartsWith(reply, kBinaryHeaderBytes);
    if (result != 0 && result != 1) return "result is neither 0 nor 1";
    if (result == 1 && !bBinary && !StartsWith(reply, kAsciiHeaderBytes)) return "decoded without a header";
    if (r.InkCount > kMaxInks) return "InkCount beyond the inks";
    if (r.InkCodeCount > kInkCodeSlots) return "InkCodeCount beyond the code slots";
    if (bBinary && r.InkCount != r.InkCodeCount) return "binary ink counts differ";
    if (r.WarningCount > r.Warning.Count()) return "WarningCount beyond the warnings";
    if (r.Status.Count() == 0 || r.Error.Count() == 0) return "empty state or error list";
    if (r.InkStateMask != 0 || r.WarningMask != 0) return "decoding set a classification mask";
    if (r.ExtraCount < 0 || r.ExtraCount > 0xFF) return "ExtraCount is no length byte";
    return {};
}

void CheckStatusDecode(const Bytes& reply) {
    const auto exact = ExactCopy(reply);
    StatusRecord record;
    const int result = CStatusInfo::ConvertStatusInfo(record, exact.get(), reply.size());
    const std::string strBroken = BrokenRule(reply, result, record);
    ASSERT_EQ(strBroken, "");
    for (const Bytes& tail : kPoisonTails) {
        StatusRecord tailed;
        ASSERT_EQ(DecodeWithTail(reply, tail, tailed), result) << "tail " << HexDump(tail);
        ASSERT_EQ(tailed, record) << "tail " << HexDump(tail);
    }
}

void CheckHbmLookup(const Bytes& reply, uint8_t byTag, size_t cbOut) {
    const auto exact = ExactCopy(reply);
    const auto out = ExactCopy(Bytes(cbOut, 0xCC));
    const int result = FindHbmValue(exact.get(), reply.size(), byTag, out.get(), cbOut);
    ASSERT_EQ(result == -1, !StartsWith(reply, Text("hbm")));
    ASSERT_TRUE(result >= -1 && result <= 1);
    if (result != 0) {
        ASSERT_EQ(Bytes(out.get(), out.get() + cbOut), Bytes(cbOut, 0xCC));
    }
    for (const Bytes& tail : kPoisonTails) {
        const Bytes buffer = Concat({reply, tail});
        const auto tailedOut = ExactCopy(Bytes(cbOut, 0xCC));
        ASSERT_EQ(FindHbmValue(buffer.data(), reply.size(), byTag, tailedOut.get(), cbOut), result);
        ASSERT_EQ(Bytes(tailedOut.get(), tailedOut.get() + cbOut), Bytes(out.get(), out.get() + cbOut));
    }
}

TEST(StatusMutate, MutatedRepliesDecodeWithinBounds) {
    std::mt19937 rng(kSeed);
    int nDecoded = 0;
    for (int i = 0; i < kMutations; ++i) {
        const NamedReply& seed = kSampleReplies[rng() % (sizeof(kSampleReplies) / sizeof(kSampleReplies[0]))];
        const Bytes reply = Mutate(seed.bytes, rng);
        SCOPED_TRACE("mutation " + std::to_string(i) + " of " + seed.name);
        SCOPED_TRACE(HexDump(reply));
        CheckStatusDecode(reply);
        CheckHbmLookup(reply, static_cast<uint8_t>(rng()), 1 + rng() % 4);
        if (HasFatalFailure()) return;
        StatusRecord record;
        nDecoded += CStatusInfo::ConvertStatusInfo(record, reply.data(), reply.size());
    }
    // The edits must leave some replies whole enough to decode, or the loop
    // tests only the failure paths.
    EXPECT_GT(nDecoded, kMutations / 20);
}

}  // namespace
