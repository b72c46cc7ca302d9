// The ink-remaining reply of the cartridge channel:
//   "@BDC PS\r\n" "IR:" <black: 4 hex digits> <colour: 4 hex digits> ";"
// either value may instead read "NAVL" or "BUSY". Free of Windows headers.
#pragma once

#include <cstdint>

// 1 with the black and colour values; 0 for a reply of another kind or a
// printer that cannot tell yet (NAVL, BUSY); -1 for a missing, short or
// malformed reply. The values are written only when the result is 1.
int AnalyzeCsicRemainData(const uint8_t* pbReply, int iLength, uint16_t* pwBlack, uint16_t* pwColor);
