#include "core/cartridge/CsicText.h"

#include <cstring>
#include <limits>

#include "core/status/StatusInfo.h"

namespace {

constexpr char kAtMark = '@';
constexpr char kFieldSeparator = ',';
constexpr char kLineBreakMark = '/';
constexpr std::string_view kLineBreak{"\r\n"};

bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// Hands out the fields of a decoded value one after the other; past the
// last one every field is empty.
class CFieldReader {
public:
    explicit CFieldReader(std::string_view strText) : m_strRest(strText) {}

    std::string_view Next() {
        const size_t nComma = m_strRest.find(kFieldSeparator);
        const std::string_view strField = m_strRest.substr(0, nComma);
        m_strRest = nComma == std::string_view::npos ? std::string_view() : m_strRest.substr(nComma + 1);
        return strField;
    }
    uint16_t NextNumber16() { return static_cast<uint16_t>(ReadDecimalField(Next())); }

private:
    std::string_view m_strRest;
};

}  // namespace

int DecodeHexText(const char* pszText, size_t cchText, char* pszOut, size_t cchOut, std::string_view strAtText) {
    if (!pszText || !pszOut || cchOut == 0 || cchText % 2 != 0) return 0;
    // Decode completely first: a bad pair further on leaves the output alone.
    std::string strDecoded;
    for (size_t i = 0; i < cchText; i += 2) {
        uint8_t byChar = 0;
        if (!HexPairToByte(pszText[i], pszText[i + 1], byChar) || byChar == 0) return 0;
        if (static_cast<char>(byChar) == kAtMark)
            strDecoded += strAtText;
        else
            strDecoded += static_cast<char>(byChar);
    }
    const bool bFits = strDecoded.size() < cchOut;
    const size_t cchCopy = bFits ? strDecoded.size() : cchOut - 1;
    std::memcpy(pszOut, strDecoded.data(), cchCopy);
    pszOut[cchCopy] = '\0';
    return bFits ? 1 : 0;
}

int32_t ReadDecimalField(std::string_view strField) {
    size_t i = 0;
    while (i < strField.size() && IsBlank(strField[i])) ++i;
    bool bNegative = false;
    if (i < strField.size() && (strField[i] == '+' || strField[i] == '-')) bNegative = strField[i++] == '-';
    // Accumulate towards the sign's limit so that an overlong number stops
    // there instead of overflowing.
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
    int64_t iValue = 0;
    for (; i < strField.size() && strField[i] >= '0' && strField[i] <= '9'; ++i) {
        iValue = iValue * 10 + (strField[i] - '0');
        if (iValue > -kMin) iValue = -kMin;
    }
    if (bNegative) return static_cast<int32_t>(-iValue);
    return static_cast<int32_t>(iValue > kMax ? kMax : iValue);
}

CsicTypeEntry SplitCsicEntry(std::string_view strDecoded) {
    CFieldReader reader(strDecoded);
    CsicTypeEntry entry;
    entry.IC1 = reader.NextNumber16();
    entry.IC2 = reader.NextNumber16();
    entry.cartridge = reader.Next();
    return entry;
}

Csic2Entry SplitCsic2Entry(std::string_view strDecoded) {
    CFieldReader reader(strDecoded);
    Csic2Entry entry;
    entry.m1 = reader.NextNumber16();
    entry.m2 = reader.NextNumber16();
    entry.m4 = reader.NextNumber16();
    entry.Idx = ReadDecimalField(reader.Next());
    entry.csStringID = reader.Next();
    return entry;
}

std::optional<std::string> SlashesToLineBreaks(std::string_view strText, size_t cchBuffer) {
    std::string strResult;
    for (const char ch : strText) {
        if (ch == kLineBreakMark)
            strResult += kLineBreak;
        else
            strResult += ch;
    }
    if (strResult.size() >= cchBuffer) return std::nullopt;
    return strResult;
}
