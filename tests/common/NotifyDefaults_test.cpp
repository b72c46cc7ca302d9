// The walk over a model section's "ITEMnnn=value" lines, on section text
// as the profile function returns it (lines ended by zero bytes).
#include "common/registry/NotifyDefaults.h"

#include <gtest/gtest.h>

namespace {

using Items = std::vector<std::pair<std::string, uint32_t>>;

Items Parse(std::string_view strSection, uint32_t uItemNum) {
    Items items;
    for (const NotifyDefault& item : ParseNotifyDefaults(strSection, uItemNum))
        items.emplace_back(item.strName, item.dwValue);
    return items;
}

TEST(NotifyDefaults, TakesItemLinesUpToItemNum) {
    using namespace std::string_literals;
    const struct {
        const char* pszName;
        std::string strSection;
        uint32_t uItemNum;
        Items expected;
    } kCases[] = {
        {"two items", "ITEMNUM=2\0ITEM001=1\0ITEM005=0\0"s, 2, {{"001", 1}, {"005", 0}}},
        {"limit", "ITEM001=1\0ITEM005=0\0ITEM006=1\0"s, 2, {{"001", 1}, {"005", 0}}},
        {"fewer lines than the limit", "ITEM001=1\0"s, 5, {{"001", 1}}},
        {"zero limit", "ITEM001=1\0"s, 0, {}},
        {"two digits ignored, not counted", "ITEM12=1\0ITEM002=1\0"s, 1, {{"002", 1}}},
        {"other keys ignored", "ITEM0012=1\0ITEMABC=1\0XITEM003=1\0ITEM003\0item004=1\0ITEM007=1\0"s, 9,
         {{"007", 1}}},
        {"value as decimal text", "ITEM001=12\0ITEM002=3x\0ITEM003=\0ITEM004=x\0"s, 4,
         {{"001", 12}, {"002", 3}, {"003", 0}, {"004", 0}}},
        {"value may hold ITEM", "ITEM001=ITEM002=1\0"s, 2, {{"001", 0}}},
        {"empty line ends the section", "ITEM001=1\0\0ITEM002=1\0"s, 2, {{"001", 1}}},
        {"last line without its zero", "ITEM001=1\0ITEM002=1"s, 2, {{"001", 1}, {"002", 1}}},
        {"empty section", ""s, 2, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszName);
        EXPECT_EQ(Parse(c.strSection, c.uItemNum), c.expected);
    }
}

}  // namespace
