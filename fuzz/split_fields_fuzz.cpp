// SplitFields cuts printer replies: whatever the bytes, nothing lands outside the slots.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "link/split_fields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    // The first bytes choose the slots and the delimiters; the rest is the text. The slots are
    // allocated exactly, so AddressSanitizer sees any write past them.
    const std::size_t count = data[0] % 8;
    const std::size_t width = data[1] % 40;
    const char delimiters[] = {static_cast<char>(data[2]), '=', ',', '\0'};
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
    auto slots = std::make_unique<char[]>(count * width + 1);
    const std::size_t filled = rpanel::SplitFields(text, delimiters, slots.get(), count, width);
    if (filled > count) {
        __builtin_trap();
    }
    return 0;
}
