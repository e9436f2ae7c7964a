#include "link/selected/selected_platform.h"

#include "link/sim/scenario.h"
#include "link/system_platform.h"

namespace rpanel {

std::unique_ptr<SelectedPlatform> SelectedPlatform::Select(
    bool demo, const std::optional<std::string>& scenario, std::string* error) {
    std::unique_ptr<SelectedPlatform> selected(new SelectedPlatform);
    if (demo || scenario) {
        if (scenario && !LoadScenarioFile(*scenario, selected->printer_, error)) {
            return nullptr;
        }
        selected->simulated_ =
            std::make_unique<SimPlatform>(SimPlatform::WithPrinter(selected->printer_));
    } else {
        selected->system_ = CreateSystemPlatform();
    }
    return selected;
}

DevicePlatform& SelectedPlatform::Platform() {
    return simulated_ ? static_cast<DevicePlatform&>(*simulated_) : *system_;
}

}  // namespace rpanel
