#include "link/split_fields.h"

#include <algorithm>
#include <cstring>

namespace rpanel {

std::size_t SplitFields(std::string_view text, std::string_view delimiters, char* slots,
                        std::size_t slotCount, std::size_t slotWidth) {
    if (slotWidth == 0) {
        return 0;
    }
    text = text.substr(0, std::min({text.find('\0'), text.size(), kSplitTextLimit}));
    std::size_t filled = 0;
    std::size_t pos = text.find_first_not_of(delimiters);
    while (pos != std::string_view::npos && filled < slotCount) {
        std::size_t end = std::min(text.find_first_of(delimiters, pos), text.size());
        std::size_t length = std::min(end - pos, slotWidth - 1);
        char* slot = slots + filled * slotWidth;
        std::memcpy(slot, text.data() + pos, length);
        slot[length] = '\0';
        ++filled;
        pos = end == text.size() ? std::string_view::npos : text.find_first_not_of(delimiters, end);
    }
    return filled;
}

}  // namespace rpanel
