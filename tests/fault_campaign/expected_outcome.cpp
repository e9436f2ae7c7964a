// The rules, once for every command:
// - The link does not open: message 26, nothing sent, nothing changed.
// - Every request of the sequence is sent, whatever became of the ones before, until one
//   times out or finds the printer gone: the later ones are not sent and get no reply.
// - Text read: no bytes, message 25 and no parsing; otherwise the reply is parsed.
// - Value read: no bytes, message 25 and the field keeps its value (request 80: the variant
//   becomes 0); otherwise the bytes that came, little-endian, the missing high bytes 0.
// - Silent value read: as a value read, without a message.
// - Setting write: acknowledged when the zero-filled reply starts with "O", "K", NUL; the
//   writes of a command end with one message, 24 when all were acknowledged, else 25.
// - Command: its own message when acknowledged, else 25. Unexamined: nothing at all.
// The bytes a faulty printer delivers come from a twin of the printer with the same fault,
// asked the same requests in the same order.
#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "campaign.h"
#include "info/info_blocks.h"
#include "link/vendor_request.h"

namespace rpanel::campaign {
namespace {

struct Reply {
    std::array<std::uint8_t, kTextReplySize> bytes{};
    std::uint32_t count = 0;

    std::string_view Text() const { return {reinterpret_cast<const char*>(bytes.data()), count}; }
    std::uint32_t Word() const {
        return bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
               static_cast<std::uint32_t>(bytes[3]) << 24;
    }
    bool Acknowledged() const { return bytes[0] == 'O' && bytes[1] == 'K' && bytes[2] == 0; }
};

// The information reply that asks for each value of request 13.
const InfoReplyForm& InfoFormOf(std::uint16_t value) {
    return kInfoReplyForms.at((value >> 8) - 1);
}

// How the printer reports each adjustment of the User Service page: a plain number with an
// offset added (top and left 15, transfer power 8, the image parameter none).
struct ReportedAdjustment {
    std::int32_t AppState::*field;
    SlotRef slot;
    std::int32_t offset;
};
constexpr ReportedAdjustment kReportedAdjustments[] = {
    {&AppState::imageAdjust, KeySlot("ADJIMAGE"), 0},
    {&AppState::topAdjustPlain, KeySlot("ADJTOPPLAIN"), 15},
    {&AppState::topAdjustThick, KeySlot("ADJTOPTHICK"), 15},
    {&AppState::topAdjustEnvelope, KeySlot("ADJTOPENVELOPE"), 15},
    {&AppState::leftAdjustFront, KeySlot("ADJLEFTFRONT"), 15},
    {&AppState::transferPlainFront, KeySlot("ADJTRANSPLAINFRONT"), 8},
    {&AppState::transferThick1, KeySlot("ADJTRANSTHICK1"), 8},
    {&AppState::transferThick2, KeySlot("ADJTRANSTHICK2"), 8},
    {&AppState::transferPostcard, KeySlot("ADJTRANSPOSTCARD"), 8},
    {&AppState::transferEnvelope, KeySlot("ADJTRANSENVELOPE"), 8},
    {&AppState::transferLabel, KeySlot("ADJTRANSLABEL"), 8},
};

class Derivation {
public:
    Derivation(const CampaignCommand& command, const FaultCase& faultCase)
        : command_(command), faultCase_(faultCase) {
        run_.state = SeededState();
        PreparePrinter(twin_);
        faultCase.InjectInto(twin_);
    }

    Outcome Derive() {
        if (faultCase_.kind == FaultCase::Kind::GoneBeforeOpen) {
            return Finish({msg::kOpenFailed}, kLinkClosed);
        }
        AppState& state = run_.state;
        const bool readsInfo = command_.runsViewer || command_.decodesAdjustments;
        if (readsInfo) {
            AllocInfoBlocks(state, storage_,
                            command_.runsViewer ? ValueBlocks::With : ValueBlocks::Without);
        }
        // A printer that is gone answers nothing more, and the command sends nothing more.
        const bool ends = faultCase_.kind == FaultCase::Kind::Unplugged;
        for (std::size_t i = 0; i < command_.steps.size(); ++i) {
            const bool hit = faultCase_.Hits(static_cast<int>(i));
            Take(command_.steps[i], hit);
            stopped_ |= hit && ends;
        }
        if (command_.decodesAdjustments) {
            DecodeAdjustments();
        }
        if (command_.runsViewer) {
            run_.viewerFields = BlockFields(state);
            run_.iniFile = kIniHoldsTheTexts;
        }
        if (writes_) {
            messages_.push_back(*writes_ ? msg::kDefaultsSent : msg::kSendFailed);
        }
        if (readsInfo) {
            FreeInfoBlocks(state);
        }
        if (command_.frame == Frame::PanelOpening) {
            state.panelOpen = 1;
            return Finish(messages_, kLinkOpen);
        }
        return Finish(messages_, kLinkClosed);
    }

private:
    Outcome Finish(std::vector<int> messages, const char* link) {
        Outcome outcome;
        outcome.messages = std::move(messages);
        outcome.requests = requests_;
        outcome.fields = RunFields(run_);
        // A premise below that did not hold: reported, never guessed past.
        for (const std::string& note : notes_) {
            outcome.fields.emplace_back("derivation", note);
        }
        outcome.link = link;
        return outcome;
    }

    void Take(const Step& step, bool spoiled) {
        AppState& state = run_.state;
        Reply reply;
        if (!stopped_) {
            requests_.push_back(DescribeRequest(step.code, step.value, step.index, step.length));
            reply.count =
                twin_.Answer(step.code, step.value, step.index, reply.bytes.data(), step.length);
        }

        switch (step.kind) {
            case Kind::Text:
                if (reply.count == 0) {
                    messages_.push_back(msg::kSendFailed);
                } else if (step.code == 9) {
                    TakeStatus(reply, spoiled);
                } else {
                    TakeInfo(step.value, spoiled);
                }
                break;
            case Kind::Value:
                if (step.field == nullptr) {  // the machine variant: its first byte, else 0
                    state.machineVariant = reply.count == 0 ? 0 : reply.bytes[0];
                } else if (reply.count != 0) {
                    state.*step.field = static_cast<std::int32_t>(reply.Word());
                }
                if (reply.count == 0) {
                    messages_.push_back(msg::kSendFailed);
                }
                break;
            case Kind::Silent:
                if (reply.count != 0) {
                    std::uint32_t* block = step.code <= 68 ? state.infoValues1 : state.infoValues2;
                    block[step.code - (step.code <= 68 ? 55 : 69)] = reply.Word();
                }
                break;
            case Kind::Write:
                writes_ = writes_.value_or(true) && reply.Acknowledged();
                break;
            case Kind::Command:
                messages_.push_back(reply.Acknowledged() ? step.message : msg::kSendFailed);
                break;
            case Kind::Unexamined:
                break;
        }
    }

    // A reply that came is decoded even when it is spoiled, and a spoiled one decodes to an
    // empty list: every spoiled form lacks the "=" before the codes (the reply cut within
    // its name, "OK!", or bytes all above 0x7F).
    void TakeStatus(const Reply& reply, bool spoiled) {
        AppState& state = run_.state;
        ++run_.timer.restarts;
        state.statusIndex = 0;
        state.statusCodes = {};
        state.statusCount = 0;
        if (spoiled) {
            if (reply.Text().find('=') != std::string_view::npos) {
                notes_.push_back("a spoiled status reply holds \"=\"");
            }
            return;
        }
        for (const StatusCode& code : PrinterStatusCodes()) {
            state.statusCodes.entries[state.statusCount++] = code;
        }
    }

    // A whole reply fills the slot of every key the printer reports. A spoiled one fills
    // nothing and shows nothing, message 29 included: no spoiled form holds a line end (the
    // reply cut within its header, "OK!", or bytes all above 0x7F), and only complete lines
    // are parsed.
    void TakeInfo(std::uint16_t value, bool spoiled) {
        if (spoiled) {
            return;
        }
        const InfoReplyForm& form = InfoFormOf(value);
        const std::span<InfoSlot> block = BlockOf(run_.state, form.kind);
        const int page = static_cast<int>(form.kind) + 1;
        for (std::size_t slot = 0; slot < form.keys.size(); ++slot) {
            const std::string value = twin_.InfoValue(page, std::string(form.keys[slot].name));
            block[slot] = {};
            std::memcpy(block[slot].text, value.data(), std::min(value.size(), kInfoSlotSize - 1));
        }
    }

    // The printer reports each adjustment as a plain number with the key's offset added; an
    // empty slot counts as 0.
    void DecodeAdjustments() {
        for (const ReportedAdjustment& adjustment : kReportedAdjustments) {
            const std::string text(SlotTextOf(run_.state, adjustment.slot));
            run_.state.*adjustment.field = static_cast<std::int32_t>(
                std::strtol(text.c_str(), nullptr, 10) - adjustment.offset);
        }
    }

    const CampaignCommand& command_;
    const FaultCase faultCase_;
    PrinterModel twin_;
    CommandRun run_;
    InfoBlockStorage storage_;
    std::vector<int> messages_;
    std::vector<std::string> requests_;
    std::vector<std::string> notes_;
    // Whether every write so far was acknowledged; nullopt before the first write.
    std::optional<bool> writes_;
    // A request timed out or found the printer gone: the command sends nothing more.
    bool stopped_ = false;
};

}  // namespace

Outcome ExpectedOutcome(const CampaignCommand& command, const FaultCase& faultCase) {
    return Derivation(command, faultCase).Derive();
}

}  // namespace rpanel::campaign
