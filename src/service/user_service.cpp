#include "service/user_service.h"

#include <algorithm>
#include <optional>

#include "info/adjustment.h"
#include "info/info_blocks.h"
#include "info/info_keys.h"
#include "info/info_reads.h"
#include "link/printer_command.h"
#include "link/request_ops.h"
#include "service/debug_trace.h"
#include "service/service_choices.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

using R = Request;
namespace id = user_service;

constexpr SettingRange kTopLeftRange{-15, 15};
// Sixteen steps: the printer takes transfer power as setting + 8 in four bits.
constexpr SettingRange kTransferRange{-8, 7};
constexpr SettingRange kGdiTimeoutRange = ChoiceRange(GdiTimeoutChoices);
constexpr SettingRange kOnOffRange{kEnergySaveOff, kEnergySaveOn};
constexpr SettingRange kFlickerRange = ChoiceRange(FlickerChoices);
constexpr SettingRange kImageAdjustRange = ChoiceRange(ImageAdjustChoices);

consteval std::uint8_t Slot(std::string_view key) {
    return KeySlot(key).slot;
}

// clang-format off
constexpr UserServiceSetting kSettings[] = {
    {"gdiTimeout",         R::WriteGdiTimeout,        R::ReadGdiTimeout,      0,                           id::kGdiTimeoutList,          0,                         kGdiTimeoutRange},
    {"energySaveOn",       R::WriteEnergySave,        R::ReadEnergySave,      0,                           id::kEnergySaveList,          0,                         kOnOffRange},
    {"flicker",            R::WriteFlicker,           R::ReadFlicker,         0,                           id::kFlickerList,             0,                         kFlickerRange},
    {"imageAdjust",        R::WriteImageAdjust,       R::ReadAdjustmentsInfo, Slot("ADJIMAGE"),            id::kImageAdjustList,         0,                         kImageAdjustRange},
    {"topAdjustPlain",     R::WriteTopAdjustPlain,    R::ReadAdjustmentsInfo, Slot("ADJTOPPLAIN"),         id::kTopPlainTrackbar,        id::kTopPlainValue,        kTopLeftRange},
    {"topAdjustThick",     R::WriteTopAdjustThick,    R::ReadAdjustmentsInfo, Slot("ADJTOPTHICK"),         id::kTopThickTrackbar,        id::kTopThickValue,        kTopLeftRange},
    {"topAdjustEnvelope",  R::WriteTopAdjustEnvelope, R::ReadAdjustmentsInfo, Slot("ADJTOPENVELOPE"),      id::kTopEnvelopeTrackbar,     id::kTopEnvelopeValue,     kTopLeftRange},
    {"leftAdjustFront",    R::WriteLeftAdjustFront,   R::ReadAdjustmentsInfo, Slot("ADJLEFTFRONT"),        id::kLeftFrontTrackbar,       id::kLeftFrontValue,       kTopLeftRange},
    {"transferPlainFront", R::WriteTransferPlain,     R::ReadAdjustmentsInfo, Slot("ADJTRANSPLAINFRONT"),  id::kTransferPlainTrackbar,   id::kTransferPlainValue,   kTransferRange},
    {"transferThick1",     R::WriteTransferThick1,    R::ReadAdjustmentsInfo, Slot("ADJTRANSTHICK1"),      id::kTransferThick1Trackbar,  id::kTransferThick1Value,  kTransferRange},
    {"transferThick2",     R::WriteTransferThick2,    R::ReadAdjustmentsInfo, Slot("ADJTRANSTHICK2"),      id::kTransferThick2Trackbar,  id::kTransferThick2Value,  kTransferRange},
    {"transferPostcard",   R::WriteTransferPostcard,  R::ReadAdjustmentsInfo, Slot("ADJTRANSPOSTCARD"),    id::kTransferPostcardTrackbar, id::kTransferPostcardValue, kTransferRange},
    {"transferEnvelope",   R::WriteTransferEnvelope,  R::ReadAdjustmentsInfo, Slot("ADJTRANSENVELOPE"),    id::kTransferEnvelopeTrackbar, id::kTransferEnvelopeValue, kTransferRange},
    {"transferLabel",      R::WriteTransferLabel,     R::ReadAdjustmentsInfo, Slot("ADJTRANSLABEL"),       id::kTransferLabelTrackbar,   id::kTransferLabelValue,   kTransferRange},
};
// clang-format on

constexpr std::size_t kGdiTimeoutDefault = 6;  // "60"

}  // namespace

std::span<const UserServiceSetting> UserServiceSettings() {
    return kSettings;
}

const UserServiceSetting* FindUserServiceSetting(int control) {
    const auto found = std::ranges::find(kSettings, control, &UserServiceSetting::control);
    return found != std::end(kSettings) ? &*found : nullptr;
}

std::int32_t& SettingField(AppState& state, const UserServiceSetting& setting) {
    return state.*CatalogueRow(setting.write).field;
}

std::int32_t SettingField(const AppState& state, const UserServiceSetting& setting) {
    return state.*CatalogueRow(setting.write).field;
}

void SetUserServiceDefaults(AppState& state) {
    for (const UserServiceSetting& setting : kSettings) {
        SettingField(state, setting) = 0;
    }
    state.gdiTimeout = GdiTimeoutChoices[kGdiTimeoutDefault].value;
    state.energySaveOn = kEnergySaveOn;
    state.flicker = FlickerChoices[0].value;
    state.imageAdjust = ImageAdjustChoices[0].value;
}

std::vector<std::string_view> ReadUserServiceSettings(MessageSink& messages, AppState& state) {
    std::vector<std::string_view> unread;
    InfoBlocks blocks(state, ValueBlocks::Without);
    ReadAllMachineInfo(messages, state);
    for (const UserServiceSetting& setting : kSettings) {
        if (setting.read == Request::ReadAdjustmentsInfo) {
            // What is not a plain number shows as the page decodes it, and blocks a change.
            const std::optional<std::int32_t> read = ReadAdjustment(state, setting.adjustSlot);
            SettingField(state, setting) =
                read.value_or(AdjustmentSetting(state, setting.adjustSlot));
            if (!read) {
                unread.push_back(setting.name);
            }
        }
    }
    for (const UserServiceSetting& setting : kSettings) {
        if (setting.read != Request::ReadAdjustmentsInfo &&
            !ReadValue(setting.read, messages, state)) {
            unread.push_back(setting.name);
        }
    }
    // In the page's order, as the user reads them.
    std::vector<std::string_view> ordered;
    for (const UserServiceSetting& setting : kSettings) {
        if (std::ranges::find(unread, setting.name) != unread.end()) {
            ordered.push_back(setting.name);
        }
    }
    return ordered;
}

bool DownloadUserService(MessageSink& messages, AppState& state,
                         std::vector<std::string_view>* unread) {
    return RunPrinterCommand(messages, [&] {
        std::vector<std::string_view> notRead = ReadUserServiceSettings(messages, state);
        if (unread != nullptr) {
            *unread = std::move(notRead);
        }
    });
}

namespace {

bool SendUserServiceSettings(MessageSink& messages, AppState& state,
                             std::optional<std::int32_t> energySaveSelection) {
    bool all = true;
    for (const UserServiceSetting& setting : kSettings) {
        if (setting.write == Request::WriteEnergySave) {
            state.energySaveOn = energySaveSelection.value_or(state.energySaveOn);
            if (state.machineVariant == kVariantWithoutEnergySave) {
                state.energySaveOn = kEnergySaveOn;
            }
        }
        all = WriteSetting(setting.write, state) && all;
    }
    messages.ShowMessageById(all ? msg::kDefaultsSent : msg::kSendFailed);
    return all;
}

}  // namespace

bool UploadUserService(MessageSink& messages, AppState& state,
                       std::optional<std::int32_t> energySaveSelection) {
    bool all = false;
    RunPrinterCommand(messages,
                      [&] { all = SendUserServiceSettings(messages, state, energySaveSelection); });
    return all;
}

ChangeOutcome ChangeUserService(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                std::span<const SettingChange> changes, bool* energySaveKeptOn) {
    ChangeOutcome outcome;
    outcome.opened = RunPrinterCommand(messages, [&] {
        // As on the desktop, where opening the panel reads the machine variant before the page
        // can upload. Without an answer the energy-save setting goes back as it was read.
        ReadMachineVariant(readMessages, state);
        outcome.unread = ReadUserServiceSettings(readMessages, state);
        if (!outcome.unread.empty()) {
            return;
        }
        for (const SettingChange& change : changes) {
            const auto setting =
                std::ranges::find(kSettings, change.name, &UserServiceSetting::name);
            if (setting != std::end(kSettings)) {
                SettingField(state, *setting) = change.value;
            }
        }
        if (energySaveKeptOn != nullptr) {
            *energySaveKeptOn = state.machineVariant == kVariantWithoutEnergySave &&
                                state.energySaveOn != kEnergySaveOn;
        }
        outcome.sent = true;
        outcome.acknowledged = SendUserServiceSettings(messages, state, state.energySaveOn);
    });
    return outcome;
}

bool PrintTestPattern(MessageSink& messages, TestPattern pattern) {
    bool acknowledged = false;
    RunPrinterCommand(messages, [&] {
        acknowledged = RunCommand(
            pattern == TestPattern::One ? Request::PrintTestPattern1 : Request::PrintTestPattern2,
            messages);
    });
    return acknowledged;
}

void RunImageRefresh(MessageSink& messages) {
    DebugTrace("BT_IMAGEREFRESH");
    RunPrinterCommand(messages, [] {
        DebugTrace("USBOpen");
        SendUnexamined(Request::ImageRefresh);
    });
}

}  // namespace rpanel
