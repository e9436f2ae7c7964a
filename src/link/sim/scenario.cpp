#include "link/sim/scenario.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "core/printable_text.h"

namespace rpanel {
namespace {

using nlohmann::json;

template <typename Number>
bool ParseNumber(std::string_view text, int base, Number* number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "13" or "13:0x0200"
bool ParseReplyKey(std::string_view key, std::uint8_t* code, std::optional<std::uint16_t>* value) {
    const std::size_t colon = key.find(':');
    unsigned codeNumber = 0;
    if (!ParseNumber(key.substr(0, colon), 10, &codeNumber) || codeNumber > 0xFF) {
        return false;
    }
    *code = static_cast<std::uint8_t>(codeNumber);
    if (colon == std::string_view::npos) {
        value->reset();
        return true;
    }
    std::string_view hex = key.substr(colon + 1);
    if (hex.size() > 2 && hex[0] == '0' && (hex[1] == 'x' || hex[1] == 'X')) {
        hex.remove_prefix(2);
    }
    std::uint16_t valueNumber = 0;
    if (!ParseNumber(hex, 16, &valueNumber)) {
        return false;
    }
    *value = valueNumber;
    return true;
}

bool HexBytes(std::string_view hex, std::string* bytes) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    bytes->clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned byte = 0;
        if (!ParseNumber(hex.substr(i, 2), 16, &byte)) {
            return false;
        }
        bytes->push_back(static_cast<char>(byte));
    }
    return true;
}

bool ReplyBytes(const json& reply, std::optional<std::string>* bytes) {
    if (reply.is_null()) {
        bytes->reset();
        return true;
    }
    if (reply.is_string()) {
        *bytes = reply.get<std::string>();
        return true;
    }
    if (reply.is_number_integer()) {
        const auto number = reply.get<std::int64_t>();
        if (number < INT32_MIN || number > UINT32_MAX) {
            return false;
        }
        std::string word(4, '\0');
        for (int i = 0; i < 4; ++i) {
            word[i] = static_cast<char>((static_cast<std::uint64_t>(number) >> (8 * i)) & 0xFF);
        }
        *bytes = word;
        return true;
    }
    if (reply.is_object() && reply.size() == 1 && reply.contains("hex") &&
        reply["hex"].is_string()) {
        std::string raw;
        if (!HexBytes(reply["hex"].get<std::string>(), &raw)) {
            return false;
        }
        *bytes = raw;
        return true;
    }
    return false;
}

bool Fail(std::string* error, std::string why) {
    *error = std::move(why);
    return false;
}

}  // namespace

bool ApplyScenario(std::string_view text, PrinterModel& printer, std::string* error) {
    json scenario;
    try {
        scenario = json::parse(text);
    } catch (const json::parse_error& failure) {
        // The parser counts bytes; a person counts lines and columns.
        const std::size_t at =
            std::min<std::size_t>(failure.byte == 0 ? 0 : failure.byte - 1, text.size());
        const std::string_view before = text.substr(0, at);
        const std::size_t line = 1 + static_cast<std::size_t>(std::ranges::count(before, '\n'));
        const std::size_t lineStart = before.rfind('\n');
        const std::size_t column =
            at - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1;
        return Fail(error, "the scenario is not valid JSON (line " + std::to_string(line) +
                               ", column " + std::to_string(column) + ")");
    } catch (const json::out_of_range&) {
        return Fail(error, "the scenario holds a number too large to read");
    }
    if (!scenario.is_object()) {
        return Fail(error, "the scenario must be a JSON object");
    }
    for (const auto& [name, item] : scenario.items()) {
        if (name == "present") {
            if (!item.is_boolean()) {
                return Fail(error, "\"present\" must be true or false");
            }
            printer.SetPresent(item.get<bool>());
        } else if (name == "replies" || name == "values") {
            if (!item.is_object()) {
                return Fail(error, "\"" + name + "\" must be an object");
            }
            for (const auto& [key, reply] : item.items()) {
                std::uint8_t code = 0;
                std::optional<std::uint16_t> value;
                if (!ParseReplyKey(key, &code, &value) || (name == "values" && value)) {
                    return Fail(error, "\"" + EchoedInput(key) + "\" is not a request code" +
                                           (name == "replies" ? " (or code:0xVALUE)" : ""));
                }
                if (name == "values") {
                    if (!reply.is_number_integer() || reply.get<std::int64_t>() < 0 ||
                        reply.get<std::int64_t>() > UINT32_MAX) {
                        return Fail(error, "the value of \"" + EchoedInput(key) +
                                               "\" must be a 32-bit number");
                    }
                    printer.SetValue(code, reply.get<std::uint32_t>());
                    continue;
                }
                // A list scripts successive replies, the last one repeating.
                const json replies = reply.is_array() ? reply : json::array({reply});
                std::vector<std::optional<std::string>> sequence;
                for (const json& one : replies) {
                    if (!ReplyBytes(one, &sequence.emplace_back())) {
                        sequence.clear();
                        break;
                    }
                }
                if (sequence.empty()) {
                    return Fail(error, "the reply to \"" + EchoedInput(key) +
                                           "\" must be a string, a 32-bit integer, "
                                           "{\"hex\": \"...\"}, null or a non-empty list "
                                           "of these");
                }
                printer.ScriptSequence(code, value, std::move(sequence));
            }
        } else if (name == "faults") {
            if (!item.is_object()) {
                return Fail(error, "\"faults\" must be an object");
            }
            for (const auto& [fault, setting] : item.items()) {
                if (fault == "refuse_open") {
                    if (!setting.is_string() || setting.get<std::string>().empty()) {
                        return Fail(error,
                                    "the fault \"refuse_open\" takes a reason (a "
                                    "non-empty string)");
                    }
                    printer.RefuseOpening(setting.get<std::string>());
                } else if (fault == "unplug_after" || fault == "hang_after") {
                    if (!setting.is_number_integer() || setting.get<std::int64_t>() < 0 ||
                        setting.get<std::int64_t>() > INT32_MAX) {
                        return Fail(error, "the fault \"" + fault +
                                               "\" takes a request count (a whole number "
                                               "from 0)");
                    }
                    if (fault == "hang_after") {
                        printer.HangAfter(setting.get<int>());
                    } else {
                        printer.UnplugAfter(setting.get<int>());
                    }
                } else {
                    return Fail(error, "unknown fault \"" + EchoedInput(fault) +
                                           "\" (known: \"unplug_after\" and \"hang_after\": "
                                           "a request count, \"refuse_open\": a reason)");
                }
            }
        } else {
            return Fail(error, "unknown scenario key \"" + EchoedInput(name) +
                                   "\" (known: present, replies, values, faults)");
        }
    }
    return true;
}

bool LoadScenarioFile(const std::string& path, PrinterModel& printer, std::string* error) {
    // Looked at before it is opened: a FIFO would block the open, a device such as /dev/zero
    // would never end, and a folder is no scenario.
    const std::string shown = TerminalText(path);
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(path, failure);
    if (failure || !std::filesystem::exists(status)) {
        return Fail(error, "cannot read the scenario file " + shown +
                               (failure ? ": " + failure.message() : std::string()));
    }
    if (!std::filesystem::is_regular_file(status)) {
        return Fail(error, "the scenario " + shown + " is not a regular file");
    }
    const std::uintmax_t size = std::filesystem::file_size(path, failure);
    if (failure || size > kScenarioSizeLimit) {
        return Fail(error, "the scenario file " + shown + " is larger than 16 MiB");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Fail(error, "cannot read the scenario file " + shown);
    }
    // Read no further than the limit, should the file have grown since.
    std::string text(static_cast<std::size_t>(kScenarioSizeLimit) + 1, '\0');
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kScenarioSizeLimit) {
        return Fail(error, "the scenario file " + shown + " is larger than 16 MiB");
    }
    if (!ApplyScenario(text, printer, error)) {
        *error = shown + ": " + *error;
        return false;
    }
    return true;
}

}  // namespace rpanel
