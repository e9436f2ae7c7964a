#include "cli/commands.h"

#include <array>

#include "cli/info_command.h"
#include "cli/status_command.h"
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
    if (!OpenPrinterForCommand(context)) {
        return kExitFailed;
    }
    if (!ReadMachineVariant(context.messages, context.state)) {
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
};

}  // namespace

std::span<const CliCommand> CliCommands() {
    return kCommands;
}

}  // namespace rpanel
