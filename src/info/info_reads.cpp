#include "info/info_reads.h"

#include <cassert>
#include <cstddef>

#include "info/info_blocks.h"
#include "info/info_reply.h"
#include "link/request_ops.h"

namespace rpanel {
namespace {

void ReadValueBlock(Request id, std::uint32_t* block, std::size_t size) {
    const RequestRow& row = CatalogueRow(id);
    assert(block != nullptr && std::size_t{row.lastCode} - row.code + 1 == size);
    if (block == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < size; ++i) {
        ReadSilentValue(id, static_cast<std::uint8_t>(row.code + i), &block[i]);
    }
}

}  // namespace

void ReadMachineInfo(MessageSink& owner, AppState& state, InfoKind kind) {
    TextReply reply;
    if (ReadText(FormOf(kind).request, owner, &reply)) {
        ParseInfoReply(owner, state, kind, reply.Text());
    }
}

void ReadAllMachineInfo(MessageSink& owner, AppState& state) {
    for (const InfoReplyForm& form : kInfoReplyForms) {
        ReadMachineInfo(owner, state, form.kind);
    }
}

void ReadInfoValueBlock1(AppState& state) {
    ReadValueBlock(Request::ReadInfoValueBlock1, state.infoValues1, kInfoValues1Count);
}

void ReadInfoValueBlock2(AppState& state) {
    ReadValueBlock(Request::ReadInfoValueBlock2, state.infoValues2, kInfoValues2Count);
}

bool ReadEnergySave(MessageSink& owner, AppState& state) {
    return ReadValue(Request::ReadEnergySave, owner, state);
}

}  // namespace rpanel
