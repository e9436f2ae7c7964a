#include "cli/status_command.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_document.h"
#include "core/printable_text.h"
#include "link/printer_command.h"
#include "panel/status_code.h"
#include "panel/status_display_lines.h"
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
    Json entries = Json::array();
    for (std::uint32_t i = 0; i < state.statusCount; ++i) {
        const StatusCode& code = state.statusCodes.entries[i];
        entries.push_back({{json_key::kCode, Latin1ToUtf8(CodeText(code))},
                           {json_key::kLines, StatusDisplayLines(code)}});
    }
    Json document = JsonDocument();
    document[json_key::kEntries] = entries;
    WriteJson(out, document);
}

}  // namespace

int RunStatusCommand(CliContext& context) {
    const bool json = context.json;
    if (!context.args.empty()) {
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
