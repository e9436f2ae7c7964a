#include "cli/info_command.h"

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/string_table.h"
#include "info/info_pages.h"
#include "info/info_viewer_sequence.h"
#include "info/ini_export.h"
#include "link/device_session.h"

namespace rpanel {
namespace {

enum class Output { Pages, Json, Ini };

struct InfoArguments {
    Output output = Output::Pages;
    std::string iniPath;
};

std::optional<InfoArguments> ParseArguments(const std::vector<std::string>& args) {
    if (args.empty()) {
        return InfoArguments{};
    }
    if (args.size() == 1 && args[0] == "--json") {
        return InfoArguments{Output::Json, {}};
    }
    if (args.size() == 2 && args[0] == "--ini" && !args[1].empty()) {
        return InfoArguments{Output::Ini, args[1]};
    }
    return std::nullopt;
}

// The pages are the command's output, a JSON document with --json: every message goes to the
// error stream. Failures go through the terminal's sink, which makes the run fail.
class InfoMessages final : public MessageSink {
public:
    explicit InfoMessages(CliContext& context) : context_(context) {}
    void ShowMessageById(int stringId) override {
        if (stringId == msg::kSendFailed || stringId == msg::kOpenFailed) {
            context_.messages.ShowMessageById(stringId);
        } else {
            context_.err << LoadText(stringId) << '\n';
        }
    }
    void ShowMessageWithReason(int stringId, const std::string& reason) override {
        if (stringId == msg::kOpenFailed) {
            context_.messages.ShowMessageWithReason(stringId, reason);
            return;
        }
        ShowMessageById(stringId);
        if (!reason.empty()) {
            context_.err << "rpanelctl: " << reason << '\n';
        }
    }

private:
    CliContext& context_;
};

// Each page: its caption, then one line per label with the values that belong to it,
// separated by tabs.
void PrintPages(std::ostream& out, const ViewerTexts& texts) {
    for (const InfoPageTable& table : InfoPageTables()) {
        out << texts[static_cast<std::size_t>(table.page)].caption << '\n';
        for (const PageRow& row : table.rows) {
            out << "  " << ControlText(texts, table.page, row.label.control);
            for (const ValueControl& value : row.values) {
                if (value.control != 0) {
                    out << '\t' << ControlText(texts, table.page, value.control);
                }
            }
            out << '\n';
        }
    }
}

void PrintJson(std::ostream& out, const ViewerTexts& texts) {
    nlohmann::json pages = nlohmann::json::array();
    for (const PageTexts& page : texts) {
        nlohmann::json controls = nlohmann::json::object();
        for (const auto& [control, text] : page.controls) {
            controls[std::to_string(control)] = text;
        }
        pages.push_back({{"caption", page.caption}, {"controls", controls}});
    }
    // The printer's texts are 8-bit: a byte that is not UTF-8 is shown as U+FFFD.
    out << nlohmann::json{{"pages", pages}}.dump(2, ' ', false,
                                                 nlohmann::json::error_handler_t::replace)
        << '\n';
}

// Whether every read of the information sequence brought its reply: a request that returned
// nothing, or a reply that was not what its header says (message 29), would have the INI file
// record blanks and defaults as if the printer had reported them.
class ReadWatch final : public MessageSink {
public:
    explicit ReadWatch(MessageSink& messages) : messages_(messages), session_(CurrentSession()) {
        previous_ = session_.observer;
        session_.observer = [this](const SentRequest& sent) {
            allRead_ = allRead_ && sent.delivered != 0;
            if (previous_) {
                previous_(sent);
            }
        };
    }
    ~ReadWatch() override { session_.observer = previous_; }
    ReadWatch(const ReadWatch&) = delete;
    ReadWatch& operator=(const ReadWatch&) = delete;

    void ShowMessageById(int stringId) override {
        allRead_ = allRead_ && stringId != msg::kNotCompatible;
        messages_.ShowMessageById(stringId);
    }
    void ShowMessageWithReason(int stringId, const std::string& reason) override {
        messages_.ShowMessageWithReason(stringId, reason);
    }
    bool AllRead() const { return allRead_; }

private:
    MessageSink& messages_;
    DeviceSession& session_;
    RequestObserver previous_;
    bool allRead_ = true;
};

// --ini FILE, or "-" for the standard output: written only when everything was read.
bool SaveIni(ReadWatch& reads, MessageSink& messages, CliContext& context, const ViewerTexts& texts,
             const std::string& path) {
    if (!reads.AllRead()) {
        const std::string why = LoadText(text::kInfoNotAllRead);
        messages.ShowMessageWithReason(msg::kIniNotWritten, path == "-" ? why : path + ": " + why);
        return false;
    }
    if (path == "-") {
        context.out << InfoIniBytes(texts);
        return true;
    }
    return ExportInfoToIni(messages, texts, path);
}

}  // namespace

int ShowMachineInfo(CliContext& context) {
    const std::optional<InfoArguments> arguments = ParseArguments(context.args);
    if (!arguments) {
        return kExitUsage;
    }
    InfoMessages messages(context);
    ReadWatch reads(messages);
    ViewerTexts texts;
    bool saved = true;
    const bool opened = OpenInfoViewer(reads, context.state, [&](AppState& state) {
        texts = InitialiseViewerTexts(reads, state);
        if (arguments->output == Output::Ini) {
            saved = SaveIni(reads, messages, context, texts, arguments->iniPath);
        }
    });
    if (!opened) {
        return kExitFailed;
    }
    if (arguments->output == Output::Pages) {
        PrintPages(context.out, texts);
    } else if (arguments->output == Output::Json) {
        PrintJson(context.out, texts);
    }
    return saved ? kExitOk : kExitFailed;
}

}  // namespace rpanel
