// The spooler's side of status classification: the queue of the process
// context's printer.
#pragma once

#include "core/status/StatusClassify.h"

// Opens the context's printer and asks the spooler for its first queued
// job. A spooler that will not list the queue gives QueueLookup::NotKnown.
class CSpoolerQueue : public CPrinterQueue {
public:
    QueueLookup FindFirstJob() override;
};
