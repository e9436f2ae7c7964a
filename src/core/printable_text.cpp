#include "core/printable_text.h"

#include <cstdio>

namespace rpanel {
namespace {

void AppendEscaped(std::string& text, unsigned char byte) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
    text += escaped;
}

// The length of the UTF-8 sequence that starts at text[i], or 0 when it is not one (overlong
// forms, surrogates and C1 controls count as not one).
std::size_t Utf8Sequence(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        code = code << 6 | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
        code <= 0x9F) {
        return 0;
    }
    return length;
}

}  // namespace

std::string TerminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += text[i++];
        } else if (const std::size_t length = byte >= 0x80 ? Utf8Sequence(text, i) : 0) {
            shown.append(text.substr(i, length));
            i += length;
        } else {
            AppendEscaped(shown, byte);
            ++i;
        }
    }
    return shown;
}

std::string EchoedInput(std::string_view text) {
    // Cut on a character boundary, counting a UTF-8 sequence as one character.
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < kEchoLimit; ++characters) {
        const std::size_t length =
            static_cast<unsigned char>(text[end]) >= 0x80 ? Utf8Sequence(text, end) : 0;
        end += length != 0 ? length : 1;
    }
    return TerminalText(text.substr(0, end)) + (end < text.size() ? "..." : "");
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | byte >> 6);
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

}  // namespace rpanel
