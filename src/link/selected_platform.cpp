#include "link/selected_platform.h"

#include "link/printer_link.h"
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
        UsePlatform(selected->simulated_.get());
    } else {
        selected->system_ = CreateSystemPlatform();
        UsePlatform(selected->system_.get());
    }
    return selected;
}

SelectedPlatform::~SelectedPlatform() {
    // The link's handles belong to this platform: close them while it still exists.
    ClosePrinterLink();
    UsePlatform(nullptr);
}

}  // namespace rpanel
