#include "info/adjustment.h"

#include <algorithm>
#include <limits>
#include <string>

#include "info/info_blocks.h"

namespace rpanel {
namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::int32_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range reaches one further than the positive one.
    std::int64_t number = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        number = std::max(number * 10 - (text[i] - '0'), kMin32 - 1);
    }
    return static_cast<std::int32_t>(std::clamp(negative ? number : -number, kMin32, kMax32));
}

std::optional<std::int32_t> NumberText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 10 ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const std::int64_t number = LeadingNumber(text);
    if (number == kMin32 || number == kMax32) {
        // Held at a limit: the text may have been beyond it.
        const std::int64_t magnitude = std::stoll(std::string(digits));
        if (magnitude > kMax32 + (text[0] == '-' ? 1 : 0)) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(number);
}

std::optional<std::int32_t> ReadAdjustment(const AppState& state, std::uint8_t slot) {
    const std::optional<std::int32_t> number =
        NumberText(SlotTextOf(state, {InfoKind::Adjust, slot}));
    if (!number) {
        return std::nullopt;
    }
    const std::int32_t offset = slot < kAdjustKeys.size() ? kAdjustKeys[slot].offset : 0;
    return static_cast<std::int32_t>(std::clamp(std::int64_t{*number} - offset, kMin32, kMax32));
}

std::int32_t DecodeAdjustment(std::string_view text, std::int32_t offset) {
    return static_cast<std::int32_t>(
        std::clamp(std::int64_t{LeadingNumber(text)} - offset, kMin32, kMax32));
}

std::int32_t AdjustmentSetting(const AppState& state, std::uint8_t slot) {
    return DecodeAdjustment(SlotTextOf(state, {InfoKind::Adjust, slot}),
                            slot < kAdjustKeys.size() ? kAdjustKeys[slot].offset : 0);
}

}  // namespace rpanel
