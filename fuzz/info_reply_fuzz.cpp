// The machine-information replies come from the printer: whatever their bytes, the parser
// writes only inside the slots, leaves every slot terminated, and the pages and the INI export
// made from the slots stay sound.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "core/string_table.h"
#include "info/info_blocks.h"
#include "info/info_reply.h"
#include "info/ini_export.h"
#include "info/viewer_texts.h"

namespace {

class CountingMessages final : public rpanel::MessageSink {
public:
    void ShowMessageById(int stringId) override {
        if (stringId != rpanel::msg::kNotCompatible || ++shown > 1) {
            __builtin_trap();  // a reply shows message 29 once at most, and nothing else
        }
    }
    int shown = 0;
};

template <std::size_t N>
std::unique_ptr<rpanel::InfoSlot[]> Block(rpanel::InfoSlot*& pointer) {
    auto block = std::make_unique<rpanel::InfoSlot[]>(N);
    pointer = block.get();
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    using namespace rpanel;
    SelectLanguage(kEnglishUnitedStates);
    // Each block is an allocation of its exact size, so AddressSanitizer sees a write past it.
    AppState state;
    auto toner = Block<kTonerKeys.size()>(state.configToner);
    auto count = Block<kCountKeys.size()>(state.configCount);
    auto machine = Block<kMachineKeys.size()>(state.configMachine);
    auto adjust = Block<kAdjustKeys.size()>(state.configAdjust);
    auto values1 = std::make_unique<std::uint32_t[]>(kInfoValues1Count);
    auto values2 = std::make_unique<std::uint32_t[]>(kInfoValues2Count);
    state.infoValues1 = values1.get();
    state.infoValues2 = values2.get();

    // The first byte picks the reply; the rest is what the printer delivered (1024 at most).
    const auto kind = static_cast<InfoKind>(data[0] % kInfoKindCount);
    const std::string_view reply(reinterpret_cast<const char*>(data + 1),
                                 std::min<std::size_t>(size - 1, 1024));
    CountingMessages messages;
    ParseInfoReply(messages, state, kind, reply);

    for (const InfoReplyForm& form : kInfoReplyForms) {
        for (const InfoSlot& slot : BlockOf(state, form.kind)) {
            if (::strnlen(slot.text, kInfoSlotSize) == kInfoSlotSize) {
                __builtin_trap();
            }
        }
    }
    ViewerTexts texts = LabelTexts();
    FillValueTexts(state, texts);
    if (InfoIniBytes(texts).empty()) {
        __builtin_trap();
    }
    FreeInfoBlocks(state);
    return 0;
}
