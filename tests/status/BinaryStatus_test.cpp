// Binary status replies, decoded through CStatusInfo::ConvertStatusInfo.
// BinaryReply() sets the body length to the bytes of the fields given.
#include "tests/status/StatusTestUtil.h"

namespace {

const Bytes kState04 = {0x01, 0x01, 0x04};  // status field: state 04

TEST(BinaryStatus, DecodesFields) {
    const DecodeCase kCases[] = {
        {"sample reply", kBinarySample, 1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 2;
             r.InkCodeCount = 2;
             r.InkCode[0] = 0x01;
             r.InkCode[1] = 0x05;
             r.InkColor[0] = 0x00;
             r.InkColor[1] = 0x02;
             r.Ink[0] = 90;
             r.Ink[1] = 0xFF;
         }},
        {"every field", kBinaryAllFieldsSample, 1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x00};
             r.WarningCount = 2;
             r.Warning = {0x10, 0x20};
             r.InkCount = 2;
             r.InkCodeCount = 2;
             r.InkCode[0] = 0x03;
             r.InkCode[1] = 0x04;
             r.InkColor[0] = 0x01;
             r.InkColor[1] = 0x02;
             r.Ink[0] = 50;
             r.Ink[1] = 0xFE;
             r.InkExtra[0] = 0xA1;
             r.InkExtra[1] = 0xA2;
             r.Cancel = 1;
             r.JobID = 0x12345678;
             r.JobName[0] = 'A';
             r.RcFlag = 5;
             r.LogoResult = 2;
             r.ExtraCount = 3;
             r.ExtraData[0] = 0xE1;
             r.ExtraData[1] = 0xE2;
             r.ExtraData[2] = 0xE3;
         }},
        {"error field",
         BinaryReply({
             kState04,
             {0x02, 0x01, 0x09},  // error 09
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x09};
         }},
        {"warnings with a state",
         BinaryReply({
             {0x04, 0x03, 0x10, 0x20, 0x30},  // warnings 10, 20, 30
             kState04,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Warning = {0x10, 0x20, 0x30};
             r.WarningCount = 3;
         }},
        {"unknown field and field 06 are passed over",
         BinaryReply({
             {0x06, 0x03, 0x01, 0x01, 0x05},  // field 06: would be a state if read
             {0x7F, 0x02, 0x02, 0x00},        // unknown type
             kState04,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"bytes after the body are not read",
         Concat({
             kBinaryHeaderBytes,
             {0x03, 0x00},        // body length 3
             kState04,            // body
             {0x02, 0x01, 0x09},  // after the body: an error field
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"field running past the body length is read whole",
         Concat({
             kBinaryHeaderBytes,
             {0x04, 0x00},        // body length 4: ends inside the error field
             kState04,            // state
             {0x02, 0x01, 0x09},  // error 09
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x09};
         }},
    };
    CheckDecodeCases(kCases);
}

TEST(BinaryStatus, AppliesListRuleToStateAndError) {
    const DecodeCase kCases[] = {
        {"second state field replaces the first",
         BinaryReply({
             kState04,            // state 04
             {0x01, 0x01, 0x05},  // state 05
         }),
         1, [](StatusRecord& r) { r.Status = {0x05}; }},
        {"state field of two codes keeps both",
         BinaryReply({
             {0x01, 0x02, 0x04, 0x05},  // states 04, 05
         }),
         1, [](StatusRecord& r) { r.Status = {0x04, 0x05}; }},
        {"later field drops only the oldest code",
         BinaryReply({
             kState04,                  // state 04
             {0x01, 0x02, 0x05, 0x06},  // states 05, 06
         }),
         1, [](StatusRecord& r) { r.Status = {0x05, 0x06}; }},
        {"empty state field counts but leaves none",
         BinaryReply({
             {0x01, 0x00},  // state field without codes
         }),
         1, [](StatusRecord& r) { r.Status = {0xFF}; }},
        {"error field of two codes",
         BinaryReply({
             kState04,
             {0x02, 0x02, 0x07, 0x08},  // errors 07, 08
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x07, 0x08};
         }},
    };
    CheckDecodeCases(kCases);
}

TEST(BinaryStatus, DecodesInkEntries) {
    const DecodeCase kCases[] = {
        {"unknown code takes the code of its colour",
         BinaryReply({
             kState04,
             {0x0F, 0x04, 0x03},  // ink, 3-byte entries
             {0x07, 0x02, 0x14},  //   code 07, colour 02, 20 %
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 1;
             r.InkCodeCount = 1;
             r.InkCode[0] = 0x04;
             r.InkColor[0] = 0x02;
             r.Ink[0] = 20;
         }},
        {"each code of the slot table is kept",
         BinaryReply({
             kState04,
             {0x0F, 0x0D, 0x03},  // ink, 3-byte entries
             {0x03, 0x09, 0x01},  //   code 03, odd colour
             {0x04, 0x09, 0x02},  //   code 04
             {0x05, 0x09, 0x03},  //   code 05
             {0x01, 0x09, 0x04},  //   code 01
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 4;
             r.InkCodeCount = 4;
             r.InkCode = {0x03, 0x04, 0x05, 0x01};
             r.InkColor = {0x09, 0x09, 0x09, 0x09};
             r.Ink = {1, 2, 3, 4};
         }},
        {"each colour of the slot table picks its code",
         BinaryReply({
             kState04,
             {0x0F, 0x0D, 0x03},  // ink, 3-byte entries
             {0x00, 0x01, 0x01},  //   unknown code 00, colour 01
             {0x02, 0x02, 0x02},  //   code 02, colour 02
             {0x06, 0x03, 0x03},  //   colour 03
             {0xFF, 0x00, 0x04},  //   colour 00
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 4;
             r.InkCodeCount = 4;
             r.InkCode = {0x03, 0x04, 0x05, 0x01};
             r.InkColor = {0x01, 0x02, 0x03, 0x00};
             r.Ink = {1, 2, 3, 4};
         }},
        {"neither code nor colour known fails",
         BinaryReply({
             kState04,
             {0x0F, 0x04, 0x03},  // ink, 3-byte entries
             {0x07, 0x09, 0x14},  //   code 07, colour 09
         }),
         0, nullptr},
        {"level marks and the cap",
         BinaryReply({
             kState04,
             {0x0F, 0x16, 0x03},  // ink, 3-byte entries
             {0x01, 0x00, 0x6E},  //   'n' no cartridge
             {0x01, 0x00, 0x72},  //   'r' fault
             {0x01, 0x00, 0x77},  //   'w' fault
             {0x01, 0x00, 0x69},  //   'i' CI
             {0x01, 0x00, 0x64},  //   100 %
             {0x01, 0x00, 0x65},  //   101 %: capped
             {0x01, 0x00, 0xFF},  //   255: capped
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 7;
             r.InkCodeCount = 7;
             r.InkCode = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
             r.Ink = {0xFF, 0xFE, 0xFE, 0xFD, 100, 100, 100};
         }},
        {"four-byte entries carry an extra byte",
         BinaryReply({
             kState04,
             {0x0F, 0x09, 0x04},        // ink, 4-byte entries
             {0x03, 0x01, 0x32, 0x11},  //   code 03, 50 %, extra 11
             {0x05, 0x03, 0x00, 0x22},  //   code 05, 0 %, extra 22
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 2;
             r.InkCodeCount = 2;
             r.InkCode[0] = 0x03;
             r.InkCode[1] = 0x05;
             r.InkColor[0] = 0x01;
             r.InkColor[1] = 0x03;
             r.Ink[0] = 50;
             r.InkExtra[0] = 0x11;
             r.InkExtra[1] = 0x22;
         }},
        {"second ink field starts over at entry 0",
         BinaryReply({
             kState04,
             {0x0F, 0x0A, 0x03},  // ink, 3-byte entries
             {0x03, 0x01, 0x0A},  //   10 %
             {0x04, 0x02, 0x14},  //   20 %
             {0x05, 0x03, 0x1E},  //   30 %
             {0x0F, 0x04, 0x03},  // ink again
             {0x01, 0x00, 0x28},  //   40 %
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 3;
             r.InkCodeCount = 3;
             r.InkCode = {0x01, 0x04, 0x05};
             r.InkColor = {0x00, 0x02, 0x03};
             r.Ink = {40, 20, 30};
         }},
        {"ten entries",
         BinaryReply({
             kState04,
             {0x0F, 0x1F, 0x03},                // ink, 3-byte entries
             Repeat({0x01, 0x00, 0x05}, 10),    //   ten times code 01, 5 %
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 10;
             r.InkCodeCount = 10;
             r.InkCode.fill(0x01);
             r.Ink.fill(5);
         }},
        {"eleventh entry fails",
         BinaryReply({
             kState04,
             {0x0F, 0x22, 0x03},                // ink, 3-byte entries
             Repeat({0x01, 0x00, 0x05}, 11),    //   eleven entries
         }),
         0, nullptr},
        {"field of the entry size only",
         BinaryReply({
             kState04,
             {0x0F, 0x01, 0x03},  // ink, no entries
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"empty ink field",
         BinaryReply({
             {0x0F, 0x00},  // ink, not even an entry size
             kState04,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"entry size other than 3 or 4 fails",
         BinaryReply({
             kState04,
             {0x0F, 0x06, 0x05},                    // ink, 5-byte entries
             {0x01, 0x00, 0x05, 0x00, 0x00},        //   one entry
         }),
         0, nullptr},
        {"entry running past the field end fails",
         BinaryReply({
             kState04,
             {0x0F, 0x05, 0x03},  // ink, 3-byte entries, 5 bytes
             {0x01, 0x00, 0x05},  //   one entry
             {0x01},              //   code of an entry the field ends in
             {0x06, 0x01, 0x00},  // next field
         }),
         0, nullptr},
        {"four-byte entry cut off by the end of the reply fails",
         Concat({
             kBinaryHeaderBytes,
             {0x0A, 0x00},        // body length 10
             kState04,            // state
             {0x0F, 0x05, 0x04},  // ink, 4-byte entries, 5 bytes
             {0x01, 0x00, 0x05},  //   entry; the reply ends before its extra byte
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

TEST(BinaryStatus, DecodesJobCancelAndFlags) {
    const DecodeCase kCases[] = {
        {"job field",
         BinaryReply({
             kState04,
             {0x19, 0x0A, 0x00},              // job, 10 bytes, type 0
             {0x78, 0x56, 0x34, 0x12},        //   id 12345678
             {0x41, 0x42, 0x43, 0x44, 0x45},  //   name "ABCDE"
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.JobID = 0x12345678;
             r.JobName = {0x41, 0x42, 0x43, 0x44, 0x45};
         }},
        {"job name beyond 32 bytes is cut",
         BinaryReply({
             kState04,
             {0x19, 0x2D, 0x03},         // job, 45 bytes, type 3
             {0x01, 0x00, 0x00, 0x00},   //   id 1
             Repeat({0x4E}, 40),         //   name of 40 "N"
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.JobID = 1;
             r.JobName.fill(0x4E);
         }},
        {"job of type 4 is passed over",
         BinaryReply({
             kState04,
             {0x19, 0x06, 0x04},                // job, type 4
             {0x78, 0x56, 0x34, 0x12, 0x41},    //   id and name
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"empty job field is passed over",
         BinaryReply({
             {0x19, 0x00},  // job without information
             kState04,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"job id cut by the field end fails",
         BinaryReply({
             {0x19, 0x03, 0x00, 0x78, 0x56},  // job type 0, half an id
             kState04,
         }),
         0, nullptr},
        {"cancel code 81",
         BinaryReply({
             kState04,
             {0x13, 0x02, 0x81, 0x00},  // cancel 81, one more byte
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Cancel = 1;
         }},
        {"cancel byte 80",
         BinaryReply({
             kState04,
             {0x13, 0x01, 0x80},  // cancel 80
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"cancel field without a byte",
         BinaryReply({
             {0x13, 0x00},  // cancel, no byte
             kState04,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"flags read big-endian",
         BinaryReply({
             kState04,
             {0x0E, 0x02, 0x01, 0x02},              // slot mask 0102
             {0x24, 0x04, 0x80, 0x00, 0x00, 0x01},  // genuineness flags 80000001
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.RcFlag = 0x0102;
             r.LogoResult = static_cast<int32_t>(0x80000001u);
         }},
        {"flags longer than four bytes keep the last four",
         BinaryReply({
             kState04,
             {0x0E, 0x05, 0xAA, 0x01, 0x02, 0x03, 0x04},  // slot mask, 5 bytes
             {0x24, 0x00},                                // genuineness flags, no byte
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.RcFlag = 0x01020304;
             r.LogoResult = 0;
         }},
        {"extra data longer than 20 bytes",
         BinaryReply({
             kState04,
             {0x1F, 0x16},                        // extra data, 22 bytes
             Repeat({0x5A}, 20),                  //   kept
             {0x01, 0x02},                        //   passed over
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.ExtraCount = 22;
             r.ExtraData.fill(0x5A);
         }},
    };
    CheckDecodeCases(kCases);
}

TEST(BinaryStatus, FailsOnBadFraming) {
    const DecodeCase kCases[] = {
        {"only warnings: no state field",
         BinaryReply({
             {0x04, 0x02, 0x10, 0x20},  // warnings 10, 20
         }),
         0,
         [](StatusRecord& r) {
             r.Warning = {0x10, 0x20};
             r.WarningCount = 2;
         }},
        {"body length beyond the bytes present",
         Concat({
             kBinaryHeaderBytes,
             {0x0D, 0x00},                    // body length 13
             kState04,                        // 12 bytes present: state,
             {0x0F, 0x07, 0x03},              //   ink, 3-byte entries
             {0x01, 0x00, 0x5A},              //   90 %
             {0x05, 0x02, 0x6E},              //   no cartridge
         }),
         0, nullptr},
        {"passed-over field beyond the reply",
         Concat({
             kBinaryHeaderBytes,
             {0x05, 0x00},   // body length 5
             kState04,       // state
             {0x06, 0x05},   // field 06 claims 5 bytes, none present
         }),
         0, nullptr},
        {"field cut after its type byte",
         Concat({
             kBinaryHeaderBytes,
             {0x04, 0x00},   // body length 4
             kState04,       // state
             {0x02},         // error type, no length byte
         }),
         0, nullptr},
        {"zero body length",
         Concat({
             kBinaryHeaderBytes,
             {0x00, 0x00},  // body length 0
             kState04,      // not read
         }),
         0, nullptr},
        {"header and length only",
         Concat({
             kBinaryHeaderBytes,
             {0x03, 0x00},  // body length 3, no body
         }),
         0, nullptr},
        {"eleven bytes",
         Concat({
             kBinaryHeaderBytes,
             {0x03},  // half a length
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

}  // namespace
