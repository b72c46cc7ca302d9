// The status object: a decoded status record with its row of the status
// information table, its picture and its trouble-shooting help. Built by
// CStatusInfo::CreateStatusObject, immutable afterwards.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/status/StatusRecord.h"
#include "core/status/StatusTables.h"

// Trouble-shooting kinds.
enum TroubleShootType : uint32_t {
    kTroubleNone = 0,
    kTroubleDocument = 1,
    kTroubleGuide = 2,           // a guide resource of the resource module
    kTroubleInkUtility = 3,      // the utility's ink replacement
    kTroubleInkWindow = 4,       // the utility's ink replacement window
    kTroubleSetupUtility = 5,    // the utility's set-up
    kTroublePaperJamWindow = 6,  // the utility's paper-jam window
};

// Trouble-shooting help of a status; Type kTroubleNone = none.
struct TroubleShootInfo {
    uint32_t Type = kTroubleNone;
    std::string Name;
    // Id of the RCDATA guide resource (kind 2). The resource module is
    // loaded only around each use, so the help names its guide by id and
    // the window looks it up in the module it holds.
    uint32_t ResourceId = 0;
    uint16_t Slot = 0;  // utility mode (kind 4)
};

// What a status object is built from.
struct StatusClassInfo {
    const StatusRecord* pStatusBuff = nullptr;  // null: no "@BDC ST" reply was decoded
    StatusInfoRow Row{};                        // after the button change
    const StatusPictureRow* pPictureRow = nullptr;
    TroubleShootInfo TroubleShoot;
    uint32_t UserValue = 0;
};

// GetInkInfo kinds and the ink states of kind kInkInfoStates.
enum InkInfoKind {
    kInkInfoLevels = 0,
    kInkInfoMarks = 1,
    kInkInfoExtra = 2,
    kInkInfoStates = 3,
    kInkInfoCodes = 4,
};
enum InkSlotState : uint8_t {
    kInkSlotNormal = 0,
    kInkSlotWarning = 1,
    kInkSlotEmpty = 2,
    kInkSlotNoCartridge = 3,
    kInkSlotFault = 4,
    kInkSlotCI = 5,
};
constexpr size_t kInkInfoSize = 4;

// Cartridge texts of slots 0 to 3.
using CartridgeTexts = std::array<std::string, kInkInfoSize>;
// The text naming the cartridge of a slot of a status record; empty when
// there is none.
using StatusCartridgeTextFn = std::function<std::string(const StatusRecord& record, size_t nSlot)>;

class CPrinterStatus {
public:
    explicit CPrinterStatus(const StatusClassInfo& info);
    virtual ~CPrinterStatus();

    // 1 and dwJobId = the record's JobID when there is a record, else 0.
    int GetStatusJobID(uint32_t& dwJobId) const;
    // 1 and a copy of the record when there is one, else 0.
    int GetStatusRecord(StatusRecord& record) const;
    // 0 without a record, 2 while the printer state is 0x03, else 1.
    int GetPrintingState() const;
    // Fills kInkInfoSize bytes of slots 0 to 3 by kind; 1, or 0 without a
    // record, a buffer of exactly kInkInfoSize bytes or a known kind.
    int GetInkInfo(int iKind, uint8_t* pbBuffer, size_t cbBuffer) const;
    // Copies the picture row; 1.
    int GetPictureRow(StatusPictureRow& row) const;
    // Trouble-shooting kind, 0 = none; copies the info when pInfo is given.
    uint32_t GetTroubleShootInfo(TroubleShootInfo* pInfo) const;

    // Status text from the loaded string of the row's detail message: the
    // affected cartridges' texts, each followed by "\r\n", fill its "%s"
    // for the messages that list cartridges; others are returned as given.
    std::string GetSubMessageText(std::string_view strDetailText, const CartridgeTexts& texts) const;
    // Ink status web address: strHeader followed by strFormat filled with 4
    // and the levels of inks 0 to 3 ("NA" for a missing ink or a condition
    // mark). Empty when strFormat is.
    std::string FormatInkStatusURL(std::string_view strFormat, std::string_view strHeader) const;

    // Windows side (PrinterStatusWin.cpp): texts from the resource module
    // and the model data file of the process context's printer.

    // Text of the row's message into strText; its length, 0 when the
    // string cannot be loaded.
    int GetMessageText(std::string& strText) const;
    // Status text of the row's detail message (GetSubMessageText, with the
    // cartridge texts from cartridgeText); its length, 0 when the string
    // cannot be loaded.
    int GetSubMessage(std::string& strText, const StatusCartridgeTextFn& cartridgeText) const;
    // Ink status web address; iMode 1 puts the model's header in front
    // when the model enables it. Empty when the model does not enable the
    // address or its format cannot be loaded.
    std::string GetInkStatusURL(int iMode) const;
    // Windows side (PrinterQueueWin.cpp): 1 when the spooler's data type of
    // job dwJobId (callers pass the record's JobID) contains "EMF"; the
    // printer is opened by name, or by port name when pszPrinter is empty.
    static int IsEMFSpool(uint32_t dwJobId, const char* pszPrinter, const char* pszPort);

    const StatusInfoRow& GetRow() const { return m_row; }
    uint32_t GetUserValue() const { return m_dwUserValue; }

private:
    bool m_bHasStatus;
    StatusRecord m_record;
    StatusInfoRow m_row;
    StatusPictureRow m_pictureRow;
    TroubleShootInfo m_troubleShoot;
    uint32_t m_dwUserValue;
};

// Slots (bit s for slot s) that a detail message's cartridge list names.
unsigned CartridgeListSlots(const CartridgeListRule& rule, uint32_t dwInkStateMask, uint32_t dwWarningMask);

// printf-like filling of a resource text: each "%s" or "%d" takes the next
// argument (empty when none is left), "%%" is a percent sign, any other
// '%' stays as it is, so a text with unexpected conversions reads nothing
// it was not given.
std::string FillFormat(std::string_view strFormat, std::initializer_list<std::string_view> args);
