#include "info/info_blocks.h"

namespace rpanel {

void AllocInfoBlocks(AppState& state, InfoBlockStorage& storage, ValueBlocks valueBlocks) {
    storage = {};
    state.configToner = storage.toner.data();
    state.configCount = storage.count.data();
    state.configMachine = storage.machine.data();
    state.configAdjust = storage.adjust.data();
    const bool values = valueBlocks == ValueBlocks::With;
    state.infoValues1 = values ? storage.values1.data() : nullptr;
    state.infoValues2 = values ? storage.values2.data() : nullptr;
}

void FreeInfoBlocks(AppState& state) {
    state.configToner = state.configCount = state.configMachine = state.configAdjust = nullptr;
    state.infoValues1 = state.infoValues2 = nullptr;
}

std::span<InfoSlot> BlockOf(const AppState& state, InfoKind kind) {
    InfoSlot* block = nullptr;
    switch (kind) {
        case InfoKind::Toner:
            block = state.configToner;
            break;
        case InfoKind::Count:
            block = state.configCount;
            break;
        case InfoKind::Machine:
            block = state.configMachine;
            break;
        case InfoKind::Adjust:
            block = state.configAdjust;
            break;
    }
    return block == nullptr ? std::span<InfoSlot>{}
                            : std::span<InfoSlot>{block, FormOf(kind).keys.size()};
}

std::string_view SlotTextOf(const AppState& state, SlotRef ref) {
    std::span<InfoSlot> block = BlockOf(state, ref.kind);
    return ref.slot < block.size() ? SlotText(block[ref.slot]) : std::string_view{};
}

}  // namespace rpanel
