// Cartridge names and type texts of one printer's slots: the slot table,
// the printer driver's VIF file, the model data file's cartridge tables
// and the ordering overrides of the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "core/cartridge/CartridgeTables.h"
#include "core/cartridge/PrnInkInfo.h"
#include "core/status/StatusRecord.h"

// Modes of GetIoUrlValue: the name given is a printer's, or the key's own.
constexpr int kIoUrlByPrinter = 1;
constexpr int kIoUrlByName = 2;

// Every lookup returns 1 when found, else 0, and writes its outputs only
// when found; GetIoUrlValue always writes its text.
class CPrnInkInfoEx : public CPrnInkInfo {
public:
    // Names may be null or empty; without a data file only the VIF file
    // gives type texts.
    CPrnInkInfoEx(const char* pszPrinter, HMODULE hResource);
    CPrnInkInfoEx(const char* pszPrinter, const char* pszDataFile, HMODULE hResource);

    // Status name and VIF type of the slot whose ink code the record gives.
    int GetStatusCartridgeText(const StatusRecord& record, int iSlot, std::string& strText);
    // Check-message name and VIF type of the slot.
    int GetSlotCartridgeText(int iSlot, std::string& strText);
    // Order name, and the VIF type with line breaks (empty when missing).
    int GetOrderCartridgeText(uint16_t wInkCode, int iSlot, std::string& strName, std::string& strType) const;
    // The type text with line breaks: the CSIC entry that the first CSIC2
    // entry of ink code, size code and slot names, else the VIF type of
    // the slot's row (found even when that is empty).
    int GetInkCartVertical(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strText) const;
    // Name and type for ordering: the registry's IO_URL values "01<n>" and
    // "11<n>" (n = slot + 1) when "01<n>" is set, where an empty "11<n>"
    // leaves strType as it was; else the order name and GetInkCartVertical.
    int GetVendCartridgeSx(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strName,
                           std::string& strType) const;
    // String value of HKLM "software\KAVRO\<name> IO_URL", where <name> is
    // the driver of printer pszName (kIoUrlByPrinter) or pszName itself
    // (kIoUrlByName); empty text and 0 when missing or empty.
    static int GetIoUrlValue(const char* pszValueName, const char* pszName, int iMode, std::string& strText);

private:
    int TypeNumText(const CartridgeSlotRow* pRow, uint32_t CartridgeSlotRow::*pNameId, std::string& strText);
    bool TypeFromDataFile(uint16_t wInkCode, uint16_t wSizeCode, int iSlot, std::string& strText) const;

    std::string m_strPrinterName;
    std::string m_strDataFile;
};
