// Helpers of the cartridge-table tests; free of Windows headers.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "core/cartridge/CsicText.h"

// The hex text form of a cartridge-table value.
inline std::string HexText(std::string_view strText) {
    std::string strHex;
    char szPair[3];
    for (const unsigned char ch : strText) {
        std::snprintf(szPair, sizeof(szPair), "%02X", ch);
        strHex += szPair;
    }
    return strHex;
}

// Every field of an entry in one line, so that one comparison shows them all.
inline std::string EntryText(const CsicTypeEntry& entry) {
    return std::to_string(entry.IC1) + "|" + std::to_string(entry.IC2) + "|" + entry.cartridge;
}
inline std::string EntryText(const Csic2Entry& entry) {
    return std::to_string(entry.m1) + "|" + std::to_string(entry.m2) + "|" + std::to_string(entry.m4) + "|" +
           std::to_string(entry.Idx) + "|" + entry.csStringID;
}
