// The reads of the machine information, on the open printer link. The blocks must be
// allocated (info_blocks.h) before any of them runs.
#pragma once

#include "core/app_state.h"
#include "core/message_sink.h"
#include "info/info_keys.h"

namespace rpanel {

// One reply of request 13 into its block. On no reply shows message 25 on owner and leaves
// the block as it was; otherwise parses it (info_reply.h).
void ReadMachineInfo(MessageSink& owner, AppState& state, InfoKind kind);

// The four replies in their order (toner, count, machine, adjust); every read runs even when
// an earlier one failed.
void ReadAllMachineInfo(MessageSink& owner, AppState& state);

// Requests 55..68 into infoValues1 and 69..78 into infoValues2, entry (code - first code).
// Silent: a failed request leaves its entry as it was.
void ReadInfoValueBlock1(AppState& state);
void ReadInfoValueBlock2(AppState& state);

// Request 22 into energySaveOn; on no reply shows message 25 on owner and keeps the old value.
bool ReadEnergySave(MessageSink& owner, AppState& state);

}  // namespace rpanel
