// A model of the printer's firmware as the vendor requests see it: it keeps the settings that
// writes store, answers reads from them, acknowledges commands and reports plausible status
// and machine information. Scripted replies and faults override it for the tests and demos.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rpanel {

// What a failing printer does to one reply.
enum class ReplyFault {
    NoReply,
    OneByte,  // the reply cut to its first bytes
    TwoBytes,
    ThreeBytes,
    AckWithoutNul,  // "OK" followed by another byte where the NUL belongs
    RandomBytes,    // garbage of the reply's length, every byte above 0x7F
};

// How the printer took a request.
enum class Answered {
    Replied,  // with bytes, or with none as a printer refuses a request it does not know
    Hung,     // it never answers: the host waits for its transfer timeout
    Gone,     // it is unplugged
};

class PrinterModel {
public:
    PrinterModel();

    // Answers one request as the printer would: the reply bytes go into reply (at most
    // length of them) and the count is returned; 0 means no reply. *how, when given, says
    // whether it replied, hung or was not there.
    std::uint32_t Answer(std::uint8_t code, std::uint16_t value, std::uint16_t index,
                         std::uint8_t* reply, std::uint16_t length, Answered* how = nullptr);

    // A scripted reply for a code, or for a code and value (which wins over the code alone).
    // nullopt scripts "no reply"; bytes shorter than asked make a short reply.
    void Script(std::uint8_t code, std::optional<std::uint16_t> value,
                std::optional<std::string> bytes);
    // Successive requests of the key get successive replies; the last one then repeats.
    void ScriptSequence(std::uint8_t code, std::optional<std::uint16_t> value,
                        std::vector<std::optional<std::string>> replies);
    // Once it has answered this many requests, the printer hangs: every later request gets
    // nothing, after the host's whole transfer timeout.
    void HangAfter(int requests);

    // Attached or not. An unplugged printer answers nothing and cannot be opened.
    bool Present() const;
    void SetPresent(bool present);
    // The printer is unplugged once it has answered this many requests.
    void UnplugAfter(int requests);
    // While the reason is not empty, the system refuses to open the attached printer and says
    // why (this user may not open it, another program holds it).
    void RefuseOpening(std::string reason);
    std::string OpeningRefusal() const;

    // The request at this position (0 for the first the printer ever gets) is answered with
    // the fault; the others as usual.
    void InjectFault(int request, ReplyFault fault);

    int RequestsAnswered() const;

    // The value a value read of code answers now (a setting, a counter or a block entry).
    std::uint32_t ValueOf(std::uint8_t code) const;
    void SetValue(std::uint8_t code, std::uint32_t value);
    // The value of a key of one of the four machine-information replies (1..4).
    std::string InfoValue(int page, const std::string& key) const;
    void SetStatusCodes(const std::vector<std::string>& codes);

private:
    using Reply = std::optional<std::string>;
    Reply Respond(std::uint8_t code, std::uint16_t value);
    static Reply Spoil(Reply reply, ReplyFault fault, int position);
    Reply InfoReply(std::uint16_t value) const;
    void SetInfoValue(int page, const std::string& key, std::string value);

    mutable std::mutex mutex_;  // the libusb tests answer from umockdev's thread
    bool present_ = true;
    int unplugAfter_ = -1;
    int hangAfter_ = -1;
    std::string openingRefusal_;
    int answered_ = 0;
    std::map<int, ReplyFault> faults_;
    struct Scripted {
        std::vector<Reply> replies;
        std::size_t next = 0;
    };
    std::map<std::pair<std::uint8_t, int>, Scripted> scripted_;  // value -1: any value
    std::map<std::uint8_t, std::uint32_t> values_;
    std::string status_;
    // Each information reply keeps its keys in the order the printer reports them.
    std::map<int, std::vector<std::pair<std::string, std::string>>> info_;
};

}  // namespace rpanel
