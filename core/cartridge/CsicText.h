// The cartridge tables of the model data file (sections CSIC and CSIC2):
// each value is hex text whose decoded form lists comma-separated fields.
// Free of Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A decoded value with its terminator.
constexpr size_t kCsicTextSize = 260;

// Section CSIC: "IC1,IC2,cartridge".
struct CsicTypeEntry {
    uint16_t IC1 = 0;
    uint16_t IC2 = 0;
    std::string cartridge;  // '/' marks a line break
};

// Section CSIC2: "m1,m2,m4,Idx,csStringID".
struct Csic2Entry {
    uint16_t m1 = 0;  // ink code
    uint16_t m2 = 0;  // kept as read; nothing matches on it
    uint16_t m4 = 0;  // size code
    int32_t Idx = -1;  // slot
    std::string csStringID;  // key of section CSIC
};

// Decodes cchText characters of hex text (two digits of either case a
// character) into pszOut, which holds cchOut characters with the
// terminator; every '@' of the result becomes strAtText. 1 on success.
// 0 with pszOut untouched when pszText is null, the digit count is odd, a
// pair is not two hex digits or gives a zero character. 0 with the first
// cchOut - 1 characters in pszOut when the result does not fit.
int DecodeHexText(const char* pszText, size_t cchText, char* pszOut, size_t cchOut, std::string_view strAtText);

// A decimal field: leading blanks, an optional sign, then the digits up to
// the first other character; 0 without digits. Saturates at the 32-bit range.
int32_t ReadDecimalField(std::string_view strField);

// The fields of a decoded value, split at commas; fields beyond the last
// one read as 0 or empty, commas after them are ignored.
CsicTypeEntry SplitCsicEntry(std::string_view strDecoded);
Csic2Entry SplitCsic2Entry(std::string_view strDecoded);

// strText with every '/' replaced by "\r\n"; nullopt when the result and
// its terminator do not fit cchBuffer characters.
std::optional<std::string> SlashesToLineBreaks(std::string_view strText, size_t cchBuffer);
