// The string-table reader takes resource files that translators edit by hand.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    auto table = rpanel::StringTable::Parse(
        std::string_view(reinterpret_cast<const char*>(data), size), &error);
    if (table) {
        for (int id : table->Ids()) {
            (void)table->Find(id);
        }
    }
    return 0;
}
