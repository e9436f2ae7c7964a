// One case of the fault campaign: which fault the printer commits, and at which request of the
// command's sequence.
#pragma once

#include <string>
#include <string_view>

#include "link/sim/printer_model.h"

namespace rpanel::campaign {

enum class Fault {
    None,
    NoReply,
    OneByte,
    TwoBytes,
    ThreeBytes,
    AckWithoutNul,  // "OK" and a byte other than NUL
    RandomBytes,
    Unplugged,  // from the position on every request goes unanswered
    // The transfer is never answered and times out (only a real USB stack can do this; the
    // simulated printer's "no reply" is immediate).
    TimedOut,
};

// The faults every command meets at every position.
inline constexpr Fault kPrinterFaults[] = {
    Fault::NoReply,       Fault::OneByte,     Fault::TwoBytes,  Fault::ThreeBytes,
    Fault::AckWithoutNul, Fault::RandomBytes, Fault::Unplugged,
};

// The position of an Unplugged case whose printer is gone before the link is opened.
inline constexpr int kBeforeOpening = -1;

struct FaultCase {
    Fault fault = Fault::None;
    int position = 0;  // index of the hit request in the command's sequence

    // Whether the request at index of the sequence is answered other than the printer means to.
    bool Hits(int index) const;
    std::string Describe() const;
};

std::string_view FaultName(Fault fault);

// Commits the fault through the printer model. The first request of the case must be the
// first the printer ever gets. TimedOut is left to the bus and leaves the model untouched.
void InjectInto(PrinterModel& printer, const FaultCase& faultCase);

// The twin of the printer that tells what the faulty printer answers: a timed-out request is
// one without a reply.
void InjectIntoTwin(PrinterModel& twin, const FaultCase& faultCase);

}  // namespace rpanel::campaign
