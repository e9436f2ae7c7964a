#include "cli/status_command.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "link/printer_command.h"
#include "panel/status_code.h"
#include "panel/status_display_lines.h"
#include "panel/status_display_table.h"
#include "panel/status_read.h"

namespace rpanel {
namespace {

// The printer's bytes as a terminal may show them: printable ASCII as it is, the rest (a
// stray control character could drive the terminal) as \xNN.
std::string PrintableCode(std::string_view code) {
    if (code.empty()) {
        return "(empty)";
    }
    std::string printable;
    for (const char c : code) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            printable += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            printable += escaped;
        }
    }
    return printable;
}

// JSON text must be UTF-8; a code's bytes above 0x7F are taken as the Latin-1 characters of
// the same number, so that every byte the printer sent can still be read back from the output.
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

void PrintText(std::ostream& out, const AppState& state) {
    if (state.statusCount == 0) {
        out << "no status codes\n";
        return;
    }
    for (std::uint32_t i = 0; i < state.statusCount; ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        std::string head = PrintableCode(CodeText(code));
        head.resize(std::max<std::size_t>(head.size() + 2, 8), ' ');
        const std::vector<std::string> lines = StatusDisplayLines(code);
        if (lines.empty()) {
            out << head << "(not in the display table)\n";
        }
        for (std::size_t n = 0; n < lines.size(); ++n) {
            out << (n == 0 ? head : std::string(head.size(), ' ')) << lines[n] << '\n';
        }
    }
}

void PrintJson(std::ostream& out, const AppState& state) {
    nlohmann::ordered_json entries = nlohmann::ordered_json::array();
    for (std::uint32_t i = 0; i < state.statusCount; ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        entries.push_back({{"code", Latin1ToUtf8(CodeText(code))},
                           {"lines", StatusDisplayLines(code)},
                           {"severity", SeverityName(SeverityOf(code))}});
    }
    const nlohmann::ordered_json document = {{"entries", entries}};
    // A translation that is not valid UTF-8 must not abort the output.
    out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace

int RunStatusCommand(CliContext& context) {
    const bool json = context.args.size() == 1 && context.args[0] == "--json";
    if (!context.args.empty() && !json) {
        return kExitUsage;
    }
    bool read = false;
    RunPrinterCommand(context.messages,
                      [&] { read = ReadPanelStatus(context.messages, context.state, nullptr); });
    if (!read) {
        return kExitFailed;
    }
    if (json) {
        PrintJson(context.out, context.state);
    } else {
        PrintText(context.out, context.state);
    }
    return kExitOk;
}

}  // namespace rpanel
