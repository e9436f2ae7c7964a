#include "service/service_choices.h"

#include <algorithm>
#include <string>

#include "core/string_ids.h"
#include "core/string_table.h"

namespace rpanel {
namespace {

ChoiceEntry EntryFromString(int stringId, std::int32_t value) {
    ChoiceEntry entry{};
    const std::string text = LoadText(stringId);
    std::size_t length = std::min(text.size(), sizeof entry.text - 1);
    // Never end inside a UTF-8 sequence: drop continuation bytes back to a lead byte.
    if (length < text.size()) {
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
            --length;
        }
    }
    text.copy(entry.text, length);
    entry.value = value;
    return entry;
}

}  // namespace

std::array<ChoiceEntry, 3> EnergySaveOnOffChoices() {
    return {EntryFromString(text::kOn, kEnergySaveOn), EntryFromString(text::kOff, kEnergySaveOff),
            ChoiceEntry{}};
}

}  // namespace rpanel
