// Decode time per reply of the sample replies: bench_decode [iterations]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/status/StatusInfo.h"
#include "tests/status/StatusReplySamples.h"

namespace {

constexpr long kDefaultIterations = 1000000;

// Nanoseconds per decode, or a negative value when a decode failed.
double NanosPerDecode(const Bytes& reply, long nIterations) {
    StatusRecord record;
    long nDecoded = 0;
    const auto decodeAll = [&](long n) {
        for (long i = 0; i < n; ++i) nDecoded += CStatusInfo::ConvertStatusInfo(record, reply.data(), reply.size());
    };
    decodeAll(nIterations / 10);  // warm caches and the allocator
    const auto start = std::chrono::steady_clock::now();
    decodeAll(nIterations);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    if (nDecoded != nIterations / 10 + nIterations) return -1;
    return std::chrono::duration<double, std::nano>(elapsed).count() / static_cast<double>(nIterations);
}

}  // namespace

int main(int argc, char** argv) {
    const long nIterations = argc > 1 ? std::atol(argv[1]) : kDefaultIterations;
    if (nIterations <= 0) {
        std::fprintf(stderr, "usage: %s [iterations]\n", argv[0]);
        return 2;
    }
    const NamedReply kReplies[] = {
        {"text sample", kAsciiSample},
        {"binary sample", kBinarySample},
        {"text, every field", kAsciiAllFieldsSample},
        {"binary, every field", kBinaryAllFieldsSample},
    };
    for (const NamedReply& reply : kReplies) {
        const double dNanos = NanosPerDecode(reply.bytes, nIterations);
        if (dNanos < 0) {
            std::fprintf(stderr, "%s: decode failed\n", reply.name);
            return 1;
        }
        std::printf("%-22s %4zu bytes %8.1f ns/reply\n", reply.name, reply.bytes.size(), dNanos);
    }
    return 0;
}
