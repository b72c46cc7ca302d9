#include "common/registry/NotifyDefaults.h"

#include <cstdlib>

namespace {

constexpr std::string_view kItemPrefix = "ITEM";
constexpr size_t kItemDigits = 3;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The key must be "ITEM" and three digits exactly: "ITEMNUM" and
// "ITEM12" are other keys.
bool ParseLine(std::string_view strLine, NotifyDefault* pItem) {
    const size_t iEquals = strLine.find('=');
    if (iEquals == std::string_view::npos) return false;
    const std::string_view strKey = strLine.substr(0, iEquals);
    if (strKey.size() != kItemPrefix.size() + kItemDigits || strKey.substr(0, kItemPrefix.size()) != kItemPrefix)
        return false;
    const std::string_view strDigits = strKey.substr(kItemPrefix.size());
    for (char ch : strDigits)
        if (!IsDigit(ch)) return false;
    pItem->strName = std::string(strDigits);
    // Decimal text as the profile functions read it: leading digits count,
    // anything else gives 0.
    const std::string strValue(strLine.substr(iEquals + 1));
    pItem->dwValue = static_cast<uint32_t>(strtol(strValue.c_str(), nullptr, 10));
    return true;
}

}  // namespace

std::vector<NotifyDefault> ParseNotifyDefaults(std::string_view strSection, uint32_t uItemNum) {
    std::vector<NotifyDefault> items;
    size_t iStart = 0;
    while (items.size() < uItemNum && iStart < strSection.size()) {
        size_t iEnd = strSection.find('\0', iStart);
        if (iEnd == std::string_view::npos) iEnd = strSection.size();
        // An empty line is the section's end.
        if (iEnd == iStart) break;
        NotifyDefault item;
        if (ParseLine(strSection.substr(iStart, iEnd - iStart), &item)) items.push_back(std::move(item));
        iStart = iEnd + 1;
    }
    return items;
}
