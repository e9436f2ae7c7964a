#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
#include "campaign.h"
#include "info/info_viewer_sequence.h"
#include "info/ini_export.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "panel/panel_commands.h"
#include "service/service_mode.h"
#include "service/user_service.h"
#include "support/scripted_answers.h"

namespace rpanel::campaign {
namespace {

constexpr StatusCode kStatusCodes[] = {{'0', '0', '0', '0', '0', '0'},
                                       {'2', '0', '4', '0', '0', '8'}};

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "(no file)";
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void OpenPanel(CommandRun& run) {
    // Nothing queued: the user cancels the Retry/Cancel box.
    test::ScriptedAnswers user;
    user.whileShown = [&run](int stringId) { run.messages.ShowMessageById(stringId); };
    MainWindow window(run.state, PageFactory{});
    window.OpenPanel();
}

void ViewConfigurationAndSave(CommandRun& run) {
    OpenInfoViewer(run.messages, run.state, [&run](AppState& state) {
        const ViewerTexts texts = InitialiseViewerTexts(run.messages, state);
        run.viewerFields = BlockFields(state);
        ExportInfoToIni(run.messages, texts, run.iniPath);
        run.iniFile = FileBytes(run.iniPath) == InfoIniBytes(texts) ? kIniHoldsTheTexts
                                                                    : "not what the viewer shows";
    });
}

// A panel button: the page runs its work inside the printer command frame. The service
// functions and the viewer sequence open and close the link themselves.
std::function<void(CommandRun&)> PanelButton(std::function<void(CommandRun&)> work) {
    return [work](CommandRun& run) { RunPrinterCommand(run.messages, [&] { work(run); }); };
}

// The requests as the printer's request table writes them. Settings travel in the high byte;
// every request but 13 has index 1; text replies ask for 1024 bytes, the others for 4.
Step Info(std::uint16_t value) {
    return {13, value, 0, 1024, Kind::Text};
}
Step Read(std::uint8_t code, std::int32_t AppState::*field) {
    return {code, 0x0000, 1, 4, Kind::Value, field};
}
Step Write(std::uint8_t code, std::uint16_t value) {
    return {code, value, 1, 4, Kind::Write};
}
Step Command(std::uint8_t code, std::uint16_t value, int message) {
    return {code, value, 1, 4, Kind::Command, nullptr, message};
}

std::vector<Step> Joined(std::vector<Step> first, const std::vector<Step>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<CampaignCommand> MakeCommands() {
    using S = AppState;
    const std::vector<Step> infoReplies = {Info(0x0100), Info(0x0200), Info(0x0300), Info(0x0400)};
    std::vector<Step> valueBlocks;  // requests 55 to 78, one value each
    for (std::uint8_t code = 55; code <= 78; ++code) {
        valueBlocks.push_back({code, 0x0000, 1, 4, Kind::Silent});
    }
    const PanelDefaults defaults = InitialPanelDefaults();
    return {
        {.name = "open panel",
         .frame = Frame::PanelOpening,
         .steps = {Read(80, nullptr)},
         .run = OpenPanel},
        {.name = "Status",
         .steps = {{9, 0x0000, 1, 1024, Kind::Text}},
         .run = PanelButton(
             [](CommandRun& run) { ReadPanelStatus(run.messages, run.state, &run.timer); })},
        {.name = "toner change",
         .steps = {Command(14, 0x0000, 21)},
         .run = PanelButton(
             [](CommandRun& run) { RotateToner(run.messages, TonerRotation::ChangeToner); })},
        {.name = "toner eject",
         .steps = {Command(14, 0x0100, 22)},
         .run = PanelButton(
             [](CommandRun& run) { RotateToner(run.messages, TonerRotation::EjectAllToner); })},
        {.name = "clean-up",
         .steps = {Command(14, 0x0200, 21)},
         .run = PanelButton([](CommandRun& run) { RunCommand(Request::PhCleanUp, run.messages); })},
        {.name = "calibration",
         .steps = {Command(18, 0x0000, 23)},
         .run = PanelButton(
             [](CommandRun& run) { RunCommand(Request::StartCalibration, run.messages); })},
        // The page as it starts: toner-low message on, toner-out stop on, 30 minutes, auto
        // continue off.
        {.name = "Apply",
         .steps = {Write(19, 0x0100), Write(15, 0x0100), Write(16, 0x1E00), Write(17, 0x0000)},
         .run = PanelButton(
             [defaults](CommandRun& run) { ApplyPanelDefaults(run.messages, defaults); })},
        {.name = "configuration page and Save",
         .steps = Joined(Joined(infoReplies, valueBlocks), {Read(22, &S::energySaveOn)}),
         .runsViewer = true,
         .run = ViewConfigurationAndSave},
        {.name = "User Service download",
         .steps = Joined(infoReplies, {Read(20, &S::gdiTimeout), Read(22, &S::energySaveOn),
                                       Read(24, &S::flicker)}),
         .decodesAdjustments = true,
         .run = [](CommandRun& run) { DownloadUserService(run.messages, run.state); }},
        // The seeded settings: GDI timeout 4, energy save 0, flicker 2, image 3; top 3, -4, 5,
        // left -6 (+15); transfer 1, -2, 3, -4, 5, -6 (+8).
        {.name = "User Service upload",
         .steps = {Write(21, 0x0400), Write(23, 0x0000), Write(25, 0x0200), Write(26, 0x0300),
                   Write(27, 0x1200), Write(28, 0x0B00), Write(29, 0x1400), Write(30, 0x0900),
                   Write(32, 0x0900), Write(33, 0x0600), Write(34, 0x0B00), Write(35, 0x0400),
                   Write(36, 0x0D00), Write(37, 0x0200)},
         // The energy-save list shows the stored choice.
         .run =
             [](CommandRun& run) {
                 UploadUserService(run.messages, run.state, run.state.energySaveOn);
             }},
        {.name = "test pattern 1",
         .steps = {Command(39, 0x0000, 228)},
         .run = [](CommandRun& run) { PrintTestPattern(run.messages, TestPattern::One); }},
        {.name = "test pattern 2",
         .steps = {Command(39, 0x0100, 229)},
         .run = [](CommandRun& run) { PrintTestPattern(run.messages, TestPattern::Two); }},
        {.name = "image refresh",
         .steps = {{85, 0x0000, 1, 4, Kind::Unexamined}},
         .run = [](CommandRun& run) { RunImageRefresh(run.messages); }},
        {.name = "Service Mode download",
         .steps = {Read(40, &S::tonerLowWarning), Read(42, &S::puLowWarning),
                   Read(44, &S::plainTemperature), Read(46, &S::thickTemperature),
                   Read(48, &S::envelopeTemperature), Read(53, &S::jamCounter),
                   Read(54, &S::troubleCounter), Read(81, &S::transferBeltCounter),
                   Read(82, &S::drumUnitCounter), Read(83, &S::transferRollerCounter),
                   Read(84, &S::fuserUnitCounter)},
         .run = [](CommandRun& run) { DownloadServiceMode(run.messages, run.state); }},
        // The seeded warnings 0 and 0, temperatures 2, 0, 2.
        {.name = "Service Mode upload",
         .steps = {Write(41, 0x0000), Write(43, 0x0000), Write(45, 0x0200), Write(47, 0x0000),
                   Write(49, 0x0200)},
         .run = [](CommandRun& run) { UploadServiceMode(run.messages, run.state); }},
        {.name = "replace fuser",
         .steps = {Command(51, 0x0000, 231)},
         .run = [](CommandRun& run) { ReportReplacedPart(run.messages, ReplacedPart::FuserUnit); }},
        {.name = "replace roller",
         .steps = {Command(50, 0x0000, 232)},
         .run =
             [](CommandRun& run) {
                 ReportReplacedPart(run.messages, ReplacedPart::TransferRoller);
             }},
    };
}

}  // namespace

std::span<const CampaignCommand> CampaignCommands() {
    static const std::vector<CampaignCommand> commands = MakeCommands();
    return commands;
}

std::span<const StatusCode> PrinterStatusCodes() {
    return kStatusCodes;
}

void PreparePrinter(PrinterModel& printer) {
    std::vector<std::string> codes;
    for (const StatusCode& code : kStatusCodes) {
        codes.emplace_back(code.data(), code.size());
    }
    printer.SetStatusCodes(codes);
}

AppState SeededState() {
    AppState state;
    state.machineVariant = 3;
    state.statusCount = 3;
    state.statusCodes.entries[0] = {'1', '1', '1', '1', '1', '1'};
    state.statusCodes.entries[1] = {'2', '2', '2', '2', '2', '2'};
    state.statusCodes.entries[2] = {'3', '3', '3', '3', '3', '3'};
    state.statusIndex = 2;

    state.topAdjustPlain = 3;
    state.topAdjustThick = -4;
    state.topAdjustEnvelope = 5;
    state.leftAdjustFront = -6;
    state.transferPlainFront = 1;
    state.transferThick1 = -2;
    state.transferThick2 = 3;
    state.transferPostcard = -4;
    state.transferEnvelope = 5;
    state.transferLabel = -6;
    state.gdiTimeout = 4;
    state.energySaveOn = 0;
    state.flicker = 2;
    state.imageAdjust = 3;

    state.tonerLowWarning = 0;
    state.puLowWarning = 0;
    state.plainTemperature = 2;
    state.thickTemperature = 0;
    state.envelopeTemperature = 2;
    state.jamCounter = 101;
    state.troubleCounter = 102;
    state.transferBeltCounter = 103;
    state.drumUnitCounter = 104;
    state.transferRollerCounter = 105;
    state.fuserUnitCounter = 106;
    return state;
}

std::string CampaignIniPath() {
    static const std::string path = [] {
        const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                             ("fault-campaign-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return (folder / "campaign.INI").string();
    }();
    return path;
}

}  // namespace rpanel::campaign
