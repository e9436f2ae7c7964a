// The blocks that hold one reading of the machine information while it is in use: four blocks
// of text slots (one per reply) and two blocks of 32-bit values (requests 55..68 and 69..78).
// They hang off AppState only while a read and its use are under way, and are null otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/app_state.h"
#include "info/info_keys.h"
#include "info/info_slot.h"

namespace rpanel {

inline constexpr std::size_t kInfoValues1Count = 14;
inline constexpr std::size_t kInfoValues2Count = 10;

// Storage for the six blocks. It has a fixed size, so taking the blocks cannot fail: the
// sequences that read the machine information always have somewhere to put it.
struct InfoBlockStorage {
    std::array<InfoSlot, kTonerKeys.size()> toner;
    std::array<InfoSlot, kCountKeys.size()> count;
    std::array<InfoSlot, kMachineKeys.size()> machine;
    std::array<InfoSlot, kAdjustKeys.size()> adjust;
    std::array<std::uint32_t, kInfoValues1Count> values1;
    std::array<std::uint32_t, kInfoValues2Count> values2;
};

enum class ValueBlocks { Without, With };

// Zero-fills the storage and points the four slot blocks of state at it, and the two value
// blocks too when asked.
void AllocInfoBlocks(AppState& state, InfoBlockStorage& storage, ValueBlocks valueBlocks);
// Sets every block pointer to null.
void FreeInfoBlocks(AppState& state);

// The blocks of one sequence: taken when it starts, given back on every way out of it.
class InfoBlocks {
public:
    InfoBlocks(AppState& state, ValueBlocks valueBlocks) : state_(state) {
        AllocInfoBlocks(state_, storage_, valueBlocks);
    }
    ~InfoBlocks() { FreeInfoBlocks(state_); }
    InfoBlocks(const InfoBlocks&) = delete;
    InfoBlocks& operator=(const InfoBlocks&) = delete;

private:
    AppState& state_;
    InfoBlockStorage storage_;
};

// The slot block of one reply (empty while it is not allocated).
std::span<InfoSlot> BlockOf(const AppState& state, InfoKind kind);

// The text of one slot; empty while its block is not allocated.
std::string_view SlotTextOf(const AppState& state, SlotRef ref);

}  // namespace rpanel
