#include "campaign_commands.h"

#include <cassert>
#include <fstream>
#include <sstream>

#include "app/main_window.h"
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

using R = Request;

constexpr StatusCode kStatusCodes[] = {{'0', '0', '0', '0', '0', '0'},
                                       {'2', '0', '4', '0', '0', '8'}};

std::int32_t Switch(const std::optional<bool>& choice) {
    assert(choice.has_value());
    return *choice ? 1 : 0;
}

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

std::vector<CampaignCommand> MakeCommands() {
    const PanelDefaults defaults = InitialPanelDefaults();
    const std::vector<R> infoReplies = {R::ReadSuppliesInfo, R::ReadCountersInfo,
                                        R::ReadMachineSettingsInfo, R::ReadAdjustmentsInfo};
    const auto concat = [](std::vector<R> first, const std::vector<R>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    };
    return {
        {.name = "open panel",
         .frame = Frame::PanelOpening,
         .requests = {R::ReadMachineVariant},
         .run = OpenPanel},
        {.name = "Status",
         .requests = {R::ReadPanelStatus},
         .run = PanelButton(
             [](CommandRun& run) { ReadPanelStatus(run.messages, run.state, &run.timer); })},
        {.name = "toner change",
         .requests = {R::ChangeToner},
         .run = PanelButton(
             [](CommandRun& run) { RotateToner(run.messages, TonerRotation::ChangeToner); })},
        {.name = "toner eject",
         .requests = {R::EjectAllToner},
         .run = PanelButton(
             [](CommandRun& run) { RotateToner(run.messages, TonerRotation::EjectAllToner); })},
        {.name = "clean-up", .requests = {R::PhCleanUp}, .run = PanelButton([](CommandRun& run) {
                                                             RunCommand(R::PhCleanUp, run.messages);
                                                         })},
        {.name = "calibration",
         .requests = {R::StartCalibration},
         .run =
             PanelButton([](CommandRun& run) { RunCommand(R::StartCalibration, run.messages); })},
        {.name = "Apply",
         .requests = {R::SetTonerLowMessage, R::SetTonerOutStop, R::SetEnergySaveTime,
                      R::SetAutoContinue},
         .parameters = {Switch(defaults.tonerLowMessage), Switch(defaults.tonerOutStop),
                        defaults.energySaveMinutes, Switch(defaults.autoContinue)},
         .run = PanelButton(
             [defaults](CommandRun& run) { ApplyPanelDefaults(run.messages, defaults); })},
        {.name = "configuration page and Save",
         .requests = concat(infoReplies,
                            {R::ReadInfoValueBlock1, R::ReadInfoValueBlock2, R::ReadEnergySave}),
         .runsViewer = true,
         .run = ViewConfigurationAndSave},
        {.name = "User Service download",
         .requests = concat(infoReplies, {R::ReadGdiTimeout, R::ReadEnergySave, R::ReadFlicker}),
         .decodesAdjustments = true,
         .run = [](CommandRun& run) { DownloadUserService(run.messages, run.state); }},
        {.name = "User Service upload",
         .requests = {R::WriteGdiTimeout, R::WriteEnergySave, R::WriteFlicker, R::WriteImageAdjust,
                      R::WriteTopAdjustPlain, R::WriteTopAdjustThick, R::WriteTopAdjustEnvelope,
                      R::WriteLeftAdjustFront, R::WriteTransferPlain, R::WriteTransferThick1,
                      R::WriteTransferThick2, R::WriteTransferPostcard, R::WriteTransferEnvelope,
                      R::WriteTransferLabel},
         // The energy-save list shows the stored choice.
         .run =
             [](CommandRun& run) {
                 UploadUserService(run.messages, run.state, run.state.energySaveOn);
             }},
        {.name = "test pattern 1",
         .requests = {R::PrintTestPattern1},
         .run = [](CommandRun& run) { PrintTestPattern(run.messages, TestPattern::One); }},
        {.name = "test pattern 2",
         .requests = {R::PrintTestPattern2},
         .run = [](CommandRun& run) { PrintTestPattern(run.messages, TestPattern::Two); }},
        {.name = "image refresh",
         .requests = {R::ImageRefresh},
         .run = [](CommandRun& run) { RunImageRefresh(run.messages); }},
        {.name = "Service Mode download",
         .requests = {R::ReadTonerLowWarning, R::ReadPuLowWarning, R::ReadPlainTemperature,
                      R::ReadThickTemperature, R::ReadEnvelopeTemperature, R::ReadJamCounter,
                      R::ReadTroubleCounter, R::ReadTransferBeltCounter, R::ReadDrumUnitCounter,
                      R::ReadTransferRollerCounter, R::ReadFuserUnitCounter},
         .run = [](CommandRun& run) { DownloadServiceMode(run.messages, run.state); }},
        {.name = "Service Mode upload",
         .requests = {R::WriteTonerLowWarning, R::WritePuLowWarning, R::WritePlainTemperature,
                      R::WriteThickTemperature, R::WriteEnvelopeTemperature},
         .run = [](CommandRun& run) { UploadServiceMode(run.messages, run.state); }},
        {.name = "replace fuser",
         .requests = {R::ReplaceFuserUnit},
         .run = [](CommandRun& run) { ReportReplacedPart(run.messages, ReplacedPart::FuserUnit); }},
        {.name = "replace roller",
         .requests = {R::ReplaceTransferRoller},
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

std::vector<Step> StepsOf(const CampaignCommand& command) {
    std::vector<Step> steps;
    for (const Request request : command.requests) {
        const RequestRow& row = CatalogueRow(request);
        for (int code = row.code; code <= row.lastCode; ++code) {
            steps.push_back({request, static_cast<std::uint8_t>(code)});
        }
    }
    return steps;
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

Fields RunFields(const CommandRun& run) {
    Fields fields = StateFields(run.state);
    fields.emplace_back("display timer restarts", std::to_string(run.timer.restarts));
    fields.insert(fields.end(), run.viewerFields.begin(), run.viewerFields.end());
    fields.emplace_back("INI file", run.iniFile);
    return fields;
}

}  // namespace rpanel::campaign
