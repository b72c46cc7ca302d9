// Line log of the shared utility code, switched on by the tray program for
// itself: "pid;  time; message" lines appended in text mode.
#pragma once

// Switches the log on when path fits (1..259 characters) and the value
// named pszSwitchValue under HKCU "SOFTWARE\KAVRO\PLX3" reads as non-zero.
// Returns 1 when on, else 0.
int LineLogOpen(const char* pszPath, const char* pszSwitchValue);
// Each returns 1 when a line was written, else 0 (log off, null text, file
// not opened).
int LineLogWriteText(const char* pszText);
int LineLogWriteTextText(const char* pszText1, const char* pszText2);
int LineLogWriteTextNumber(const char* pszText, int iNumber);
// Closes a stream left open; returns 1.
int LineLogClose();

// Path of the tray program's log: common application data folder +
// "\KAVRO\PLX3\plxtraylog.LOG", or "C:\plxtraylog.LOG".
const char* LineLogTrayPath();
