// libFuzzer entry: arbitrary bytes as the "Language" section of a model data
// file, as the profile functions return it, and the choice for a few users.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/datafile/LanguageTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t cbData) {
    std::unique_ptr<char[]> text(new char[cbData ? cbData : 1]);
    if (cbData) std::memcpy(text.get(), pbData, cbData);
    const auto lines = ParseLanguageSection(std::string_view(text.get(), cbData));
    for (uint16_t wLangId : {0x0409, 0x0407, 0x0411, 0x0000, 0xFFFF}) {
        const int iLine = ChooseLanguageLine(lines, wLangId);
        if (iLine < -1 || iLine >= static_cast<int>(lines.size()) || (iLine < 0 && !lines.empty())) __builtin_trap();
    }
    for (const LanguageLine& line : lines) {
        if (line.strSection.empty()) __builtin_trap();
    }
    return 0;
}
