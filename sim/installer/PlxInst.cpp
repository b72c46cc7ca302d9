// Installer of the sample driver package, for the demo and by hand:
//   plxinst sample                   driver "KAVRO PX-100 Series" and
//                                    printer "KAVRO PX-100" on FILE:
//   plxinst add-printer NAME DRIVER  another printer of an installed driver
//   plxinst remove-printer NAME
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "sim/installer/DriverInstall.h"

namespace {

std::string ProgramFolder() {
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    if (char* pSlash = strrchr(szPath, '\\')) *pSlash = '\0';
    return szPath;
}

int Report(bool bOk, const std::string& strError) {
    if (!bOk) fprintf(stderr, "plxinst: %s\n", strError.c_str());
    return bOk ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string strError;
    const std::string strCommand = argc > 1 ? argv[1] : "";
    if (strCommand == "sample" && argc == 2) {
        const bool bOk = InstallDriverPackage(SamplePackage(ProgramFolder()), &strError) &&
                         AddLocalPrinter(kSamplePrinter, kSampleDriver, "FILE:", &strError);
        if (bOk) printf("installed driver \"%s\" and printer \"%s\"\n", kSampleDriver, kSamplePrinter);
        return Report(bOk, strError);
    }
    if (strCommand == "add-printer" && argc == 4) return Report(AddLocalPrinter(argv[2], argv[3], "FILE:", &strError), strError);
    if (strCommand == "remove-printer" && argc == 3) return Report(RemovePrinter(argv[2], &strError), strError);
    fprintf(stderr, "usage: plxinst sample | add-printer NAME DRIVER | remove-printer NAME\n");
    return 2;
}
