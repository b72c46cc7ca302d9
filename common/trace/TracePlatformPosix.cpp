// Native (non-Windows) builds of the pure code, used for fuzzing and
// benchmarks: records go to PLX4.LOG in the working folder.
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "common/trace/TracePlatform_private.h"

std::string TracePlatformLogPath() { return "PLX4.LOG"; }
uint32_t TracePlatformProcessId() { return static_cast<uint32_t>(getpid()); }
uint32_t TracePlatformThreadId() { return static_cast<uint32_t>(syscall(SYS_gettid)); }

uint32_t TracePlatformTickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<uint32_t>(ts.tv_sec * 1000 + ts.tv_nsec / 1000000);
}

void TracePlatformAppend(const std::string& strPath, const std::string& strText) {
    if (FILE* f = fopen(strPath.c_str(), "ab")) {
        fwrite(strText.data(), 1, strText.size(), f);
        fclose(f);
    }
}
