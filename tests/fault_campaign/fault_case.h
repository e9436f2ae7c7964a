// One case of the fault campaign: what the printer does wrong, and at which request of the
// command's sequence.
#pragma once

#include <ostream>
#include <string>

#include "link/sim/printer_model.h"

namespace rpanel::campaign {

struct FaultCase {
    enum class Kind {
        None,
        Reply,           // the reply at the position is spoiled as `reply` says
        Unplugged,       // from the position on nothing is answered
        GoneBeforeOpen,  // the printer is not there when the command opens the link
    };
    Kind kind = Kind::None;
    ReplyFault reply = ReplyFault::NoReply;
    int position = 0;

    // Whether the request at index of the sequence is answered other than the printer means.
    bool Hits(int index) const {
        return (kind == Kind::Reply && index == position) ||
               (kind == Kind::Unplugged && index >= position);
    }
    // Commits the fault through the printer model; the command's first request must be the
    // first the printer ever gets.
    void InjectInto(PrinterModel& printer) const {
        if (kind == Kind::Reply) {
            printer.InjectFault(position, reply);
        } else if (kind == Kind::Unplugged) {
            printer.UnplugAfter(position);
        } else if (kind == Kind::GoneBeforeOpen) {
            printer.SetPresent(false);
        }
    }
};

std::ostream& operator<<(std::ostream& out, const FaultCase& faultCase);

}  // namespace rpanel::campaign
