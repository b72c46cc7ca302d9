// Status replies as printers send them, shared by the unit tests, the
// mutate-and-parse test, the fuzz seed corpus and the status benchmark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes bytes;
    for (const Bytes& part : parts) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

inline Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

inline Bytes Repeat(const Bytes& part, size_t nTimes) {
    Bytes bytes;
    for (size_t i = 0; i < nTimes; ++i) bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

inline Bytes LittleEndian16(size_t n) { return {static_cast<uint8_t>(n & 0xFF), static_cast<uint8_t>(n >> 8)}; }

inline const Bytes kAsciiHeaderBytes = Text("@BDC ST\r\n");
inline const Bytes kBinaryHeaderBytes = Text("@BDC ST2\r\n");

// Text reply of the given fields, without length bytes, ended by a form feed.
inline Bytes TextReply(std::string_view fields) { return Concat({kAsciiHeaderBytes, Text(fields), {0x0C}}); }

// Binary reply whose body length counts exactly the given fields.
inline Bytes BinaryReply(std::initializer_list<Bytes> fields) {
    const Bytes body = Concat(fields);
    return Concat({kBinaryHeaderBytes, LittleEndian16(body.size()), body});
}

inline const Bytes kAsciiSample = Concat({
    kAsciiHeaderBytes,
    {0x15, 0x00},      // body length, passed over
    Text("ST:04;"),    // state 04
    Text("ER:00;"),    // error 00
    Text("IQ:5ANA;"),  // inks: 90 %, no cartridge
    {0x0C},            // end mark
});

inline const Bytes kAsciiAllFieldsSample = Concat({
    kAsciiHeaderBytes,
    {0x45, 0x00},                // body length, passed over
    Text("ST:04;"),              // state 04
    Text("ER:00;"),              // error 00
    Text("IQ:5ANARECIWE0A;"),    // inks: 90 %, no cartridge, fault, CI, fault, 10 %
    Text("WR:10,20;"),           // warnings 10 and 20
    Text("RC:01;"),              // reply code
    Text("INK:0103,0204,0305;"), // ink codes
    Text("CA:81;"),              // cancelling
    {0xFF},                      // end mark
});

inline const Bytes kBinarySample = Concat({
    kBinaryHeaderBytes,
    {0x0C, 0x00},        // body length 12
    {0x01, 0x01, 0x04},  // status: 04
    {0x0F, 0x07, 0x03},  // ink, 7 bytes, 3-byte entries
    {0x01, 0x00, 0x5A},  //   code 01, colour 00, 90 %
    {0x05, 0x02, 0x6E},  //   code 05, colour 02, 'n' no cartridge
});

inline const Bytes kBinaryAllFieldsSample = BinaryReply({
    {0x01, 0x01, 0x04},                                // status: 04
    {0x02, 0x01, 0x00},                                // error: 00
    {0x04, 0x02, 0x10, 0x20},                          // warnings 10, 20
    {0x0F, 0x09, 0x04},                                // ink, 9 bytes, 4-byte entries
    {0x03, 0x01, 0x32, 0xA1},                          //   code 03, colour 01, 50 %, extra A1
    {0x07, 0x02, 0x72, 0xA2},                          //   unknown code, colour 02, 'r' fault, extra A2
    {0x13, 0x01, 0x81},                                // cancel: 81
    {0x06, 0x02, 0x01, 0x01},                          // passed over
    {0x19, 0x06, 0x00, 0x78, 0x56, 0x34, 0x12, 0x41},  // job: type 0, id 12345678, name "A"
    {0x19, 0x02, 0x04, 0x00},                          // job of type 4, passed over
    {0x0E, 0x01, 0x05},                                // slot mask 05
    {0x24, 0x04, 0x00, 0x00, 0x00, 0x02},              // genuineness flags 2
    {0x1F, 0x03, 0xE1, 0xE2, 0xE3},                    // extra data
});

inline const Bytes kHbmSample = {
    0x68, 0x62, 0x6D,  // "hbm"
    0xFE, 0x01, 0x0E,  // tag FE: 0E
    0xFF,              // end tag
};

struct NamedReply {
    const char* name;
    const Bytes& bytes;
};
inline const NamedReply kSampleReplies[] = {
    {"ascii", kAsciiSample},
    {"ascii_all_fields", kAsciiAllFieldsSample},
    {"binary", kBinarySample},
    {"binary_all_fields", kBinaryAllFieldsSample},
    {"hbm", kHbmSample},
};
