// Trouble-shooting help of a status for the printer of the process context.
#pragma once

#include <string>

#include "core/status/StatusClassify.h"

// The TSS switch of the status in the model data file's language section
// opens the way; then the maintenance utility module offers a function for
// the printer's connection and the status, or else the resource module
// offers a guide resource. Kinds are those of TroubleShootInfo.
class CTroubleShoot : public CTroubleShooter {
public:
    void Decide(StatusClassInfo& info, const std::string& strDataFile) override;
};
