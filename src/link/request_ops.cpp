#include "link/request_ops.h"

#include <cassert>

namespace rpanel {
namespace {

std::uint32_t Send(const RequestRow& row, std::uint8_t code, std::int32_t parameter,
                   std::uint8_t* reply) {
    return SendVendorRequest(code, RequestValue(row, parameter), row.index, row.length, reply);
}

bool SendForWord(const RequestRow& row, std::uint8_t code, std::int32_t parameter,
                 std::uint32_t* word) {
    std::array<std::uint8_t, kValueReplySize> reply{};
    if (Send(row, code, parameter, reply.data()) == 0) {
        return false;
    }
    *word = static_cast<std::uint32_t>(reply[0]) | static_cast<std::uint32_t>(reply[1]) << 8 |
            static_cast<std::uint32_t>(reply[2]) << 16 | static_cast<std::uint32_t>(reply[3]) << 24;
    return true;
}

bool Acknowledged(const RequestRow& row, std::int32_t parameter) {
    if (!RequestSendsParameter(row, parameter)) {
        return false;
    }
    std::array<std::uint8_t, kValueReplySize> reply{};
    Send(row, row.code, parameter, reply.data());
    return ReplyIsOk(reply.data());
}

}  // namespace

bool ReadText(Request id, MessageSink& messages, TextReply* reply) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Text);
    reply->bytes.fill(0);
    reply->count = Send(row, row.code, 0, reply->bytes.data());
    if (reply->count == 0) {
        messages.ShowMessageById(msg::kSendFailed);
        return false;
    }
    return true;
}

bool ReadValue(Request id, MessageSink& messages, AppState& state) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Value && row.field != nullptr);
    std::uint32_t word = 0;
    if (!SendForWord(row, row.code, 0, &word)) {
        messages.ShowMessageById(msg::kSendFailed);
        return false;
    }
    state.*row.field = static_cast<std::int32_t>(word);
    return true;
}

bool ReadSilentValue(Request id, std::uint8_t code, std::uint32_t* slot) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::SilentValue && code >= row.code && code <= row.lastCode);
    return SendForWord(row, code, 0, slot);
}

bool ReadMachineVariant(MessageSink& messages, AppState& state) {
    const RequestRow& row = CatalogueRow(Request::ReadMachineVariant);
    std::uint32_t word = 0;
    if (!SendForWord(row, row.code, 0, &word)) {
        state.machineVariant = 0;
        messages.ShowMessageById(msg::kSendFailed);
        return false;
    }
    state.machineVariant = static_cast<std::uint8_t>(word & 0xFF);
    return true;
}

bool WriteSetting(Request id, const AppState& state) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Write && row.field != nullptr);
    return Acknowledged(row, state.*row.field);
}

bool WriteSetting(Request id, std::int32_t parameter) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Write);
    return Acknowledged(row, parameter);
}

bool RunCommand(Request id, MessageSink& messages) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Command);
    bool acknowledged = Acknowledged(row, 0);
    messages.ShowMessageById(acknowledged ? row.successMessage : msg::kSendFailed);
    return acknowledged;
}

void SendUnexamined(Request id) {
    const RequestRow& row = CatalogueRow(id);
    assert(row.shape == Shape::Unexamined);
    std::array<std::uint8_t, kValueReplySize> reply{};
    Send(row, row.code, 0, reply.data());
}

}  // namespace rpanel
