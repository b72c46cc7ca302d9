// The Windows side of status classification for the printer of the process
// context: its spooler queue, its trouble-shooting help and the texts of
// its resource module.
#pragma once

#include "common/base/UniqueHandle.h"
#include "core/status/PrinterQueueWin.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfo.h"
#include "core/status/TroubleShoot.h"

// A CStatusInfo that asks the spooler and the driver's modules about the
// context's printer, with the model's ink colour count: what the status
// window and the monitoring exports classify with. Not copyable: it points
// at its own members.
class CContextStatusInfo : public CStatusInfo {
public:
    CContextStatusInfo();
    CContextStatusInfo(const CContextStatusInfo&) = delete;
    CContextStatusInfo& operator=(const CContextStatusInfo&) = delete;

private:
    CSpoolerQueue m_queue;
    CTroubleShoot m_troubleShooter;
};

// Cartridge texts of the context's printer for the detail messages that
// list the affected cartridges: the slot's status name and VIF type.
StatusCartridgeTextFn ContextCartridgeText();

// The context's resource module, mapped for as long as the result lives;
// empty when there is none or it does not load.
UniqueHModule LoadContextResources();

// Notification items the context's resource module offers
// (NotifyItemCountOfText of its IDS_NOTIFY_ITEM_COUNT string); 0 when the
// string cannot be loaded.
int GetNotifyItemCount();
