// Scenario files are read from wherever the user points rpanelctl --simulate.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rpanel::PrinterModel printer;
    std::string error;
    if (rpanel::ApplyScenario(std::string_view(reinterpret_cast<const char*>(data), size), printer,
                              &error)) {
        std::uint8_t reply[1024];
        for (std::uint8_t code : {9, 13, 20, 41, 80}) {
            (void)printer.Answer(code, 0x0100, 1, reply, sizeof reply);
        }
    }
    return 0;
}
