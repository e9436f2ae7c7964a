// The process-wide printer link as a fresh process has it, and opened with a configuration of
// the test's own instead of SetPrinterIds'.
#pragma once

#include <cstdio>

#include "link/printer_link.h"

namespace rpanel::test {

// The link has never been opened: its handles are 0, not the mark a close leaves.
inline void ForgetPrinterLink() {
    PrinterLink fresh;
    GetPrinterLink(&fresh);
    PrinterLink& link = GetPrinterLink();
    link.controlHandle = link.deviceHandle = link.secondHandle = kNoHandle;
}

// Sets the IDs and opens the link as every command does.
inline bool OpenPrinter() {
    SetPrinterIds();
    return OpenPrinterLink() == 1;
}

inline bool OpenLinkWith(int driverKind, const char* ids, int firstPipe = 0, int secondPipe = 1) {
    PrinterLink configuration;
    configuration.driverKind = driverKind;
    std::snprintf(configuration.hardwareIds, sizeof configuration.hardwareIds, "%s", ids);
    configuration.firstPipe = firstPipe;
    configuration.secondPipe = secondPipe;
    GetPrinterLink(&configuration);
    return OpenPrinterLink() == 1;
}

}  // namespace rpanel::test
