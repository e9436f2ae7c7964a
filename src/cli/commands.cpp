#include "cli/commands.h"

#include <array>

#include "cli/info_command.h"
#include "cli/json_document.h"
#include "cli/panel_commands.h"
#include "cli/service_commands.h"
#include "cli/status_command.h"
#include "core/printable_text.h"
#include "link/printer_command.h"
#include "link/printer_link.h"
#include "link/request_ops.h"

namespace rpanel {
namespace {

Json DeviceJson(const DiscoveredDevice& device, bool opens) {
    return {{json_key::kMember, device.member},
            {json_key::kInterfacePath, Latin1ToUtf8(device.interfacePath)},
            {json_key::kHardwareIds, device.hardwareIds},
            {json_key::kMatches, device.matches},
            {json_key::kWouldOpen, opens}};
}

int ListDevices(CliContext& context) {
    if (!context.args.empty()) {
        return kExitUsage;
    }
    bool chosen = false;
    Json devices = Json::array();
    for (const DiscoveredDevice& device : ListPrinterClassDevices(kPrinterHardwareId)) {
        const bool opens = device.matches && !chosen && !device.interfacePath.empty();
        chosen |= opens;
        if (context.json) {
            devices.push_back(DeviceJson(device, opens));
            continue;
        }
        context.out << "device " << device.member << (opens ? " (would be opened)" : "") << '\n';
        context.out << "  interface path: "
                    << (device.interfacePath.empty() ? "(none)"
                                                     : TerminalText(device.interfacePath))
                    << '\n';
        if (device.hardwareIds.empty()) {
            context.out << "  hardware IDs: (none)\n";
        }
        for (const std::string& id : device.hardwareIds) {
            context.out << "  hardware ID: " << TerminalText(id) << '\n';
        }
    }
    if (context.json) {
        Json document = JsonDocument();
        document[json_key::kDevices] = devices;
        WriteJson(context.out, document);
    } else if (!chosen) {
        context.out << "no printer with hardware ID " << kPrinterHardwareId << '\n';
    }
    return chosen ? kExitOk : kExitFailed;
}

// The machine variant, read as the main window reads it when the panel opens.
int ReadVariant(CliContext& context) {
    if (!context.args.empty()) {
        return kExitUsage;
    }
    bool read = false;
    const bool opened = RunPrinterCommand(
        context.messages, [&] { read = ReadMachineVariant(context.messages, context.state); });
    if (context.json && opened) {
        Json document = JsonDocument();
        document[json_key::kVariant] =
            read ? Json(int{context.state.machineVariant}) : Json(nullptr);
        WriteJson(context.out, document);
    } else if (read) {
        context.out << int{context.state.machineVariant} << '\n';
    }
    return read ? kExitOk : kExitFailed;
}

constexpr std::array kCommands = {
    CliCommand{"devices", "", "list the printer-class USB devices and the one that would be opened",
               ListDevices},
    CliCommand{"variant", "", "read the printer's machine variant", ReadVariant},
    CliCommand{"info", "[--json | --ini FILE]", "show or save the machine information",
               ShowMachineInfo},
    CliCommand{"status", "[--json]", "read the printer's status codes and show their display lines",
               RunStatusCommand},
    CliCommand{"toner", "change|eject", "change one toner cartridge or eject them all",
               RunTonerCommand},
    CliCommand{"clean-up", "", "clean the print head", RunCleanUpCommand},
    CliCommand{"calibrate", "", "start a calibration", RunCalibrateCommand},
    CliCommand{"defaults",
               "[toner-low=on|off] [toner-out-stop=on|off] [energy-save=5|15|30|60] "
               "[auto-continue=on|off]",
               "show the printer's four defaults, or change the ones named (the others are sent "
               "back as read)",
               RunDefaultsCommand, PrintDefaultsSettings},
    CliCommand{"user-service",
               "download | upload [NAME=VALUE...] | test-pattern 1|2 | image-refresh",
               "read the print adjustments and service choices, or change the ones named (the "
               "others are sent back as read), print a test pattern, refresh the image",
               RunUserServiceCommand, PrintUserServiceSettings},
    CliCommand{"service-mode", "download | upload [NAME=VALUE...] | replace fuser|roller",
               "read the warnings, temperatures and counters, or change the settings named (the "
               "others are sent back as read), report a replaced part (needs --access-code)",
               RunServiceModeCommand, PrintServiceModeSettings},
};

}  // namespace

std::span<const CliCommand> CliCommands() {
    return kCommands;
}

}  // namespace rpanel
