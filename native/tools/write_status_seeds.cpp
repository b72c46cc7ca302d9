// Writes each sample status reply to <folder>/<name>.bin, the seed corpus
// of fuzz_status_reply: write_status_seeds native/corpus/status_reply
#include <cstdio>
#include <string>

#include "tests/status/StatusReplySamples.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    for (const NamedReply& sample : kSampleReplies) {
        const std::string strPath = std::string(argv[1]) + "/" + sample.name + ".bin";
        FILE* file = std::fopen(strPath.c_str(), "wb");
        const bool bWritten = file && std::fwrite(sample.bytes.data(), 1, sample.bytes.size(), file) == sample.bytes.size();
        if (file) std::fclose(file);
        if (!bWritten) {
            std::fprintf(stderr, "cannot write %s\n", strPath.c_str());
            return 1;
        }
    }
    return 0;
}
