// What the scope trace needs from the operating system.
#pragma once

#include <cstdint>
#include <string>

std::string TracePlatformLogPath();
uint32_t TracePlatformProcessId();
uint32_t TracePlatformThreadId();
uint32_t TracePlatformTickCount();
// Appends the text to the file in one write; a file that cannot be opened
// loses the record.
void TracePlatformAppend(const std::string& strPath, const std::string& strText);
