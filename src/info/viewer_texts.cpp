#include "info/viewer_texts.h"

#include <string_view>

#include "core/string_ids.h"
#include "core/string_table.h"
#include "info/adjustment.h"
#include "info/info_blocks.h"

namespace rpanel {
namespace {

struct CodeText {
    std::string_view code;
    int text;  // string number
};

// The state and type codes of the supplies, matched as exact text.
constexpr CodeText kSupplyStates[] = {
    {"1", 166}, {"2", 216}, {"3", 165}, {"4", 217}, {"0", 218},
};
constexpr CodeText kCartridgeTypes[] = {
    {"05", 1198},
    {"10", 1198},
    {"15", 168},
    {"25", 169},
};
constexpr std::string_view kStateUnknown = "0";

// The word for a code, or `otherwise` for a code the table does not have.
template <std::size_t N>
std::string CodeWord(const CodeText (&table)[N], std::string_view code, std::string otherwise) {
    for (const CodeText& entry : table) {
        if (entry.code == code) {
            return LoadText(entry.text);
        }
    }
    return otherwise;
}

std::string PercentText(std::string_view slot) {
    return std::string(slot) + "%";
}

// The entries as signed decimal numbers, "/" between them.
std::string ValueLineText(const std::uint32_t* block, std::size_t size) {
    std::string line;
    for (std::size_t i = 0; i < size; ++i) {
        if (i > 0) {
            line += '/';
        }
        line += std::to_string(static_cast<std::int32_t>(block == nullptr ? 0 : block[i]));
    }
    return line;
}

bool ShowsSlotText(const AppState& state, const ValueControl& value) {
    switch (value.show) {
        case Show::Text:
        case Show::Percent:
        case Show::SupplyRemaining:
            return true;
        case Show::EnergySave:
            return state.energySaveOn != 0;
        default:
            return false;
    }
}

}  // namespace

ViewerTexts LabelTexts() {
    ViewerTexts texts;
    for (const InfoPageTable& table : InfoPageTables()) {
        PageTexts& page = texts[static_cast<std::size_t>(table.page)];
        page.caption = LoadText(table.caption);
        for (const PageRow& row : table.rows) {
            if (row.label.control != 0) {
                page.controls[row.label.control] = LoadText(row.label.text);
            }
        }
    }
    return texts;
}

std::string ValueText(const AppState& state, const ValueControl& value) {
    const std::string_view slot = SlotTextOf(state, value.slot);
    switch (value.show) {
        case Show::Text:
            return std::string(slot);
        case Show::Percent:
            return PercentText(slot);
        case Show::SupplyState:
            return CodeWord(kSupplyStates, slot, "");
        case Show::SupplyRemaining:
            return SlotTextOf(state, value.state) == kStateUnknown ? "-" : PercentText(slot);
        case Show::CartridgeType:
            return SlotTextOf(state, value.state) == kStateUnknown
                       ? "-"
                       : CodeWord(kCartridgeTypes, slot, "-");
        case Show::OnUnlessOff:
            return LoadText(slot == value.off ? text::kOff : text::kOn);
        case Show::EnergySave:
            return state.energySaveOn != 0 ? std::string(slot) : LoadText(text::kOff);
        case Show::Adjustment:
            return std::to_string(AdjustmentSetting(state, value.slot.slot));
        case Show::ValueLine:
            return ValueLineText(state.*value.block, value.blockSize);
    }
    return {};
}

void FillValueTexts(const AppState& state, ViewerTexts& texts) {
    for (const InfoPageTable& table : InfoPageTables()) {
        PageTexts& page = texts[static_cast<std::size_t>(table.page)];
        for (const PageRow& row : table.rows) {
            for (const ValueControl& value : row.values) {
                if (value.control != 0) {
                    page.controls[value.control] = ValueText(state, value);
                    if (ShowsSlotText(state, value)) {
                        page.printerBytes.insert(value.control);
                    }
                }
            }
        }
    }
}

const std::string& ControlText(const ViewerTexts& texts, InfoPage page, int control) {
    static const std::string kNone;
    const auto& controls = texts[static_cast<std::size_t>(page)].controls;
    const auto it = controls.find(control);
    return it == controls.end() ? kNone : it->second;
}

}  // namespace rpanel
