#include "core/status/StatusRecord.h"

#include <tuple>

namespace {

// Every field, so a field added to the record must be added here too.
auto Fields(const StatusRecord& r) {
    return std::tie(r.Status, r.Error, r.InkCount, r.Ink, r.InkCodeCount, r.InkCode, r.InkColor, r.InkStateMask,
                    r.WarningMask, r.WarningCount, r.Warning, r.RcCode, r.Cancel, r.JobID, r.JobName, r.LogoResult,
                    r.RcFlag, r.ExtraCount, r.ExtraData, r.InkExtra);
}

}  // namespace

bool StatusRecord::operator==(const StatusRecord& other) const { return Fields(*this) == Fields(other); }
