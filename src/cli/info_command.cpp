#include "cli/info_command.h"

#include <optional>
#include <set>
#include <string>
#include <utility>

#include "cli/json_document.h"
#include "core/printable_text.h"
#include "core/string_table.h"
#include "info/info_blocks.h"
#include "info/info_pages.h"
#include "info/info_viewer_sequence.h"
#include "info/ini_export.h"
#include "link/device_session.h"
#include "link/request_catalogue.h"

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
    if (args.size() == 1 && args[0].rfind("--ini=", 0) == 0 && args[0].size() > 6) {
        return InfoArguments{Output::Ini, args[0].substr(6)};
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
        failed_ |= stringId == msg::kSendFailed || stringId == msg::kNotCompatible;
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
    bool Failed() const { return failed_; }

private:
    CliContext& context_;
    bool failed_ = false;
};

// What one reading brought: the texts of the pages, which value controls show nothing the
// printer sent (their key did not arrive: no reply, the reply cut short, the key missing),
// and the replies and value blocks as they came.
struct InfoReading {
    ViewerTexts texts;
    std::set<std::pair<InfoPage, int>> unread;
    Json replies = Json::object();
    Json values1 = Json::array();
    Json values2 = Json::array();
};

constexpr const char* kReplyNames[] = {"toner", "count", "machine", "adjust"};

bool HasSlot(Show show) {
    return show != Show::ValueLine;
}

// Without the blanks that pad a text to its control's width.
std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The printer's value as a JSON string: its bytes as Latin-1, the padding blanks trimmed.
Json PrinterText(std::string_view text) {
    return Latin1ToUtf8(TrimBlanks(text));
}

// The request code of each entry of a value block, in block order.
std::uint8_t BlockCode(std::uint32_t* AppState::*block, std::size_t entry) {
    const Request id = block == &AppState::infoValues1 ? Request::ReadInfoValueBlock1
                                                       : Request::ReadInfoValueBlock2;
    return static_cast<std::uint8_t>(CatalogueRow(id).code + entry);
}

// A value line whose block lacks any of its entries.
bool BlockIncomplete(const ValueControl& value, const std::set<std::uint8_t>& answeredCodes) {
    for (std::size_t entry = 0; entry < value.blockSize; ++entry) {
        if (!answeredCodes.contains(BlockCode(value.block, entry))) {
            return true;
        }
    }
    return false;
}

Json BlockValues(const AppState& state, std::uint32_t* AppState::*block, std::size_t count,
                 const std::set<std::uint8_t>& answeredCodes) {
    Json values = Json::array();
    for (std::size_t i = 0; state.*block != nullptr && i < count; ++i) {
        values.push_back(!answeredCodes.contains(BlockCode(block, i))
                             ? Json(nullptr)
                             : Json(static_cast<std::int32_t>((state.*block)[i])));
    }
    return values;
}

void CollectReading(const AppState& state, bool energySaveRead,
                    const std::set<std::uint8_t>& answeredCodes, InfoReading& reading) {
    for (const InfoPageTable& table : InfoPageTables()) {
        for (const PageRow& row : table.rows) {
            for (const ValueControl& value : row.values) {
                const bool missing =
                    value.control != 0 &&
                    (HasSlot(value.show) ? SlotTextOf(state, value.slot).empty() ||
                                               (value.show == Show::EnergySave && !energySaveRead)
                                         : BlockIncomplete(value, answeredCodes));
                if (missing) {
                    reading.unread.insert({table.page, value.control});
                }
            }
        }
    }
    for (const InfoReplyForm& form : kInfoReplyForms) {
        Json pairs = Json::object();
        for (std::size_t i = 0; i < form.keys.size(); ++i) {
            const std::string_view text =
                SlotTextOf(state, {form.kind, static_cast<std::uint8_t>(i)});
            pairs[std::string(form.keys[i].name)] =
                text.empty() ? Json(nullptr) : PrinterText(text);
        }
        reading.replies[kReplyNames[static_cast<std::size_t>(form.kind)]] = pairs;
    }
    reading.values1 = BlockValues(state, &AppState::infoValues1, kInfoValues1Count, answeredCodes);
    reading.values2 = BlockValues(state, &AppState::infoValues2, kInfoValues2Count, answeredCodes);
}

constexpr char kUnknown[] = "unknown";

// Each page: its caption, then one line per label with the values that belong to it,
// separated by tabs; a value not read as "unknown". The printer's control bytes are escaped.
void PrintPages(std::ostream& out, const InfoReading& reading) {
    const ViewerTexts& texts = reading.texts;
    for (const InfoPageTable& table : InfoPageTables()) {
        out << TerminalText(texts[static_cast<std::size_t>(table.page)].caption) << '\n';
        for (const PageRow& row : table.rows) {
            out << "  " << TerminalText(ControlText(texts, table.page, row.label.control));
            for (const ValueControl& value : row.values) {
                if (value.control == 0) {
                    continue;
                }
                out << '\t'
                    << (reading.unread.contains({table.page, value.control})
                            ? std::string(kUnknown)
                            : TerminalText(ControlText(texts, table.page, value.control)));
            }
            out << '\n';
        }
    }
}

void PrintJson(std::ostream& out, const InfoReading& reading) {
    Json pages = Json::array();
    for (const InfoPageTable& table : InfoPageTables()) {
        const PageTexts& page = reading.texts[static_cast<std::size_t>(table.page)];
        Json controls = Json::object();
        for (const auto& [control, text] : page.controls) {
            controls[std::to_string(control)] = reading.unread.contains({table.page, control})
                                                    ? Json(nullptr)
                                                    : Json(TrimBlanks(text));
        }
        pages.push_back(
            {{json_key::kCaption, TrimBlanks(page.caption)}, {json_key::kControls, controls}});
    }
    Json document = JsonDocument();
    document[json_key::kPages] = pages;
    document[json_key::kReplies] = reading.replies;
    document[json_key::kValues1] = reading.values1;
    document[json_key::kValues2] = reading.values2;
    WriteJson(out, document);
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
            if (sent.delivered != 0) {
                answeredCodes_.insert(sent.request);
            }
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
    // The request codes that brought a reply (one that was never sent brought none).
    const std::set<std::uint8_t>& AnsweredCodes() const { return answeredCodes_; }

private:
    std::set<std::uint8_t> answeredCodes_;
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
    std::optional<InfoArguments> arguments = ParseArguments(context.args);
    if (!arguments) {
        return kExitUsage;
    }
    if (context.json && arguments->output == Output::Pages) {
        arguments->output = Output::Json;
    } else if (context.json) {
        return kExitUsage;
    }
    InfoMessages messages(context);
    ReadWatch reads(messages);
    InfoReading reading;
    bool saved = true;
    const bool opened = OpenInfoViewer(reads, context.state, [&](AppState& state) {
        InfoMessages viewer(context);
        reading.texts = InitialiseViewerTexts(viewer, state);
        CollectReading(state, !viewer.Failed(), reads.AnsweredCodes(), reading);
        if (arguments->output == Output::Ini) {
            saved = SaveIni(reads, messages, context, reading.texts, arguments->iniPath);
        }
    });
    if (!opened) {
        return kExitFailed;
    }
    if (arguments->output == Output::Pages) {
        PrintPages(context.out, reading);
    } else if (arguments->output == Output::Json) {
        PrintJson(context.out, reading);
    }
    const bool complete = reading.unread.empty() && !messages.Failed();
    if (!complete && arguments->output != Output::Ini) {
        context.err << "rpanelctl: some of the machine information could not be read; it is "
                       "shown as unknown\n";
    }
    return saved && complete ? kExitOk : kExitFailed;
}

}  // namespace rpanel
