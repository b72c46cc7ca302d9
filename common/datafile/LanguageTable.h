// The "Language" section of a model data file: lines "section=primary,sub"
// with hexadecimal language numbers. Pure code, built natively for fuzzing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct LanguageLine {
    std::string strSection;
    uint32_t dwPrimary = 0;
    uint32_t dwSub = 0;
};

// Parses the section as the profile functions return it: lines separated by
// zero bytes (or line ends), ending at an empty line.
std::vector<LanguageLine> ParseLanguageSection(std::string_view text);

// Index of the line for language id wLangId (primary: low 10 bits, sub: the
// upper 6): an exact match at once, else the first line of the same primary
// language, else the first English line, else the first line; -1 when the
// table is empty.
int ChooseLanguageLine(const std::vector<LanguageLine>& lines, uint16_t wLangId);
