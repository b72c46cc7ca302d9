// Cartridge names and type texts built from the resource module's strings
// and the printer driver's VIF file (the driver's data file, section
// InkInfo). Nothing is cached: every lookup opens the printer again.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Longest cartridge type text of the VIF file and longest name string.
constexpr size_t kInkTypeTextMax = 126;
// Buffer of a VIF type text with its line breaks, terminator included.
constexpr size_t kInkTypeBufferSize = 128;
// Buffer of a GetCardridgeTypeNum result, terminator included.
constexpr size_t kTypeNumBufferSize = 260;

// The output of each lookup is written only when it succeeds.
class CPrnInkInfo {
public:
    // hResource null: the library's default resource module.
    explicit CPrnInkInfo(HMODULE hResource = nullptr) : m_hResource(hResource) {}

    // True with string uStringId (at most kInkTypeTextMax characters).
    bool GetCardridgeTypeName(UINT uStringId, std::string& strName) const;
    // True with the InkInfo value of a VIF cartridge number (at most
    // kInkTypeTextMax characters) when it is not empty.
    static bool ReadInkInfoKey(const char* pszFile, int iNumber, std::string& strValue);
    // ReadInkInfoKey on the VIF file of the printer's driver.
    static bool GetVifInkInfo(const char* pszPrinter, int iNumber, std::string& strValue);
    // GetVifInkInfo with each '/' as "\r\n"; false when that does not fit
    // kInkTypeBufferSize.
    static bool GetVifInkInfoVertical(const char* pszPrinter, int iNumber, std::string& strValue);
    // Name string uNameId immediately followed by the VIF value of iNumber.
    // The text is owned by this object and stays valid until the next call;
    // null on any failure, which keeps the previous text.
    const char* GetCardridgeTypeNum(const char* pszPrinter, UINT uNameId, int iNumber);

protected:
    HMODULE ResourceModule() const { return m_hResource; }

private:
    HMODULE m_hResource;
    std::string m_strTypeNum;
};
