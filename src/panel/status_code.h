// Status codes as text: made from a string, and read back up to their first NUL.
#pragma once

#include <algorithm>
#include <string_view>

#include "core/app_state.h"

namespace rpanel {

// The first six characters of text, NUL-padded when it is shorter.
constexpr StatusCode ToStatusCode(std::string_view text) {
    StatusCode code{};
    std::copy_n(text.begin(), std::min(text.size(), code.size()), code.begin());
    return code;
}

// The code's characters up to its first NUL ("" for an empty code).
inline std::string_view CodeText(const StatusCode& code) {
    const auto end = std::find(code.begin(), code.end(), '\0');
    return {code.data(), static_cast<std::size_t>(end - code.begin())};
}

}  // namespace rpanel
