// The status record and its byte lists as values.
#include "tests/status/StatusTestUtil.h"

namespace {

TEST(StatusRecord, StartsFromInitialValues) {
    const StatusRecord r;
    EXPECT_EQ(r.Status, CByteList({0xFF}));
    EXPECT_EQ(r.Error, CByteList({0xFF}));
    EXPECT_EQ(r.InkCount, 0);
    for (uint8_t by : r.Ink) EXPECT_EQ(by, 0);
    EXPECT_EQ(r.InkCodeCount, 0);
    for (uint16_t w : r.InkCode) EXPECT_EQ(w, 0);
    for (uint16_t w : r.InkColor) EXPECT_EQ(w, 0);
    EXPECT_EQ(r.InkStateMask, 0u);
    EXPECT_EQ(r.WarningMask, 0u);
    EXPECT_EQ(r.WarningCount, 0);
    EXPECT_EQ(r.Warning.Count(), 0u);
    EXPECT_EQ(r.RcCode, 0xFF);
    EXPECT_EQ(r.Cancel, 0);
    EXPECT_EQ(r.JobID, 0u);
    for (uint8_t by : r.JobName) EXPECT_EQ(by, 0);
    EXPECT_EQ(r.LogoResult, -1);
    EXPECT_EQ(r.RcFlag, -1);
    EXPECT_EQ(r.ExtraCount, 0);
    for (uint8_t by : r.ExtraData) EXPECT_EQ(by, 0xFF);
    for (uint8_t by : r.InkExtra) EXPECT_EQ(by, 0xFF);
}

// One change per field: each must make the record differ from a fresh one,
// and Reset must undo it.
struct FieldChange {
    const char* name;
    RecordEdit change;
};
const FieldChange kFieldChanges[] = {
    {"Status", [](StatusRecord& r) { r.Status.Append(1); }},
    {"Error", [](StatusRecord& r) { r.Error.RemoveFront(); }},
    {"InkCount", [](StatusRecord& r) { r.InkCount = 1; }},
    {"Ink", [](StatusRecord& r) { r.Ink[9] = 1; }},
    {"InkCodeCount", [](StatusRecord& r) { r.InkCodeCount = 1; }},
    {"InkCode", [](StatusRecord& r) { r.InkCode[9] = 1; }},
    {"InkColor", [](StatusRecord& r) { r.InkColor[0] = 1; }},
    {"InkStateMask", [](StatusRecord& r) { r.InkStateMask = 1; }},
    {"WarningMask", [](StatusRecord& r) { r.WarningMask = 1; }},
    {"WarningCount", [](StatusRecord& r) { r.WarningCount = 1; }},
    {"Warning", [](StatusRecord& r) { r.Warning.Append(0); }},
    {"RcCode", [](StatusRecord& r) { r.RcCode = 0; }},
    {"Cancel", [](StatusRecord& r) { r.Cancel = 1; }},
    {"JobID", [](StatusRecord& r) { r.JobID = 1; }},
    {"JobName", [](StatusRecord& r) { r.JobName[31] = 1; }},
    {"LogoResult", [](StatusRecord& r) { r.LogoResult = 0; }},
    {"RcFlag", [](StatusRecord& r) { r.RcFlag = 0; }},
    {"ExtraCount", [](StatusRecord& r) { r.ExtraCount = 1; }},
    {"ExtraData", [](StatusRecord& r) { r.ExtraData[19] = 0; }},
    {"InkExtra", [](StatusRecord& r) { r.InkExtra[0] = 0; }},
};

TEST(StatusRecord, EqualityAndResetCoverEveryField) {
    StatusRecord all;
    for (const FieldChange& c : kFieldChanges) {
        SCOPED_TRACE(c.name);
        StatusRecord r;
        c.change(r);
        EXPECT_NE(r, StatusRecord());
        r.Reset();
        EXPECT_EQ(r, StatusRecord());
        c.change(all);
    }
    all.Reset();
    EXPECT_EQ(all, StatusRecord());
}

TEST(StatusRecord, CopiesAreIndependent) {
    StatusRecord original;
    ASSERT_EQ(CStatusInfo::ConvertStatusInfo(original, kBinaryAllFieldsSample.data(), kBinaryAllFieldsSample.size()),
              1);
    StatusRecord copy = original;
    EXPECT_EQ(copy, original);
    copy.Status.Append(0x09);
    copy.Warning.RemoveFront();
    EXPECT_EQ(original.Status, CByteList({0x04}));
    EXPECT_EQ(original.Warning, CByteList({0x10, 0x20}));

    StatusRecord assigned;
    assigned = original;
    assigned.Error.Append(0x01);
    EXPECT_EQ(original.Error, CByteList({0x00}));
}

TEST(StatusRecord, InkCodeSlotsRunFromCodesIntoColours) {
    StatusRecord r;
    for (size_t i = 0; i < kInkCodeSlots; ++i) r.InkCodeSlot(i) = static_cast<uint16_t>(0x100 + i);
    for (size_t i = 0; i < kMaxInks; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.InkCode[i], 0x100 + i);
        EXPECT_EQ(r.InkColor[i], 0x100 + kMaxInks + i);
    }
}

TEST(ByteList, AppendsRemovesFrontAndIndexes) {
    CByteList list;
    EXPECT_EQ(list.Count(), 0u);
    list.RemoveFront();  // empty: nothing happens
    EXPECT_EQ(list.Count(), 0u);
    list.Append(0x10);
    list.Append(0x20);
    list.Append(0x30);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list[0], 0x10);
    EXPECT_EQ(list[2], 0x30);
    list.RemoveFront();
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list[0], 0x20);
    EXPECT_EQ(list[1], 0x30);
    EXPECT_EQ(list, CByteList({0x20, 0x30}));
    EXPECT_NE(list, CByteList({0x30, 0x20}));
}

}  // namespace
