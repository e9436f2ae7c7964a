// The string tables as they were compiled in from resources/strings.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rpanel {

struct EmbeddedStringTable {
    std::uint16_t language;  // Windows language id, e.g. 0x0409
    const char* tag;         // BCP 47 tag of the file name, e.g. "en-US"
    const unsigned char* text;
    std::size_t size;
};

extern const EmbeddedStringTable kEmbeddedStringTables[];
extern const std::size_t kEmbeddedStringTableCount;

}  // namespace rpanel
