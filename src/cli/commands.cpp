#include "cli/commands.h"

#include <array>

#include "cli/info_command.h"
#include "cli/panel_commands.h"
#include "cli/service_commands.h"
#include "cli/status_command.h"
#include "cli/watch_command.h"
#include "link/printer_command.h"
#include "link/printer_link.h"
#include "link/request_ops.h"

namespace rpanel {
namespace {

int ListDevices(CliContext& context) {
    if (!context.args.empty()) {
        return kExitUsage;
    }
    bool chosen = false;
    for (const DiscoveredDevice& device : ListPrinterClassDevices(kPrinterHardwareId)) {
        const bool opens = device.matches && !chosen && !device.interfacePath.empty();
        chosen |= opens;
        context.out << "device " << device.member << (opens ? " (would be opened)" : "") << '\n';
        context.out << "  interface path: "
                    << (device.interfacePath.empty() ? "(none)" : device.interfacePath) << '\n';
        if (device.hardwareIds.empty()) {
            context.out << "  hardware IDs: (none)\n";
        }
        for (const std::string& id : device.hardwareIds) {
            context.out << "  hardware ID: " << id << '\n';
        }
    }
    if (!chosen) {
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
    RunPrinterCommand(context.messages,
                      [&] { read = ReadMachineVariant(context.messages, context.state); });
    if (!read) {
        return kExitFailed;
    }
    context.out << int{context.state.machineVariant} << '\n';
    return kExitOk;
}

constexpr std::array kCommands = {
    CliCommand{"devices", "", "list the printer-class USB devices and the one that would be opened",
               ListDevices},
    CliCommand{"variant", "", "read the printer's machine variant", ReadVariant},
    CliCommand{"info", "[--json | --ini FILE]", "show or save the machine information",
               ShowMachineInfo},
    CliCommand{"status", "[--json]", "read the printer's status codes and show their display lines",
               RunStatusCommand},
    CliCommand{"watch", "[--interval SECONDS] [--count N] [--json]",
               "print the printer's state and supplies now and whenever they change",
               RunWatchCommand},
    CliCommand{"toner", "change|eject", "change one toner cartridge or eject them all",
               RunTonerCommand},
    CliCommand{"clean-up", "", "clean the print head", RunCleanUpCommand},
    CliCommand{"calibrate", "", "start a calibration", RunCalibrateCommand},
    CliCommand{"defaults",
               "[toner-low=on|off] [toner-out-stop=on|off] [energy-save=5|15|30|60] "
               "[auto-continue=on|off]",
               "set the printer's defaults; what is not named is sent as the Panel page starts",
               RunDefaultsCommand},
    CliCommand{"user-service",
               "download | upload [NAME=VALUE...] | test-pattern 1|2 | image-refresh",
               "read or send the print adjustments and service choices, print a test pattern, "
               "refresh the image",
               RunUserServiceCommand},
    CliCommand{"service-mode", "download | upload [NAME=VALUE...] | replace fuser|roller",
               "read or send the warnings and temperatures, read the counters, report a "
               "replaced part (needs --access-code)",
               RunServiceModeCommand},
};

}  // namespace

std::span<const CliCommand> CliCommands() {
    return kCommands;
}

}  // namespace rpanel
