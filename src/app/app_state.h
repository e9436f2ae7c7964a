// The one record of the running program: created zero-filled at start-up, alive until exit,
// and handed to every window and command that needs it.
#pragma once

#include <cstdint>

namespace rpanel {

struct AppState {
    // 1 while the main window is shown by opening the panel.
    std::int32_t panelOpen = 0;
    // First byte of the printer's machine-variant reply; 2 hides the energy-save setting.
    std::uint8_t machineVariant = 0;
    // 1 once the access code has added the Service Mode tab.
    std::int32_t serviceModeAdded = 0;

    // User Service page, in the order the printer's adjustments are listed.
    std::int32_t topAdjustPlain = 0;
    std::int32_t topAdjustThick = 0;
    std::int32_t topAdjustEnvelope = 0;
    std::int32_t transferPlainFront = 0;
    std::int32_t transferThick1 = 0;
    std::int32_t transferThick2 = 0;
    std::int32_t transferPostcard = 0;
    std::int32_t transferEnvelope = 0;
    std::int32_t transferLabel = 0;
    std::int32_t leftAdjustFront = 0;
    std::int32_t gdiTimeout = 0;
    std::int32_t energySaveOn = 0;
    std::int32_t flicker = 0;
    std::int32_t imageAdjust = 0;

    // Service Mode page: two warnings, three fuser temperatures, six maintenance counters.
    std::int32_t tonerLowWarning = 0;
    std::int32_t puLowWarning = 0;
    std::int32_t plainTemperature = 0;
    std::int32_t thickTemperature = 0;
    std::int32_t envelopeTemperature = 0;
    std::int32_t jamCounter = 0;
    std::int32_t troubleCounter = 0;
    std::int32_t transferBeltCounter = 0;
    std::int32_t drumUnitCounter = 0;
    std::int32_t transferRollerCounter = 0;
    std::int32_t fuserUnitCounter = 0;
};

}  // namespace rpanel
