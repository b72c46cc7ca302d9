// Stand-in of a driver program that asks the core library for a printer's
// raw status reply: prints the result code, the length, a hex dump and the
// text of the reply.
//   drvstat [PRINTER]     default "KAVRO PX-100"
#include <windows.h>

#include <cctype>
#include <cstdio>

#include "core/api/plxcore.h"

namespace {

using PFN_PrGetPrinterStatus = int(__cdecl*)(const char*, BYTE**);
using PFN_PrReleasePrinterStatus = void(__cdecl*)(BYTE*);

void PrintReply(const BYTE* pReply, int cbReply) {
    printf("length: %d\nhex:", cbReply);
    for (int i = 0; i < cbReply; ++i) printf("%s%02X", i % 16 ? " " : "\n  ", pReply[i]);
    printf("\ntext: ");
    for (int i = 0; i < cbReply; ++i) {
        const unsigned char ch = pReply[i];
        if (ch == '\r') printf("\\r");
        else if (ch == '\n') printf("\\n");
        else putchar(isprint(ch) ? ch : '.');
    }
    printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    const char* pszPrinter = argc > 1 ? argv[1] : "KAVRO PX-100";
    HMODULE hCore = LoadLibraryA("plxcore.dll");
    if (!hCore) {
        fprintf(stderr, "drvstat: plxcore.dll not loaded, error %lu\n", GetLastError());
        return 2;
    }
    auto pfnGet = reinterpret_cast<PFN_PrGetPrinterStatus>(GetProcAddress(hCore, "PrGetPrinterStatus"));
    auto pfnRelease = reinterpret_cast<PFN_PrReleasePrinterStatus>(GetProcAddress(hCore, "PrReleasePrinterStatus"));
    if (!pfnGet || !pfnRelease) {
        fprintf(stderr, "drvstat: plxcore.dll lacks its exports\n");
        FreeLibrary(hCore);
        return 2;
    }
    BYTE* pReply = nullptr;
    const int iResult = pfnGet(pszPrinter, &pReply);
    printf("printer: %s\nresult: %d\n", pszPrinter, iResult);
    if (iResult > 0 && pReply) PrintReply(pReply, iResult);
    pfnRelease(pReply);
    FreeLibrary(hCore);
    return iResult > 0 ? 0 : 1;
}
