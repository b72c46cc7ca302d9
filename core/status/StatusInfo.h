// Status interpretation: decoding of the printer's status replies into a
// StatusRecord, the tables that belong to it, and the classification of a
// reply into a status object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/status/StatusClassify.h"
#include "core/status/StatusRecord.h"

class CPrinterStatus;
struct StatusClassInfo;

// One row per cartridge slot, in slot order.
struct InkCodeRow {
    uint16_t InkCode;
    uint16_t ColorCode;
    int SlotOrder;
    int Aux1;  // two further per-slot numbers the ink-order code reads
    int Aux2;
};

constexpr size_t kInkSlotCount = 4;
inline constexpr InkCodeRow kInkCodeTable[kInkSlotCount] = {
    {0x03, 0x01, 2, 1, 2},
    {0x04, 0x02, 3, 2, 3},
    {0x05, 0x03, 4, 3, 0},
    {0x01, 0x00, 1, -1, -1},
};

class CStatusInfo {
public:
    // Decoders: 1 when the reply was decoded, 0 otherwise. No byte outside
    // pbReply[0, cbReply) is read. A failed decode may leave the record
    // partly filled.

    // Resets the record, then decodes a text or binary reply by its header.
    static int ConvertStatusInfo(StatusRecord& record, const uint8_t* pbReply, size_t cbReply);
    // Text form; the record must be in its initial state.
    static int ConvertAsciiStatus(StatusRecord& record, const uint8_t* pbReply, size_t cbReply);
    // Binary form; the record must be in its initial state.
    static int ConvertBinaryStatus(StatusRecord& record, const uint8_t* pbReply, size_t cbReply);

    // Slot order number of an ink code, 0 for a code of no slot.
    static int GetInkSlotOrder(uint16_t wInkCode);

    // The model's ink colour count, which bounds the ink condition mask.
    void SetInkColorCount(int iCount) { m_iInkColorCount = iCount; }
    // Queue of the monitored printer, asked when a status offers the
    // offline cancel button; null: the printer cannot be opened.
    void SetPrinterQueue(CPrinterQueue* pQueue) { m_pQueue = pQueue; }
    // Decides the trouble-shooting help; null: none is offered.
    void SetTroubleShooter(CTroubleShooter* pTroubleShooter) { m_pTroubleShooter = pTroubleShooter; }

    // Windows side (StatusInfoWin.cpp). Stores the model data file (null
    // empties it), without which no trouble-shooting help is decided, and
    // notes whether HTML files have a program that opens them; 1.
    int SetDataFile(const char* pszDataFile);
    const std::string& DataFile() const { return m_strDataFile; }
    // 1 when HKEY_CLASSES_ROOT\.HTM opened at the last SetDataFile.
    int GetHtmlFlag() const { return m_bHtml; }
    // Windows side: 1 when the spooler has the printer set to work
    // offline, 0 otherwise and on any failure.
    static int CheckPrinterOffline(const char* pszPrinter);

    // Status number of the first row of the status code table that the
    // record matches; 0 when none does.
    uint16_t GetStatusNo(const StatusRecord& record) const;
    // Index of the status information row of the reply type and status
    // number, or -1.
    static int SearchStatusInfo(int32_t iReplyType, int32_t iStatusNo);

    // Decodes and classifies a reply of channel dwChannel (pbReply null: no
    // reply) into info; a decoded "@BDC ST" reply goes to record, which
    // info.pStatusBuff then points to. iForcedStatusNo, when not 0, replaces
    // the status number. dwConnectionFlag is the channel's network mode bit
    // (or 0); with dwUserValue it decides the buttons. false when the reply
    // cannot be decoded or an "hbm" reply lacks its status.
    bool ClassifyStatus(StatusClassInfo& info, StatusRecord& record, uint32_t dwChannel, const uint8_t* pbReply,
                        size_t cbReply, int iForcedStatusNo, uint32_t dwConnectionFlag, uint32_t dwUserValue) const;
    // Resets info.TroubleShoot, then lets the trouble shooter fill it.
    void SetTroubleDialogInfo(StatusClassInfo& info) const;
    // ClassifyStatus, the trouble-shooting help when a data file is set,
    // then the status object; null when classification fails or memory
    // runs out.
    std::unique_ptr<CPrinterStatus> CreateStatusObject(uint32_t dwChannel, const uint8_t* pbReply, size_t cbReply,
                                                       int iForcedStatusNo, uint32_t dwConnectionFlag,
                                                       uint32_t dwUserValue) const;

private:
    int m_iInkColorCount = kDefaultInkColorCount;
    CPrinterQueue* m_pQueue = nullptr;
    CTroubleShooter* m_pTroubleShooter = nullptr;
    std::string m_strDataFile;
    int m_bHtml = 0;
};

// Value of the first entry tagged byTag in an "hbm" reply: copies at most
// cbOut value bytes to pbOut. 0 found, 1 not found (also when the entry is
// cut off by the end of the reply), -1 not an "hbm" reply.
int FindHbmValue(const uint8_t* pbReply, size_t cbReply, uint8_t byTag, uint8_t* pbOut, size_t cbOut);

// Two hexadecimal digits (either case) to a byte: 1 and byOut set, or 0 and
// byOut untouched.
int HexPairToByte(char chHigh, char chLow, uint8_t& byOut);
