// Time per reply of the sample replies on the road reply -> status object:
// decoding alone, decoding with classification, building the status object
// from a classification, and CreateStatusObject as a whole.
//   bench_status [iterations]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfo.h"
#include "tests/status/StatusReplySamples.h"

namespace {

constexpr long kDefaultIterations = 1000000;
// A status channel whose replies get their buttons changed: the most work.
constexpr uint32_t kStatusChannel = 0x10000003;
constexpr uint32_t kHbmChannel = 0x02000001;

// Nanoseconds per call of step (which returns whether it did its work), or
// a negative value when a call failed.
template <typename Step>
double NanosPerCall(long nIterations, Step step) {
    long nDone = 0;
    const auto runAll = [&](long n) {
        for (long i = 0; i < n; ++i) nDone += step() ? 1 : 0;
    };
    runAll(nIterations / 10);  // warm caches and the allocator
    const auto start = std::chrono::steady_clock::now();
    runAll(nIterations);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (nDone != nIterations / 10 + nIterations) return -1;
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(nIterations);
}

struct BenchReply {
    const char* name;
    const Bytes& bytes;
    uint32_t channel;
};

struct Timings {
    double decode;  // 0 for the "hbm" form, which is looked up, not decoded
    double classify;
    double object;
    double whole;
};

bool Measure(const BenchReply& reply, long n, Timings& t) {
    const CStatusInfo info;
    const uint8_t* pb = reply.bytes.data();
    const size_t cb = reply.bytes.size();
    StatusRecord record;
    StatusClassInfo classInfo;
    t.decode = reply.channel == kHbmChannel
                   ? 0
                   : NanosPerCall(n, [&] { return CStatusInfo::ConvertStatusInfo(record, pb, cb) == 1; });
    t.classify = NanosPerCall(n, [&] { return info.ClassifyStatus(classInfo, record, reply.channel, pb, cb, 0, 0, 0); });
    t.object = NanosPerCall(n, [&] { return std::make_unique<CPrinterStatus>(classInfo) != nullptr; });
    t.whole = NanosPerCall(n, [&] { return info.CreateStatusObject(reply.channel, pb, cb, 0, 0, 0) != nullptr; });
    return t.decode >= 0 && t.classify >= 0 && t.object >= 0 && t.whole >= 0;
}

}  // namespace

int main(int argc, char** argv) {
    const long nIterations = argc > 1 ? std::atol(argv[1]) : kDefaultIterations;
    if (nIterations <= 0) {
        std::fprintf(stderr, "usage: %s [iterations]\n", argv[0]);
        return 2;
    }
    const BenchReply kReplies[] = {
        {"text sample", kAsciiSample, kStatusChannel},
        {"binary sample", kBinarySample, kStatusChannel},
        {"text, every field", kAsciiAllFieldsSample, kStatusChannel},
        {"binary, every field", kBinaryAllFieldsSample, kStatusChannel},
        {"hbm sample", kHbmSample, kHbmChannel},
    };
    std::printf("%-22s %5s %10s %16s %10s %10s  (ns/reply)\n", "reply", "bytes", "decode", "decode+classify",
                "object", "whole");
    for (const BenchReply& reply : kReplies) {
        Timings t{};
        if (!Measure(reply, nIterations, t)) {
            std::fprintf(stderr, "%s: decode or classification failed\n", reply.name);
            return 1;
        }
        char szDecode[16] = "-";
        if (t.decode > 0) std::snprintf(szDecode, sizeof(szDecode), "%.1f", t.decode);
        std::printf("%-22s %5zu %10s %16.1f %10.1f %10.1f\n", reply.name, reply.bytes.size(), szDecode, t.classify,
                    t.object, t.whole);
    }
    return 0;
}
