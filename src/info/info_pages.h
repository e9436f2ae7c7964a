// The seven pages of the information viewer as data: each page's tab caption, its label
// controls with their string numbers, and its value controls with the rule that makes their
// text. The desktop viewer, rpanelctl and the INI export all read the pages through this.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/app_state.h"
#include "info/info_keys.h"

namespace rpanel {

// The pages in tab order.
enum class InfoPage : std::uint8_t {
    Supplies,
    Coverage,
    Counter,
    Paper,
    MachineSetting,
    Firmware,
    Adjustment,
};
inline constexpr std::size_t kInfoPageCount = 7;

// How a value control gets its text.
enum class Show : std::uint8_t {
    Text,             // the slot's text as it stands
    Percent,          // the slot's text followed by "%" ("%" alone for an empty slot)
    SupplyState,      // the state code as a word; empty for a code we do not know
    SupplyRemaining,  // "-" when the row's state is "0" (unknown), else as Percent
    CartridgeType,    // "-" when the row's state is "0", else the type code as a word or "-"
    OnUnlessOff,      // "Off" when the slot is exactly the off text, else "On"
    EnergySave,       // the slot while energy save is on, else "Off"
    Adjustment,       // the signed setting (adjustment.h)
    ValueLine,        // a block of 32-bit values as signed numbers joined by "/"
};

struct ValueControl {
    int control = 0;  // 0: no control here
    Show show = Show::Text;
    SlotRef slot{};
    SlotRef state{};                            // SupplyRemaining, CartridgeType
    std::string_view off{};                     // OnUnlessOff
    std::uint32_t* AppState::*block = nullptr;  // ValueLine
    std::size_t blockSize = 0;                  // ValueLine
};

struct LabelControl {
    int control = 0;  // 0: the row has no label
    int text = 0;     // string number
};

// One line of a page: a label and the value controls that belong to it.
struct PageRow {
    LabelControl label;
    std::array<ValueControl, 3> values{};
};

struct InfoPageTable {
    InfoPage page;
    int caption;  // string number of the tab caption
    std::span<const PageRow> rows;
};

std::span<const InfoPageTable, kInfoPageCount> InfoPageTables();

}  // namespace rpanel
