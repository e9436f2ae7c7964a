#include "gui/choice_list.h"

#include <QComboBox>

namespace rpanel {

void FillChoiceList(QComboBox& list, std::span<const ChoiceEntry> choices) {
    for (const ChoiceEntry& entry : ListEntries(choices)) {
        list.addItem(QString::fromUtf8(entry.text), QVariant(entry.value));
    }
}

bool SelectItemWithData(QComboBox& list, std::int32_t value) {
    const int item = list.findData(QVariant(value));
    if (item < 0) {
        return false;
    }
    list.setCurrentIndex(item);
    return true;
}

std::optional<std::int32_t> SelectedItemData(const QComboBox& list) {
    if (list.currentIndex() < 0) {
        return std::nullopt;
    }
    return list.currentData().toInt();
}

}  // namespace rpanel
