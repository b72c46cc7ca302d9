// Per-user settings read through the printer entries, and the user's
// country.
#pragma once

#include <windows.h>

// The notification switches of a printer for one notify class: *pdwNotify
// is the class's switch under "Notify", *pdwSound is "SoundNotifyEnable"
// AND that switch. 0 when both were read; 1 when the entry or its Notify
// key is missing (the flags then hold what was read, else 0).
int CheckNotification(const char* pszPrinter, const char* pszPort, int iNotifyClass, DWORD* pdwSound,
                      DWORD* pdwNotify);

// TRUE with the "TrayIconEnable" of the local entry named pszPrinter.
BOOL GetTrayIconInfo(const char* pszPrinter, DWORD* pdwTrayIconEnable);

// "Debug_Nation" when set, else the user's "Nation"; -1 when neither is.
int GetNation();

// The entry's IC_JP key (pszEntryKey: path under HKEY_CURRENT_USER): 1 when
// it exists (*pdwEnvCheck = its "EnvCheck", default 1); 0 when it was made
// from the installer's seeds under HKLM "software\KAVRO\<name> IC_JP"
// (*pdwEnvCheck = 1); -1 when there are no seeds or it cannot be made.
int CheckIniFlagIC_JP(const char* pszEntryKey, const char* pszName, DWORD* pdwEnvCheck);
