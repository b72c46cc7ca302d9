// String ids of the resource module that name cartridges, shared by the
// code and the modules' resource scripts (plain defines so that the
// resource compiler reads them).
#pragma once

// Cartridge names in status messages, slots 0 to 3.
#define IDS_STATUS_CARTRIDGE_CYAN 4150
#define IDS_STATUS_CARTRIDGE_MAGENTA 4151
#define IDS_STATUS_CARTRIDGE_YELLOW 4152
#define IDS_STATUS_CARTRIDGE_BLACK 4153

// Cartridge names in the cartridge check messages, slots 0 to 3.
#define IDS_CHECK_CARTRIDGE_CYAN 30665
#define IDS_CHECK_CARTRIDGE_MAGENTA 30666
#define IDS_CHECK_CARTRIDGE_YELLOW 30667
#define IDS_CHECK_CARTRIDGE_BLACK 30668

// Cartridge names for ordering, slots 0 to 3.
#define IDS_ORDER_CARTRIDGE_CYAN 31400
#define IDS_ORDER_CARTRIDGE_MAGENTA 31401
#define IDS_ORDER_CARTRIDGE_YELLOW 31402
#define IDS_ORDER_CARTRIDGE_BLACK 31403

// Text that stands for each '@' of a cartridge-table value of the model
// data file.
#define IDS_CSIC_AT_TEXT 30696
