// Trouble-shooting guides of the sample resource modules: one guide per
// TSS number the status tables use, each a few pages of text.
#pragma once

#include "core/status/StatusResourceIds.h"

#define IDR_GUIDE_CARTRIDGE (IDR_TROUBLE_GUIDE_BASE + 1)
#define IDR_GUIDE_PAPER_JAM (IDR_TROUBLE_GUIDE_BASE + 2)

#define IDS_GUIDE_CARTRIDGE_1 11111
#define IDS_GUIDE_CARTRIDGE_2 11112
#define IDS_GUIDE_PAPER_JAM_1 11121
#define IDS_GUIDE_PAPER_JAM_2 11122

// Buttons of a guide page.
#define GUIDE_OK 0x1
#define GUIDE_NEXT 0x2
#define GUIDE_BACK 0x4
#define GUIDE_CLOSE 0x8
