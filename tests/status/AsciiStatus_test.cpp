// Text status replies, decoded through CStatusInfo::ConvertStatusInfo.
#include <cstdio>

#include "tests/status/StatusTestUtil.h"

namespace {

const Bytes kHeader = kAsciiHeaderBytes;
const Bytes kFormFeed = {0x0C};

TEST(AsciiStatus, DecodesFields) {
    const DecodeCase kCases[] = {
        {"sample reply with length bytes and form feed", kAsciiSample, 1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x00};
             r.InkCount = 2;
             r.Ink[0] = 90;
             r.Ink[1] = 0xFF;
         }},
        {"every field", kAsciiAllFieldsSample, 1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x00};
             r.InkCount = 6;
             r.Ink = {90, 0xFF, 0xFE, 0xFD, 0xFE, 10};
             r.WarningCount = 2;
             r.Warning = {0x10, 0x20};
             r.RcCode = 0x01;
             r.InkCodeCount = 3;
             r.InkCode[0] = 0x0103;
             r.InkCode[1] = 0x0204;
             r.InkCode[2] = 0x0305;
             r.Cancel = 1;
         }},
        {"reply without length bytes",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"lower-case hex digits",
         Concat({
             kHeader,
             Text("ST:0a;"),  // state 0A
             Text("ER:fF;"),  // error FF in mixed case
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x0A};
             r.Error = {0xFF};
         }},
        {"reply code",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("RC:3A;"),  // reply code 3A
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.RcCode = 0x3A;
         }},
        {"cancel code 81 cancels",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("CA:81;"),  // cancel byte 81
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Cancel = 1;
         }},
        {"cancel byte 80 does not cancel",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("CA:80;"),  // cancel byte 80
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"later cancel field wins",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("CA:81;"),  // cancelling
             Text("CA:00;"),  // no longer
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"bytes between fields are passed over",
         Concat({
             kHeader,
             Text("ST:04;"),        // state
             Text("xx:;ST"),        // no field
             Text("ER:01;"),        // error
             {0x00, 0x0D, 0x0A},    // no field
             Text("IQ:32;"),        // ink 50 %
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x01};
             r.InkCount = 1;
             r.Ink[0] = 50;
         }},
    };
    CheckDecodeCases(kCases);
}

TEST(AsciiStatus, AppliesListRuleToStateAndError) {
    const DecodeCase kCases[] = {
        {"second state field replaces the first",
         Concat({
             kHeader,
             Text("ST:04;"),  // state 04
             Text("ST:05;"),  // state 05
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0x05}; }},
        {"second error field replaces the first",
         Concat({
             kHeader,
             Text("ER:01;"),  // error 01
             Text("ST:04;"),  // state
             Text("ER:02;"),  // error 02
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Error = {0x02};
         }},
        {"state FF is kept like any state",
         Concat({
             kHeader,
             Text("ST:FF;"),  // state FF
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0xFF}; }},
    };
    CheckDecodeCases(kCases);
}

TEST(AsciiStatus, DecodesInkLevels) {
    const DecodeCase kCases[] = {
        {"level C8 is capped to 100",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IQ:C8;"),  // 200 %
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 1;
             r.Ink[0] = 100;
         }},
        {"levels at and above the cap",
         Concat({
             kHeader,
             Text("ST:04;"),          // state
             Text("IQ:006465FF;"),    // 0, 100, 101, 255
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 4;
             r.Ink[0] = 0;
             r.Ink[1] = 100;
             r.Ink[2] = 100;
             r.Ink[3] = 100;
         }},
        {"condition marks",
         Concat({
             kHeader,
             Text("ST:04;"),          // state
             Text("IQ:NAREWECI;"),    // none, fault, fault, CI
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 4;
             r.Ink[0] = 0xFF;
             r.Ink[1] = 0xFE;
             r.Ink[2] = 0xFE;
             r.Ink[3] = 0xFD;
         }},
        {"ten levels fill every ink",
         Concat({
             kHeader,
             Text("ST:04;"),                       // state
             Text("IQ:0102030405060708090A;"),     // 1 % .. 10 %
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 10;
             r.Ink = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
         }},
        {"second ink field replaces the first",
         Concat({
             kHeader,
             Text("ST:04;"),      // state
             Text("IQ:0A0B0C;"),  // three inks
             Text("IQ:14;"),      // one ink
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCount = 1;
             r.Ink[0] = 20;
             r.Ink[1] = 11;
             r.Ink[2] = 12;
         }},
        {"eleventh level fails",
         Concat({
             kHeader,
             Text("ST:04;"),                         // state
             Text("IQ:0102030405060708090A0B;"),     // eleven inks
             kFormFeed,
         }),
         0, nullptr},
        {"lower-case mark is no mark",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IQ:na;"),  // not hex, not a mark
             kFormFeed,
         }),
         0, nullptr},
        {"comma between levels fails",
         Concat({
             kHeader,
             Text("ST:04;"),     // state
             Text("IQ:5A,NA;"),  // levels take no separator
             kFormFeed,
         }),
         0, nullptr},
        {"empty ink field fails",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IQ:;"),    // no level
             kFormFeed,
         }),
         0, nullptr},
        {"reply ends after a level",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IQ:5A"),   // no ";" and no more bytes
         }),
         0, nullptr},
        {"reply ends inside a level",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IQ:5"),    // half a level
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

TEST(AsciiStatus, DecodesWarnings) {
    const DecodeCase kCases[] = {
        {"warnings separated by commas",
         Concat({
             kHeader,
             Text("ST:04;"),     // state
             Text("WR:10,20;"),  // warnings 10, 20
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Warning = {0x10, 0x20};
             r.WarningCount = 2;
         }},
        {"warnings run together",
         Concat({
             kHeader,
             Text("ST:04;"),    // state
             Text("WR:1020;"),  // warnings 10, 20
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Warning = {0x10, 0x20};
             r.WarningCount = 2;
         }},
        {"second warning field appends, count is its own",
         Concat({
             kHeader,
             Text("ST:04;"),     // state
             Text("WR:10;"),     // warning 10
             Text("WR:20,30;"),  // warnings 20, 30
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.Warning = {0x10, 0x20, 0x30};
             r.WarningCount = 2;
         }},
        {"255 warnings fit the count",
         Concat({
             kHeader,
             Text("ST:04;"),             // state
             Text("WR:"),                // warnings:
             Repeat(Text("07"), 255),    //   07 255 times
             Text(";"),                  // field end
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             for (int i = 0; i < 255; ++i) r.Warning.Append(0x07);
             r.WarningCount = 255;
         }},
        {"256 warnings overflow the count and fail",
         Concat({
             kHeader,
             Text("ST:04;"),             // state
             Text("WR:"),                // warnings:
             Repeat(Text("07"), 256),    //   07 256 times
             Text(";"),                  // field end
             kFormFeed,
         }),
         0, nullptr},
        {"bad warning code fails",
         Concat({
             kHeader,
             Text("ST:04;"),    // state
             Text("WR:1G;"),    // not hex
             kFormFeed,
         }),
         0, nullptr},
        {"comma before field end fails",
         Concat({
             kHeader,
             Text("ST:04;"),    // state
             Text("WR:10,;"),   // no code after ","
             kFormFeed,
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

// Twenty codes: 0101..010A fill InkCode, 0201..020A InkColor.
Bytes TwentyInkCodes() {
    Bytes codes;
    for (int i = 0; i < 20; ++i) {
        char sz[8];
        snprintf(sz, sizeof(sz), "%s%02X%02X", i ? "," : "", i < 10 ? 1 : 2, i % 10 + 1);
        codes = Concat({codes, Text(sz)});
    }
    return codes;
}

TEST(AsciiStatus, DecodesInkCodes) {
    const DecodeCase kCases[] = {
        {"two ink codes",
         Concat({
             kHeader,
             Text("ST:04;"),          // state
             Text("INK:0102,0304;"),  // codes 0102, 0304
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCodeCount = 2;
             r.InkCode[0] = 0x0102;
             r.InkCode[1] = 0x0304;
         }},
        {"codes run together",
         Concat({
             kHeader,
             Text("ST:04;"),         // state
             Text("INK:ABCDef01;"),  // codes ABCD, EF01
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCodeCount = 2;
             r.InkCode[0] = 0xABCD;
             r.InkCode[1] = 0xEF01;
         }},
        {"twenty codes run on into the colours",
         Concat({
             kHeader,
             Text("ST:04;"),   // state
             Text("INK:"),     // ink codes:
             TwentyInkCodes(), //   0101..010A, 0201..020A
             Text(";"),        // field end
             kFormFeed,
         }),
         1,
         [](StatusRecord& r) {
             r.Status = {0x04};
             r.InkCodeCount = 20;
             for (uint16_t i = 0; i < 10; ++i) {
                 r.InkCode[i] = static_cast<uint16_t>(0x0101 + i);
                 r.InkColor[i] = static_cast<uint16_t>(0x0201 + i);
             }
         }},
        {"21st code fails",
         Concat({
             kHeader,
             Text("ST:04;"),   // state
             Text("INK:"),     // ink codes:
             TwentyInkCodes(), //   twenty codes
             Text(",0000;"),   //   and one more
             kFormFeed,
         }),
         0, nullptr},
        {"code of three digits fails",
         Concat({
             kHeader,
             Text("ST:04;"),     // state
             Text("INK:010;"),   // short code
             kFormFeed,
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

TEST(AsciiStatus, NeedsStateFieldAndEndMark) {
    const DecodeCase kCases[] = {
        {"no state field",
         Concat({
             kHeader,
             Text("ER:00;"),  // error only
             kFormFeed,
         }),
         0, [](StatusRecord& r) { r.Error = {0x00}; }},
        {"FF ends the reply like a form feed",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             {0xFF},          // end mark
             Text("ER:01;"),  // after the end: not read
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"end mark right after the header is passed over",
         Concat({
             kHeader,
             kFormFeed,       // first byte: never an end mark
             Text("ST:04;"),  // state
             kFormFeed,
         }),
         1, [](StatusRecord& r) { r.Status = {0x04}; }},
        {"end mark in second length byte ends before any field",
         Concat({
             kHeader,
             {0x15, 0x0C},    // length bytes; the second reads as end mark
             Text("ST:04;"),  // state
             kFormFeed,
         }),
         0, nullptr},
        {"last field lacks its semicolon",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("ER:00"),   // no ";"
             kFormFeed,
         }),
         0, nullptr},
        {"reply ends inside a field",
         Concat({
             kHeader,
             Text("ST:0"),  // half a state
         }),
         0, nullptr},
        {"reply without end mark",
         Concat({
             kHeader,
             Text("ST:04;"),  // state, then nothing
         }),
         0, nullptr},
        {"tag cut by the end of the reply",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("IN"),      // start of a tag
         }),
         0, nullptr},
        {"header only", kHeader, 0, nullptr},
        {"state value not hex",
         Concat({
             kHeader,
             Text("ST:G4;"),  // not hex
             kFormFeed,
         }),
         0, nullptr},
        {"cancel field lacks its semicolon",
         Concat({
             kHeader,
             Text("ST:04;"),  // state
             Text("CA:81"),   // no ";"
             kFormFeed,
         }),
         0, nullptr},
    };
    CheckDecodeCases(kCases);
}

}  // namespace
