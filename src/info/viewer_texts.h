// What the information viewer shows: for each page its tab caption and the text of every label
// and value control, by control id. The desktop viewer puts these texts into its controls,
// rpanelctl prints them, and the INI export saves them.
#pragma once

#include <array>
#include <map>
#include <set>
#include <string>

#include "core/app_state.h"
#include "info/info_pages.h"

namespace rpanel {

struct PageTexts {
    std::string caption;
    std::map<int, std::string> controls;
    // The controls that show a slot's text: the printer's own 8-bit bytes, which are no UTF-8
    // and are shown and saved byte for byte. The other texts come from the string table (UTF-8)
    // or are numbers.
    std::set<int> printerBytes;
};

using ViewerTexts = std::array<PageTexts, kInfoPageCount>;

// The captions and label texts of all pages, from the string table.
ViewerTexts LabelTexts();

// The text of one value control from the blocks and energySaveOn; an unallocated block reads
// as empty slots and zero values.
std::string ValueText(const AppState& state, const ValueControl& value);

// Fills the value texts of all pages, in tab order.
void FillValueTexts(const AppState& state, ViewerTexts& texts);

// The text of a control of a page; empty for a control the page does not have.
const std::string& ControlText(const ViewerTexts& texts, InfoPage page, int control);

}  // namespace rpanel
