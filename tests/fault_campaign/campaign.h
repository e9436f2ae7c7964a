// The fault campaign: every button that talks to the printer, run through the same logic its
// page calls, against a printer that spoils one reply or goes away at any request. Each
// command's requests are written out by hand from the printer's request table (code, value,
// index, length) with what each reply is for; what the command must then do is derived from
// them by the rules in expected_outcome.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app_state.h"
#include "link/sim/printer_model.h"
#include "panel/status_read.h"
#include "support/recording_messages.h"

namespace rpanel::campaign {

// What a reply is for, as the printer's request table gives it.
enum class Kind {
    Text,        // a text reply for a parser; message 25 when none came
    Value,       // a 32-bit value into a page field; message 25 when none came
    Silent,      // a 32-bit value into the information blocks, no message
    Write,       // a setting, confirmed by "OK" and a NUL; the group ends with one message
    Command,     // its own message when confirmed, else message 25
    Unexamined,  // sent for its effect alone
};

struct Step {
    std::uint8_t code;
    std::uint16_t value;
    std::uint16_t index;
    std::uint16_t length;
    Kind kind;
    // Value: the field the reply goes into (none for the machine variant); Command: the
    // message of a confirmed command.
    std::int32_t AppState::*field = nullptr;
    int message = 0;
};

// How a command opens the printer link and leaves it.
enum class Frame {
    Command,       // opens, sends, closes; message 26 and nothing sent when it does not open
    PanelOpening,  // the Retry/Cancel box while it does not open (cancelled); stays open
};

class CountingTimer final : public DisplayTimer {
public:
    void Restart() override { ++restarts; }
    int restarts = 0;
};

using Fields = std::vector<std::pair<std::string, std::string>>;

// One run of a command and what it leaves beside AppState.
struct CommandRun {
    AppState state;
    test::RecordingMessages messages;
    CountingTimer timer;
    std::string iniPath;  // where the viewer's Save writes
    Fields viewerFields;  // the information blocks as the viewer saw them
    std::string iniFile;  // what the viewer's Save left
};

// What the viewer's Save leaves when the file holds what the viewer shows.
inline constexpr char kIniHoldsTheTexts[] = "holds the texts shown";

struct CampaignCommand {
    std::string_view name{};
    Frame frame = Frame::Command;
    std::vector<Step> steps{};
    bool decodesAdjustments = false;  // User Service "Download"
    bool runsViewer = false;          // the configuration page and its Save
    std::function<void(CommandRun& run)> run{};
};

std::span<const CampaignCommand> CampaignCommands();

// The printer every case starts from, and the status codes it reports.
std::span<const StatusCode> PrinterStatusCodes();
void PreparePrinter(PrinterModel& printer);

// AppState before every command: each setting and counter holds a value that no reply of the
// prepared printer gives, so that a field which a failed read must leave shows whether it was
// left; the settings are within what their pages offer, so that the uploads send them all.
AppState SeededState();

// A scratch file for the viewer's Save, removed with its folder at the end of the run.
std::string CampaignIniPath();

// What the printer does wrong, and at which request of the command's sequence.
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

// What a command leaves behind: the messages shown, the requests sent, the fields it may
// change (AppState, the display timer, the viewer's blocks and Save) and the printer link.
struct Outcome {
    std::vector<int> messages;
    std::vector<std::string> requests;
    Fields fields;
    std::string link;
};

Outcome ExpectedOutcome(const CampaignCommand& command, const FaultCase& faultCase);

// "13 0x0200 index 0 length 1024"
std::string DescribeRequest(std::uint8_t code, std::uint16_t value, std::uint16_t index,
                            std::uint16_t length);

Fields RunFields(const CommandRun& run);

// The information blocks as the viewer sees them: every slot by its key, every value entry.
Fields BlockFields(const AppState& state);

// What the printer link holds after a command, from the link record and the platform's counts
// of what is open.
inline constexpr char kLinkClosed[] = "closed";
inline constexpr char kLinkOpen[] = "open";
std::string LinkState(int handles, int deviceSets, int registryKeys);

}  // namespace rpanel::campaign
