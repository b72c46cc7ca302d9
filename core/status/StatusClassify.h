// Classification of a decoded status record: the ink condition and warning
// masks, the selected warning, and what the classification asks of the
// spooler. CStatusInfo (StatusInfo.h) runs it.
#pragma once

#include <cstdint>
#include <string>

#include "core/status/StatusRecord.h"

struct StatusClassInfo;

// Ink colours of a model unless its data file says otherwise.
constexpr int kDefaultInkColorCount = 4;

// Four bits per ink for the inks below iInkColorCount (at most 8):
// kInkBitEmpty for level 0, kInkBitFault, kInkBitNoCartridge, kInkBitCI
// for the condition marks.
uint32_t InkStateMask(const StatusRecord& record, int iInkColorCount = kDefaultInkColorCount);

// kWarningBitLow << 4k for each warning 0x10 + k, kWarningBitHigh << 4k for
// each warning 0x30 + k (k below 8).
uint32_t WarningMask(const StatusRecord& record);

// The warning the status code table compares: the first reported warning
// whose high nibble is 2, else 4, else 3, else 1, else the first warning;
// 0 when none is reported.
uint8_t SelectedWarning(const StatusRecord& record);

// What the spooler says about the queue of the printer being monitored.
enum class QueueLookup {
    PrinterNotOpened,
    Empty,
    HasJob,
    NotKnown,  // opened, but the spooler would not list the queue
};

// The printer's queue as the spooler shows it. The offline cancel button
// is withdrawn only when the queue is known to be empty; the Windows side
// opens the monitored printer and asks for its first job.
class CPrinterQueue {
public:
    virtual ~CPrinterQueue() = default;
    virtual QueueLookup FindFirstJob() = 0;
};

// The trouble-shooting help of a classified status. The Windows side
// decides it from the model data file, the printer's channel, the
// maintenance utility module and the resource module.
class CTroubleShooter {
public:
    virtual ~CTroubleShooter() = default;
    // Fills info.TroubleShoot, which comes in reset, for the status of
    // info.Row; strDataFile is the model data file.
    virtual void Decide(StatusClassInfo& info, const std::string& strDataFile) = 0;
};
