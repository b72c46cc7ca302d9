// libFuzzer entry: arbitrary bytes as an ink-remaining reply, and as a hex
// value of the cartridge tables decoded into buffers of several sizes,
// split into its fields and turned into its vertical form.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/cartridge/CsicText.h"
#include "core/cartridge/InkRemainReply.h"

namespace {

constexpr uint16_t kPoison = 0xDEAD;
constexpr char kPoisonChar = '\x5A';

void CheckRemainReply(const uint8_t* pbReply, size_t cbReply) {
    uint16_t wBlack = kPoison;
    uint16_t wColor = kPoison;
    const int iResult = AnalyzeCsicRemainData(pbReply, static_cast<int>(cbReply), &wBlack, &wColor);
    if (iResult < -1 || iResult > 1) __builtin_trap();
    // Values are written for a decoded reply only.
    if (iResult != 1 && (wBlack != kPoison || wColor != kPoison)) __builtin_trap();
}

void CheckHexText(const char* pszText, size_t cchText, size_t cchOut, std::string_view strAtText) {
    // One spare byte past the buffer shows any write beyond it.
    auto out = std::make_unique<char[]>(cchOut + 1);
    std::memset(out.get(), kPoisonChar, cchOut + 1);
    const int iResult = DecodeHexText(pszText, cchText, out.get(), cchOut, strAtText);
    if (out[cchOut] != kPoisonChar) __builtin_trap();
    if (iResult == 1 || out[0] != kPoisonChar) {
        const size_t cchDecoded = strnlen(out.get(), cchOut);
        if (cchDecoded >= cchOut) __builtin_trap();  // unterminated
        if (iResult == 1 && cchDecoded > cchText / 2 * (strAtText.size() + 1)) __builtin_trap();
        const std::string strDecoded(out.get(), cchDecoded);
        const CsicTypeEntry entry = SplitCsicEntry(strDecoded);
        const Csic2Entry entry2 = SplitCsic2Entry(strDecoded);
        if (entry.cartridge.size() > cchDecoded || entry2.csStringID.size() > cchDecoded) __builtin_trap();
        const auto vertical = SlashesToLineBreaks(entry.cartridge, kCsicTextSize);
        if (vertical && vertical->size() >= kCsicTextSize) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t cbData) {
    // Exactly sized copies: ASan reports any read past the input.
    std::unique_ptr<uint8_t[]> reply(new uint8_t[cbData ? cbData : 1]);
    if (cbData) std::memcpy(reply.get(), pbData, cbData);
    CheckRemainReply(reply.get(), cbData);

    const char* pszText = reinterpret_cast<const char*>(reply.get());
    for (const size_t cchOut : {size_t{1}, size_t{16}, kCsicTextSize}) {
        CheckHexText(pszText, cbData, cchOut, "");
        CheckHexText(pszText, cbData, cchOut, "KAVRO");
    }
    return 0;
}
