// libFuzzer entry: arbitrary bytes as a driver's setup-data file, parsed for
// the NT and 9x families and looked up by the key the system asks for.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "common/datafile/SetupData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pbData, size_t cbData) {
    // An exactly sized copy, so ASan reports any read past the file.
    std::unique_ptr<char[]> text(new char[cbData ? cbData : 1]);
    if (cbData) std::memcpy(text.get(), pbData, cbData);
    const std::string_view view(text.get(), cbData);
    for (OsFamily family : {OsFamily::WinNt, OsFamily::Win9x}) {
        SetupDataEnv env;
        env.family = family;
        env.strDriverDir = "C:\\DRV";
        env.strSystemDir = "C:\\WINDOWS\\system32";
        const SetupData data = SetupData::Parse(view, env);
        for (const char* pszValue : {"InstallPath", "QBAPI32", "QBAPI_VERSION", "ModelID", "Profile"}) {
            const auto value = data.FindString("Software\\KAVRO\\PLX3\\Driver\\KAVRO PX-100 Series", pszValue);
            if (value && value->empty()) __builtin_trap();  // empty strings are dropped while parsing
            data.FindNumber("Software\\KAVRO\\PLX3\\Driver\\KAVRO PX-100 Series", pszValue);
        }
        for (const SetupKey& key : data.Keys()) {
            if (key.strId.empty()) __builtin_trap();
        }
    }
    return 0;
}
