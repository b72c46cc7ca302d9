// The system's registry layout: key paths and value names, spelled as they
// are stored. Key paths are relative to the root named in each group.
#pragma once

// Both roots: HKCU holds "Debug_Nation", HKLM "DebugSysTimeStr" and "EnableProgress".
constexpr char kDebugKey[] = "Software\\Kavro\\PLX3\\Debug";

// HKEY_CURRENT_USER
constexpr char kPlx3Key[] = "Software\\Kavro\\PLX3";  // switches "log" (scope trace), "K_SIC" (line log)
constexpr char kPlxDataKey[] = "Software\\KAVRO\\PLX3\\PLXData";  // service-call texts by printer
constexpr char kLocalTargetKey[] = "Software\\KAVRO\\PLX3\\PLXData\\KVLTarget";
constexpr char kNetworkTargetKey[] = "Software\\KAVRO\\PLX3\\PLXData\\KVNTarget";
constexpr char kGeoKey[] = "Control Panel\\International\\Geo";
constexpr char kRunKey[] = "software\\Microsoft\\Windows\\CurrentVersion\\Run";

// HKEY_LOCAL_MACHINE, written by installers
constexpr char kPlxCommonKey[] = "Software\\KAVRO\\PLX3\\PLXCommon";
constexpr char kIcJpSeedKeyFormat[] = "software\\KAVRO\\%s IC_JP";   // %s: driver-related name
constexpr char kIoUrlKeyFormat[] = "Software\\KAVRO\\%s IO_URL";     // %s: driver name
constexpr char kTsUrlKeyFormat[] = "software\\KAVRO\\%s TS_URL";     // %s: driver name
constexpr char kQMenderKeyFormat[] = "software\\KAVRO\\%s QMender";  // %s: driver name
constexpr char kVendraJpKey[] = "software\\KAVRO\\VENDRA_JP";
constexpr char kQbapiInfoKey[] = "Software\\KAVRO\\QBAPIInfo";

// Values of a printer entry (a subkey of KVLTarget or KVNTarget)
constexpr char kEntryName[] = "Name";
constexpr char kEntrySetting[] = "Setting";
constexpr char kEntryTimer[] = "Timer";
constexpr char kEntrySoundNotifyEnable[] = "SoundNotifyEnable";
constexpr char kEntryTrayIconEnable[] = "TrayIconEnable";
constexpr char kEntryTrayIconSelected[] = "TrayIconSelected";
constexpr char kEntryNotifyKey[] = "Notify";
constexpr char kEntryStatus[] = "Status";
constexpr char kEntryChannel[] = "Channel";
constexpr char kEntryComStatus[] = "ComStatus";
constexpr char kEntryPopupPosX[] = "PopupPOSX";
constexpr char kEntryPopupPosY[] = "PopupPOSY";
constexpr char kEntryDisplayTips[] = "DisplayTips";
constexpr char kEntryIcJpKey[] = "IC_JP";
constexpr char kIcJpInitialize[] = "Initialize";
constexpr char kIcJpDisable[] = "Disable";
constexpr char kIcJpEnvCheck[] = "EnvCheck";

constexpr char kDebugNation[] = "Debug_Nation";
constexpr char kGeoNation[] = "Nation";

// "Setting" while an entry is in use, and just before a stale one goes.
constexpr unsigned long kSettingInUse = 0;
constexpr unsigned long kSettingStale = 255;
constexpr unsigned long kDefaultTimerSeconds = 10;
