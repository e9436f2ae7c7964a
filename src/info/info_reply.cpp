#include "info/info_reply.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "info/info_blocks.h"
#include "link/split_fields.h"

namespace rpanel {
namespace {

enum class Parse { Continue, Stop };

void StoreValue(std::span<const InfoKey> keys, std::span<InfoSlot> block, std::string_view key,
                std::string_view value) {
    const auto match = std::find_if(keys.begin(), keys.end(),
                                    [&](const InfoKey& known) { return known.name == key; });
    if (match == keys.end()) {
        return;
    }
    InfoSlot& slot = block[static_cast<std::size_t>(match - keys.begin())];
    slot = {};
    std::memcpy(slot.text, value.data(), std::min(value.size(), kInfoSlotSize - 1));
}

Parse TakeLine(MessageSink& owner, const InfoReplyForm& form, std::span<InfoSlot> block,
               std::string_view line) {
    line = line.substr(0, line.find('\0'));
    // Room for a third field, so that a line with too many shows itself.
    char fields[3][kInfoLineLimit + 1] = {};
    const std::size_t count = SplitFields(line, "=", fields);
    if (count == 0 || count > 2) {
        return Parse::Continue;
    }
    if (count == 1 && !form.header.empty()) {
        if (line == form.header) {
            return Parse::Continue;
        }
        owner.ShowMessageById(msg::kNotCompatible);
        return Parse::Stop;
    }
    StoreValue(form.keys, block, fields[0], fields[1]);
    return Parse::Continue;
}

}  // namespace

void ParseInfoReply(MessageSink& owner, AppState& state, InfoKind kind, std::string_view reply) {
    const InfoReplyForm& form = FormOf(kind);
    const std::span<InfoSlot> block = BlockOf(state, kind);
    if (block.empty()) {
        return;
    }
    std::array<char, kInfoLineLimit> line{};
    std::size_t length = 0;
    bool overlong = false;
    for (std::size_t i = 0; i < reply.size(); ++i) {
        const char byte = reply[i];
        if (byte != '\r' && byte != '\n') {
            if (length < line.size()) {
                line[length++] = byte;
            } else {
                overlong = true;
            }
            continue;
        }
        if (byte == '\r' && i + 1 < reply.size() && reply[i + 1] == '\n') {
            ++i;
        }
        if (!overlong && TakeLine(owner, form, block, {line.data(), length}) == Parse::Stop) {
            return;
        }
        length = 0;
        overlong = false;
    }
}

}  // namespace rpanel
