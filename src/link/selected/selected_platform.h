// The devices a program talks to, chosen from its command line: the built-in simulated printer
// (--demo), one scripted by a scenario file (--simulate FILE), or the system's USB devices.
// The program hands it to the device session it creates, and keeps it longer than the session.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "link/platform.h"
#include "link/sim/printer_model.h"
#include "link/sim/sim_platform.h"

namespace rpanel {

class SelectedPlatform {
public:
    // Nothing and a reason in *error when the scenario file cannot be used.
    static std::unique_ptr<SelectedPlatform> Select(bool demo,
                                                    const std::optional<std::string>& scenario,
                                                    std::string* error);
    SelectedPlatform(const SelectedPlatform&) = delete;
    SelectedPlatform& operator=(const SelectedPlatform&) = delete;

    DevicePlatform& Platform();
    // The simulated machine, or null for the system's devices.
    SimPlatform* Simulated() { return simulated_.get(); }

private:
    SelectedPlatform() = default;

    PrinterModel printer_;
    std::unique_ptr<SimPlatform> simulated_;
    std::unique_ptr<DevicePlatform> system_;
};

}  // namespace rpanel
