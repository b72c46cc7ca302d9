// The per-status notification defaults of a model: the "ITEMnnn=value"
// lines of its data-file section. No Windows headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct NotifyDefault {
    std::string strName;  // the three digits, e.g. "001"
    uint32_t dwValue;
};

// strSection: the section as the profile function returns it, lines
// separated by zero bytes. Takes at most uItemNum matching lines, in order.
std::vector<NotifyDefault> ParseNotifyDefaults(std::string_view strSection, uint32_t uItemNum);
