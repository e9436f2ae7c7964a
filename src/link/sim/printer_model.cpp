#include "link/sim/printer_model.h"

#include <algorithm>
#include <cstring>
#include <random>

namespace rpanel {
namespace {

constexpr char kAcknowledgement[] = {'O', 'K', '\0', '\0'};

// Headers of the four machine-information replies (request 13, values 0x0100..0x0400).
constexpr const char* kInfoHeaders[] = {"@PJL INFO CONFIGTONER", "@PJL INFO CONFIGCOUNT",
                                        "@PJL INFO CONFIGMACHINE", "@PJL INFO CONFIGADJUST"};

// Settings whose read answers what the matching write stored: write code -> read code.
constexpr std::pair<std::uint8_t, std::uint8_t> kWriteToRead[] = {
    {21, 20}, {23, 22}, {25, 24}, {41, 40}, {43, 42}, {45, 44}, {47, 46}, {49, 48},
};

// Adjustment writes and the key of the adjustment reply that reports them; the printer keeps
// the byte it was sent, offset included.
constexpr std::pair<std::uint8_t, const char*> kAdjustmentWrites[] = {
    {26, "ADJIMAGE"},         {27, "ADJTOPPLAIN"},    {28, "ADJTOPTHICK"},
    {29, "ADJTOPENVELOPE"},   {30, "ADJLEFTFRONT"},   {32, "ADJTRANSPLAINFRONT"},
    {33, "ADJTRANSTHICK1"},   {34, "ADJTRANSTHICK2"}, {35, "ADJTRANSPOSTCARD"},
    {36, "ADJTRANSENVELOPE"}, {37, "ADJTRANSLABEL"},
};

// Panel defaults (toner low message, toner-out stop, energy-save time, auto continue) and the
// machine-information keys that report them.
struct PanelSetting {
    std::uint8_t code;
    int page;
    const char* key;
    bool onOff;  // reported as ON/OFF rather than as the number
};
constexpr PanelSetting kPanelSettings[] = {
    {19, 1, "TONERLOWMSG", false},
    {15, 3, "MACHINETONEREMPTY", true},
    {16, 3, "MACHINEENERGYSAVE", false},
    {17, 3, "MACHINEAUTOCONTO", true},
};

// Commands that the printer acknowledges; replacing a part restarts its counter.
constexpr std::uint8_t kCommands[] = {14, 18, 39, 50, 51, 85};
constexpr std::uint8_t kTransferRollerCounter = 83;
constexpr std::uint8_t kFuserUnitCounter = 84;

std::string LittleEndian(std::uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

}  // namespace

PrinterModel::PrinterModel() {
    status_ = "@PJL INFO STATUS\r\nCODE=000000,204008\r\n";
    info_[1] = {
        {"CONSUMETCSTATEC", "1"},      {"CONSUMETCSTATEM", "1"},
        {"CONSUMETCSTATEY", "2"},      {"CONSUMETCSTATEK", "3"},
        {"CONSUMEICSTATE", "1"},       {"CONSUMETCREMAINC", "78"},
        {"CONSUMETCREMAINM", "64"},    {"CONSUMETCREMAINY", "9"},
        {"CONSUMETCREMAINK", "0"},     {"CONSUMEICREMAIN", "83"},
        {"CONSUMETCTYPEC", "15"},      {"CONSUMETCTYPEM", "15"},
        {"CONSUMETCTYPEY", "25"},      {"CONSUMETCTYPEK", "10"},
        {"CONSUMEICTYPE", "STANDARD"}, {"COVERAGETOTALCOLOR", "8421"},
        {"COVERAGETOTALMONO", "3310"}, {"COVERAGETOTAL", "11731"},
        {"COVERAGECOLOR", "5.8"},      {"COVERAGEMONO", "4.1"},
        {"COVERAGEAVERAGEC", "6"},     {"COVERAGEAVERAGEM", "5"},
        {"COVERAGEAVERAGEY", "7"},     {"COVERAGEAVERAGEK", "4"},
        {"COVERAGELASTC", "3"},        {"COVERAGELASTM", "2"},
        {"COVERAGELASTY", "4"},        {"COVERAGELASTK", "5"},
        {"TONERLOWMSG", "1"},
    };
    info_[2] = {
        {"COUNTTOTAL", "12874"},         {"COUNTCOLORPRINT", "9120"},
        {"COUNTMONOPRINT", "3754"},      {"COUNTTRAY1", "12874"},
        {"COUNTSIZEA4", "10230"},        {"COUNTSIZEB5", "120"},
        {"COUNTSIZEA5", "310"},          {"COUNTSIZELEGAL", "44"},
        {"COUNTSIZELETTER", "1980"},     {"COUNTSIZEOTHERS", "190"},
        {"COUNTMEDIAPLAIN", "11020"},    {"COUNTMEDIATHICK", "640"},
        {"COUNTMEDIATHICK2", "210"},     {"COUNTMEDIAENVELOPE", "180"},
        {"COUNTMEDIALETTERHEAD", "450"}, {"COUNTMEDIAPOSTCARD", "260"},
        {"COUNTMEDIALABELS", "114"},
    };
    info_[3] = {
        {"MACHINESERIAL", "A0ED041002345"}, {"MACHINEENERGYSAVE", "15"},
        {"MACHINEAUTOCONTO", "ON"},         {"MACHINETONEREMPTY", "OFF"},
        {"MACHINEVERSIONENGINE", "1.20"},   {"MACHINEVERSIONFW", "1.08"},
        {"MACHINEVERSIONBOOT", "1.02"},
    };
    info_[4] = {
        {"ADJTOPPLAIN", "15"},       {"ADJTOPTHICK", "17"},     {"ADJTOPENVELOPE", "12"},
        {"ADJLEFTFRONT", "15"},      {"ADJLEFTBACK", "15"},     {"ADJIMAGE", "0"},
        {"ADJTRANSPLAINFRONT", "8"}, {"ADJTRANSTHICK1", "9"},   {"ADJTRANSTHICK2", "10"},
        {"ADJTRANSPOSTCARD", "8"},   {"ADJTRANSENVELOPE", "6"}, {"ADJTRANSLABEL", "8"},
        {"ADJTRANSPLAINBACK", "8"},
    };
    values_ = {
        {20, 2}, {22, 1}, {24, 0}, {40, 1},     {42, 1},    {44, 1},     {46, 1},     {48, 1},
        {53, 7}, {54, 2}, {80, 1}, {81, 12874}, {82, 8120}, {83, 12874}, {84, 12874},
    };
    // The two blocks of 32-bit values of the configuration page (requests 55..78).
    for (std::uint8_t code = 55; code <= 78; ++code) {
        values_[code] = 100u * (code - 54) + 17u;
    }
}

std::uint32_t PrinterModel::Answer(std::uint8_t code, std::uint16_t value, std::uint16_t /*index*/,
                                   std::uint8_t* reply, std::uint16_t length, Answered* how) {
    std::lock_guard lock(mutex_);
    Answered ignored;
    Answered& answered = how != nullptr ? *how : ignored;
    answered = Answered::Gone;
    if (!present_) {
        return 0;
    }
    if (unplugAfter_ >= 0 && answered_ >= unplugAfter_) {
        present_ = false;
        return 0;
    }
    answered = Answered::Hung;
    if (hangAfter_ >= 0 && answered_ >= hangAfter_) {
        return 0;
    }
    answered = Answered::Replied;
    const int position = answered_++;
    Reply bytes = Respond(code, value);
    if (auto fault = faults_.find(position); fault != faults_.end()) {
        bytes = Spoil(std::move(bytes), fault->second, position);
    }
    if (!bytes) {
        return 0;
    }
    std::size_t count = std::min<std::size_t>(bytes->size(), length);
    std::memcpy(reply, bytes->data(), count);
    return static_cast<std::uint32_t>(count);
}

PrinterModel::Reply PrinterModel::Spoil(Reply reply, ReplyFault fault, int position) {
    std::string bytes = reply.value_or(std::string());
    switch (fault) {
        case ReplyFault::NoReply:
            return std::nullopt;
        case ReplyFault::OneByte:
        case ReplyFault::TwoBytes:
        case ReplyFault::ThreeBytes:
            bytes.resize(std::min<std::size_t>(
                bytes.size(), 1 + static_cast<int>(fault) - static_cast<int>(ReplyFault::OneByte)));
            return bytes;
        case ReplyFault::AckWithoutNul:
            return std::string("OK!\0", 4);
        case ReplyFault::RandomBytes: {
            // The same garbage for the same position, so that a failing case can be rerun.
            std::minstd_rand random(static_cast<std::uint32_t>(position) + 1);
            bytes.resize(std::max<std::size_t>(bytes.size(), 4));
            for (char& byte : bytes) {
                byte = static_cast<char>(0x80 | (random() & 0x7F));
            }
            return bytes;
        }
    }
    return reply;
}

PrinterModel::Reply PrinterModel::Respond(std::uint8_t code, std::uint16_t value) {
    for (auto key : {std::make_pair(code, int{value}), std::make_pair(code, -1)}) {
        if (auto it = scripted_.find(key); it != scripted_.end()) {
            Scripted& script = it->second;
            const std::size_t at = std::min(script.next, script.replies.size() - 1);
            script.next = at + 1;
            return script.replies[at];
        }
    }
    const std::uint8_t parameter = static_cast<std::uint8_t>(value >> 8);
    if (code == 9) {
        return status_;
    }
    if (code == 13) {
        return InfoReply(value);
    }
    for (auto [write, read] : kWriteToRead) {
        if (code == write) {
            values_[read] = parameter;
            return std::string(kAcknowledgement, 4);
        }
    }
    for (auto [write, key] : kAdjustmentWrites) {
        if (code == write) {
            SetInfoValue(4, key, std::to_string(parameter));
            return std::string(kAcknowledgement, 4);
        }
    }
    for (const PanelSetting& setting : kPanelSettings) {
        if (code == setting.code) {
            SetInfoValue(
                setting.page, setting.key,
                setting.onOff ? (parameter != 0 ? "ON" : "OFF") : std::to_string(parameter));
            return std::string(kAcknowledgement, 4);
        }
    }
    if (std::find(std::begin(kCommands), std::end(kCommands), code) != std::end(kCommands)) {
        if (code == 50) {
            values_[kTransferRollerCounter] = 0;
        } else if (code == 51) {
            values_[kFuserUnitCounter] = 0;
        }
        return std::string(kAcknowledgement, 4);
    }
    if (auto it = values_.find(code); it != values_.end()) {
        return LittleEndian(it->second);
    }
    return std::nullopt;  // a request this printer does not know
}

PrinterModel::Reply PrinterModel::InfoReply(std::uint16_t value) const {
    const int page = value >> 8;
    auto it = info_.find(page);
    if ((value & 0xFF) != 0 || it == info_.end()) {
        return std::nullopt;
    }
    std::string text = std::string(kInfoHeaders[page - 1]) + "\r\n";
    for (const auto& [key, item] : it->second) {
        text += key + "=" + item + "\r\n";
    }
    return text;
}

void PrinterModel::SetInfoValue(int page, const std::string& key, std::string value) {
    auto& items = info_[page];
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const auto& item) { return item.first == key; });
    if (it != items.end()) {
        it->second = std::move(value);
    } else {
        items.emplace_back(key, std::move(value));
    }
}

void PrinterModel::Script(std::uint8_t code, std::optional<std::uint16_t> value,
                          std::optional<std::string> bytes) {
    ScriptSequence(code, value, {std::move(bytes)});
}

void PrinterModel::ScriptSequence(std::uint8_t code, std::optional<std::uint16_t> value,
                                  std::vector<std::optional<std::string>> replies) {
    if (replies.empty()) {
        replies.emplace_back();
    }
    std::lock_guard lock(mutex_);
    scripted_[{code, value ? int{*value} : -1}] = {std::move(replies), 0};
}

void PrinterModel::HangAfter(int requests) {
    std::lock_guard lock(mutex_);
    hangAfter_ = requests;
}

bool PrinterModel::Present() const {
    std::lock_guard lock(mutex_);
    return present_;
}

void PrinterModel::SetPresent(bool present) {
    std::lock_guard lock(mutex_);
    present_ = present;
}

void PrinterModel::UnplugAfter(int requests) {
    std::lock_guard lock(mutex_);
    unplugAfter_ = requests;
}

void PrinterModel::RefuseOpening(std::string reason) {
    std::lock_guard lock(mutex_);
    openingRefusal_ = std::move(reason);
}

std::string PrinterModel::OpeningRefusal() const {
    std::lock_guard lock(mutex_);
    return openingRefusal_;
}

void PrinterModel::InjectFault(int request, ReplyFault fault) {
    std::lock_guard lock(mutex_);
    faults_[request] = fault;
}

int PrinterModel::RequestsAnswered() const {
    std::lock_guard lock(mutex_);
    return answered_;
}

std::uint32_t PrinterModel::ValueOf(std::uint8_t code) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(code);
    return it == values_.end() ? 0 : it->second;
}

void PrinterModel::SetValue(std::uint8_t code, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    values_[code] = value;
}

std::string PrinterModel::InfoValue(int page, const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = info_.find(page);
    if (it == info_.end()) {
        return {};
    }
    for (const auto& [name, value] : it->second) {
        if (name == key) {
            return value;
        }
    }
    return {};
}

void PrinterModel::SetStatusCodes(const std::vector<std::string>& codes) {
    std::lock_guard lock(mutex_);
    status_ = "@PJL INFO STATUS\r\nCODE=";
    for (std::size_t i = 0; i < codes.size(); ++i) {
        status_ += (i ? "," : "") + codes[i];
    }
    status_ += "\r\n";
}

}  // namespace rpanel
