// Consistency of the status tables with each other, and their lookups.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "core/status/StatusResourceIds.h"
#include "core/status/StatusTables.h"

namespace {

TEST(StatusTables, EveryCodeTableNumberHasARowOfItsReplyType) {
    // Otherwise a decoded reply would fall to the default row.
    for (const StatusCodeRow& code : kStatusCodeTable) {
        const auto itRow = std::find_if(std::begin(kStatusInfoTable), std::end(kStatusInfoTable), [&](const auto& row) {
            return row.ReplyType == kReplyTypeBdc && row.StatusNo == code.StatusNo;
        });
        EXPECT_NE(itRow, std::end(kStatusInfoTable)) << code.StatusNo;
    }
    EXPECT_EQ(kStatusCodeTable[kStatusCodeRowCount - 1].State, kSelectAny) << "the last row catches every state";
    EXPECT_EQ(kStatusCodeTable[kStatusCodeRowCount - 1].Error, kSelectAny);
    EXPECT_EQ(kStatusCodeTable[kStatusCodeRowCount - 1].Warning, kSelectAny);
}

TEST(StatusTables, InfoRowsAreUniqueAndEndWithTheEndRow) {
    std::set<std::pair<int32_t, int32_t>> seen;
    std::set<int32_t> defaults;
    for (const StatusInfoRow& row : kStatusInfoTable) {
        SCOPED_TRACE(testing::Message() << row.ReplyType << "/" << row.StatusNo);
        EXPECT_TRUE(seen.insert({row.ReplyType, row.StatusNo}).second) << "twice";
        if (row.StatusNo == kStatusNoDefault) defaults.insert(row.ReplyType);
        EXPECT_NE(FindStatusPicture(row.PictureId), nullptr) << "picture " << row.PictureId;
    }
    EXPECT_EQ(defaults, (std::set<int32_t>{kReplyTypeOther, kReplyTypeBdc, kReplyTypeHbm}));
    const StatusInfoRow& last = kStatusInfoTable[kStatusInfoRowCount - 1];
    EXPECT_EQ(last.ReplyType, kReplyTypeOther);
    EXPECT_EQ(last.StatusNo, kStatusNoDefault);
}

TEST(StatusTables, PictureIdsRunFromOne) {
    for (size_t i = 0; i < kStatusPictureRowCount; ++i) {
        EXPECT_EQ(kStatusPictureTable[i].Id, static_cast<int32_t>(i + 1));
        EXPECT_EQ(FindStatusPicture(kStatusPictureTable[i].Id), &kStatusPictureTable[i]);
    }
    EXPECT_EQ(FindStatusPicture(0), nullptr);
    EXPECT_EQ(FindStatusPicture(11), nullptr);
}

TEST(StatusTables, ReplyTypeOfChannel) {
    struct Case {
        uint32_t channel;
        int32_t type;
    };
    const Case kCases[] = {
        {0x00000004, kReplyTypeBdc}, {0x10000005, kReplyTypeBdc},   {0x10010003, kReplyTypeBdc},
        {0x10000003, kReplyTypeBdc}, {0x02000001, kReplyTypeHbm},   {0x00000000, kReplyTypeOther},
        {0x10000004, kReplyTypeOther}, {0x02000002, kReplyTypeOther}, {0xFFFFFFFF, kReplyTypeOther},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(ReplyTypeOfChannel(c.channel), c.type) << std::hex << c.channel;
    }
}

TEST(StatusTables, GetNotifyItem) {
    struct Case {
        int index;
        int32_t stringId;
        int32_t notifyClass;
    };
    const Case kCases[] = {
        {0, IDS_NOTIFY_ITEM_FIRST, 12},   {1, 1002, 11}, {2, 1003, 9}, {3, 1004, 501},
        {4, 1005, 0},  {9, 1010, 0},      {-1, 1000, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.index);
        const NotifyItem item = GetNotifyItem(c.index);
        EXPECT_EQ(item.StringId, c.stringId);
        EXPECT_EQ(item.NotifyClass, c.notifyClass);
    }
}

TEST(StatusTables, NotifyItemCountOfText) {
    struct Case {
        const char* text;
        int count;
    };
    const Case kCases[] = {
        {"4", 4},          {"  3", 3},      {"\t2 items", 2}, {"12abc", 12},  {"", 0},
        {"four", 0},       {"-3", 0},       {"+3", 0},         {"1000", kMaxNotifyItemCount},
        {"1001", kMaxNotifyItemCount},      {"99999999999999999999", kMaxNotifyItemCount},
    };
    for (const Case& c : kCases) EXPECT_EQ(NotifyItemCountOfText(c.text), c.count) << '"' << c.text << '"';
}

}  // namespace
