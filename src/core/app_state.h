// The one record of the running program: created zero-filled at start-up, alive until exit,
// and handed to every window and command that needs it.
#pragma once

#include <array>
#include <cstdint>

namespace rpanel {

// A status code of the printer: six characters, NUL-padded when shorter, compared as text and
// never as a number.
using StatusCode = std::array<char, 6>;
inline constexpr std::size_t kMaxStatusCodes = 170;

// The decoded status codes: 170 entries at the start of a 1024-byte area that each decode
// zero-fills whole.
struct StatusCodeArea {
    std::array<StatusCode, kMaxStatusCodes> entries{};
    std::array<char, 1024 - sizeof(entries)> unused{};
};
static_assert(sizeof(StatusCodeArea) == 1024);

struct InfoSlot;  // one value of the machine information (info/info_slot.h)

struct AppState {
    // 1 while the main window is shown by opening the panel.
    std::int32_t panelOpen = 0;
    // First byte of the printer's machine-variant reply; 2 hides the energy-save setting.
    std::uint8_t machineVariant = 0;
    // 1 once the access code has added the Service Mode tab.
    std::int32_t serviceModeAdded = 0;
    // Status list of the last successful status read, which the panel display rotates through:
    // the number of valid entries (0..170), the codes in reply order, and the entry the display
    // shows at its next tick.
    std::uint32_t statusCount = 0;
    StatusCodeArea statusCodes;
    std::uint32_t statusIndex = 0;

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

    // The machine information (info/info_blocks.h): null whenever no read of it is under way.
    InfoSlot* configToner = nullptr;
    InfoSlot* configCount = nullptr;
    InfoSlot* configMachine = nullptr;
    InfoSlot* configAdjust = nullptr;
    std::uint32_t* infoValues1 = nullptr;
    std::uint32_t* infoValues2 = nullptr;
};

}  // namespace rpanel
