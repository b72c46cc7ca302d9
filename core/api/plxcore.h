// Exports of the printer status core library. All are cdecl with
// undecorated names, take ANSI strings and never throw.
#pragma once

#include <windows.h>

#ifdef PLXCORE_BUILD
#define PLXCORE_API extern "C" __declspec(dllexport)
#else
#define PLXCORE_API extern "C" __declspec(dllimport)
#endif

/*
 * PrGetPrinterStatus
 *   Reads one raw status reply of a printer through the bidirectional
 *   library of its driver, without any monitoring.
 * PARAMS
 *   pszPrinter [I] printer name as the spooler knows it
 *   ppStatus   [O] receives a global-memory block with the reply and at
 *                  least one zero byte after it; set as soon as it is
 *                  allocated, even when the request then fails. Free a
 *                  non-null block with PrReleasePrinterStatus in every case.
 * RETURNS
 *   above 0: the reply length in bytes.
 *   -50 no printer name, -51 ppStatus is null, -52 the printer or its driver
 *   cannot be found, -53 the library cannot be loaded, -54 the library lacks
 *   a function, -55 no status channel offered, -56 out of memory, -57 the
 *   printer is not the model the driver was installed for, -99 the library
 *   faulted; other values of 0 or below are the library's own (-17: no
 *   status available yet).
 */
PLXCORE_API int __cdecl PrGetPrinterStatus(const char* pszPrinter, BYTE** ppStatus);

/*
 * PrReleasePrinterStatus
 *   Frees a block handed out by PrGetPrinterStatus. A null block is ignored.
 */
PLXCORE_API void __cdecl PrReleasePrinterStatus(BYTE* pStatus);
