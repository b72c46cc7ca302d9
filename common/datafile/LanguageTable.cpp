#include "common/datafile/LanguageTable.h"

#include <cstdlib>

namespace {

constexpr uint32_t kPrimaryMask = 0x3FF;
constexpr unsigned kSubShift = 10;
constexpr uint32_t kPrimaryEnglish = 0x09;

std::string_view Trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool ParseHex(std::string_view s, uint32_t* pdwValue) {
    s = Trim(s);
    if (s.empty() || s.size() > 8) return false;
    uint32_t dwValue = 0;
    for (char ch : s) {
        uint32_t digit;
        if (ch >= '0' && ch <= '9') digit = static_cast<uint32_t>(ch - '0');
        else if (ch >= 'a' && ch <= 'f') digit = static_cast<uint32_t>(ch - 'a' + 10);
        else if (ch >= 'A' && ch <= 'F') digit = static_cast<uint32_t>(ch - 'A' + 10);
        else return false;
        dwValue = dwValue * 16 + digit;
    }
    *pdwValue = dwValue;
    return true;
}

}  // namespace

std::vector<LanguageLine> ParseLanguageSection(std::string_view text) {
    std::vector<LanguageLine> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(std::string_view("\0\n", 2), pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty()) {
            if (end < text.size() && text[end] == '\0') break;  // the double zero ends the section
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view numbers = line.substr(eq + 1);
        const size_t comma = numbers.find(',');
        if (comma == std::string_view::npos) continue;
        const size_t next = numbers.find(',', comma + 1);
        LanguageLine entry;
        entry.strSection = std::string(Trim(line.substr(0, eq)));
        if (entry.strSection.empty() || !ParseHex(numbers.substr(0, comma), &entry.dwPrimary) ||
            !ParseHex(numbers.substr(comma + 1, next == std::string_view::npos ? std::string_view::npos
                                                                                : next - comma - 1),
                      &entry.dwSub))
            continue;
        lines.push_back(std::move(entry));
    }
    return lines;
}

int ChooseLanguageLine(const std::vector<LanguageLine>& lines, uint16_t wLangId) {
    const uint32_t dwPrimary = wLangId & kPrimaryMask;
    const uint32_t dwSub = static_cast<uint32_t>(wLangId) >> kSubShift;
    int iSamePrimary = -1;
    int iEnglish = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        const LanguageLine& line = lines[i];
        if (line.dwPrimary == dwPrimary && line.dwSub == dwSub) return static_cast<int>(i);
        if (line.dwPrimary == dwPrimary && iSamePrimary < 0) iSamePrimary = static_cast<int>(i);
        if (line.dwPrimary == kPrimaryEnglish && iEnglish < 0) iEnglish = static_cast<int>(i);
    }
    if (iSamePrimary >= 0) return iSamePrimary;
    if (iEnglish >= 0) return iEnglish;
    return lines.empty() ? -1 : 0;
}
