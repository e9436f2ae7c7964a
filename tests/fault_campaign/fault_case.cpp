#include "fault_case.h"

namespace rpanel::campaign {
namespace {

// Faults that spoil one reply, as the printer model commits them.
std::optional<ReplyFault> ReplyFaultOf(Fault fault) {
    switch (fault) {
        case Fault::NoReply:
            return ReplyFault::NoReply;
        case Fault::OneByte:
            return ReplyFault::OneByte;
        case Fault::TwoBytes:
            return ReplyFault::TwoBytes;
        case Fault::ThreeBytes:
            return ReplyFault::ThreeBytes;
        case Fault::AckWithoutNul:
            return ReplyFault::AckWithoutNul;
        case Fault::RandomBytes:
            return ReplyFault::RandomBytes;
        case Fault::None:
        case Fault::Unplugged:
        case Fault::TimedOut:
            break;
    }
    return std::nullopt;
}

}  // namespace

bool FaultCase::Hits(int index) const {
    if (fault == Fault::None) {
        return false;
    }
    return fault == Fault::Unplugged ? index >= position : index == position;
}

std::string FaultCase::Describe() const {
    if (fault == Fault::None) {
        return "no fault";
    }
    if (position == kBeforeOpening) {
        return "unplugged before opening";
    }
    return std::string(FaultName(fault)) +
           (fault == Fault::Unplugged ? " from request " : " at request ") +
           std::to_string(position);
}

std::string_view FaultName(Fault fault) {
    switch (fault) {
        case Fault::None:
            return "none";
        case Fault::NoReply:
            return "no reply";
        case Fault::OneByte:
            return "1-byte reply";
        case Fault::TwoBytes:
            return "2-byte reply";
        case Fault::ThreeBytes:
            return "3-byte reply";
        case Fault::AckWithoutNul:
            return "acknowledgement without NUL";
        case Fault::RandomBytes:
            return "random bytes";
        case Fault::Unplugged:
            return "unplugged";
        case Fault::TimedOut:
            return "timed out";
    }
    return "?";
}

void InjectInto(PrinterModel& printer, const FaultCase& faultCase) {
    if (faultCase.fault == Fault::Unplugged) {
        if (faultCase.position == kBeforeOpening) {
            printer.SetPresent(false);
        } else {
            printer.UnplugAfter(faultCase.position);
        }
    } else if (const auto reply = ReplyFaultOf(faultCase.fault)) {
        printer.InjectFault(faultCase.position, *reply);
    }
}

void InjectIntoTwin(PrinterModel& twin, const FaultCase& faultCase) {
    if (faultCase.fault == Fault::TimedOut) {
        twin.InjectFault(faultCase.position, ReplyFault::NoReply);
    } else {
        InjectInto(twin, faultCase);
    }
}

}  // namespace rpanel::campaign
