// Writing a model's defaults into a printer entry: the core of the export
// PrSetRegDefaultValue.
#pragma once

constexpr int kDefaultsWritten = 0;
constexpr int kDefaultsEntryNotOpened = 1;
constexpr int kDefaultsWithoutNotify = 4;  // no ITEMNUM, no Notify key, or the section too long

// pszEntryKey: the entry's path under HKEY_CURRENT_USER; the model id is
// the data-file section. "SoundNotifyEnable", "TrayIconEnable" and
// "TrayIconSelected" are overwritten; a Notify switch is written only when
// the Notify key is new or the switch does not exist yet.
int WriteEntryDefaults(const char* pszDataFile, const char* pszModelId, const char* pszEntryKey);
