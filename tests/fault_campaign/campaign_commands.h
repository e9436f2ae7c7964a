// The commands of the campaign: every button that talks to the printer, each with its request
// sequence and run through the same logic that its page calls.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "link/request_catalogue.h"
#include "link/sim/printer_model.h"
#include "outcome.h"
#include "panel/status_read.h"
#include "support/recording_messages.h"

namespace rpanel::campaign {

// How a command opens the printer link and leaves it.
enum class Frame {
    // Opens the link, sends, closes it; message 26 and nothing sent when it does not open.
    Command,
    // The main window's opening: the Retry/Cancel box 26 while the printer does not open
    // (the campaign's user cancels it), and the link stays open for the next command.
    PanelOpening,
};

class CountingTimer final : public DisplayTimer {
public:
    void Restart() override { ++restarts; }
    int restarts = 0;
};

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
    // The requests in the order the printer gets them; a block row stands for each of its
    // codes.
    std::vector<Request> requests{};
    // The parameters of the setting rows that have no AppState field, in order.
    std::vector<std::int32_t> parameters{};
    // "Download" of the User Service page: the adjustments are decoded from the adjustment
    // reply.
    bool decodesAdjustments = false;
    // The configuration page: the information blocks are looked at while the viewer is open,
    // and the viewer's Save writes them to run.iniPath.
    bool runsViewer = false;
    std::function<void(CommandRun& run)> run{};
};

std::span<const CampaignCommand> CampaignCommands();

// One request of a command's sequence.
struct Step {
    Request request;
    std::uint8_t code;
};
std::vector<Step> StepsOf(const CampaignCommand& command);

// The printer every case starts from, and the status codes it reports.
std::span<const StatusCode> PrinterStatusCodes();
void PreparePrinter(PrinterModel& printer);

// AppState before every command: each setting and counter holds a value that no reply of the
// prepared printer gives, so that a field which a failed read must leave shows whether it was
// left; the settings are within what their pages offer, so that the uploads send them all.
AppState SeededState();

// The fields a command's outcome is compared by: StateFields, the display timer, and the
// viewer's blocks and Save where the command ran the viewer.
Fields RunFields(const CommandRun& run);

}  // namespace rpanel::campaign
