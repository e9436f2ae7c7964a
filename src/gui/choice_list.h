// Drop-down lists filled from a constant list of choices, each item carrying its entry's value
// as its item data.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/choice_entry.h"

class QComboBox;

namespace rpanel {

// Adds the entries up to the list's end, in order.
void FillChoiceList(QComboBox& list, std::span<const ChoiceEntry> choices);

// Selects the first item whose data is value. When none has it (or the list is empty) the
// selection stays as it was and the answer is false.
bool SelectItemWithData(QComboBox& list, std::int32_t value);

// The data of the selected item; nothing while no item is selected.
std::optional<std::int32_t> SelectedItemData(const QComboBox& list);

}  // namespace rpanel
