#include "info/private_profile.h"

#include <algorithm>

namespace rpanel {
namespace {

std::string_view TrimBlanks(std::string_view name) {
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

char FoldAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

// The element whose name matches, or a new one added at the end.
template <typename Items, typename Name>
auto& FindOrAdd(Items& items, std::string_view name, Name nameOf) {
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const auto& item) { return SameName(nameOf(item), name); });
    if (it != items.end()) {
        return *it;
    }
    items.emplace_back();
    nameOf(items.back()) = std::string(name);
    return items.back();
}

}  // namespace

void PrivateProfile::Write(std::string_view section, std::string_view key, std::string_view value) {
    Section& into = FindOrAdd(
        sections_, TrimBlanks(section), [](auto& item) -> auto& { return item.name; });
    Entry& entry = FindOrAdd(
        into.entries, TrimBlanks(key), [](auto& item) -> auto& { return item.key; });
    entry.value = std::string(value);
}

std::string PrivateProfile::Bytes() const {
    std::string bytes;
    for (const Section& section : sections_) {
        bytes += "[" + section.name + "]\r\n";
        for (const Entry& entry : section.entries) {
            bytes += entry.key + "=" + entry.value + "\r\n";
        }
    }
    return bytes;
}

}  // namespace rpanel
