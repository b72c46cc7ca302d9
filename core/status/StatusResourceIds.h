// Button types of the status window and the notification item strings:
// string ids of the resource module, shared by the code and the module's
// resource script (plain defines so that the resource compiler reads them).
#pragma once

// Button types; each is also the string id of the button's caption.
#define IDS_CLOSE 1600
#define IDS_STOP 1601
#define IDS_DISCHARGE_PAPER 1605
#define IDS_INK_CANCEL 1606
#define IDS_INK_RETURN 1608
#define IDS_INK_STOPRESET 1612
#define IDS_INK_OFFLINE_CANCEL 1614

// Integer text: how many notification items the module offers.
#define IDS_NOTIFY_ITEM_COUNT 1000
// Text of notification item 0; item i has IDS_NOTIFY_ITEM_FIRST + i.
#define IDS_NOTIFY_ITEM_FIRST 1001

// Ink status web address: its format, and the header put in front of it.
#define IDS_INKSTATUSURL 31086
#define IDS_INKSTATUSURL_HEADER 31087

// Trouble-shooting guides (RCDATA): this id plus the status's TSS number.
#define IDR_TROUBLE_GUIDE_BASE 11010
