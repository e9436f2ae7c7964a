#include "service/service_mode.h"

#include <algorithm>
#include <limits>

#include "link/printer_command.h"
#include "link/request_ops.h"
#include "service/service_choices.h"
#include "service/service_mode_page_ids.h"

namespace rpanel {
namespace {

using K = ServiceModeKind;
using R = Request;
namespace id = service_mode;

constexpr SettingRange kWarningRange{0, 1};
constexpr SettingRange kTemperatureRange = ChoiceRange(TemperatureChoices);
constexpr SettingRange kAnyCounter{std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max()};

// clang-format off
constexpr ServiceModeValue kValues[] = {
    {"tonerLowWarning",       K::Warning,     R::ReadTonerLowWarning,       R::WriteTonerLowWarning,     id::kTonerLowBox,                kWarningRange},
    {"puLowWarning",          K::Warning,     R::ReadPuLowWarning,          R::WritePuLowWarning,        id::kPuLowBox,                   kWarningRange},
    {"plainTemperature",      K::Temperature, R::ReadPlainTemperature,      R::WritePlainTemperature,    id::kPlainTemperatureList,       kTemperatureRange},
    {"thickTemperature",      K::Temperature, R::ReadThickTemperature,      R::WriteThickTemperature,    id::kThickTemperatureList,       kTemperatureRange},
    {"envelopeTemperature",   K::Temperature, R::ReadEnvelopeTemperature,   R::WriteEnvelopeTemperature, id::kEnvelopeTemperatureList,    kTemperatureRange},
    {"jamCounter",            K::Counter,     R::ReadJamCounter,            std::nullopt,                id::kJamCounterText,             kAnyCounter},
    {"troubleCounter",        K::Counter,     R::ReadTroubleCounter,        std::nullopt,                id::kTroubleCounterText,         kAnyCounter},
    {"transferBeltCounter",   K::Counter,     R::ReadTransferBeltCounter,   std::nullopt,                id::kTransferBeltCounterText,    kAnyCounter},
    {"drumUnitCounter",       K::Counter,     R::ReadDrumUnitCounter,       std::nullopt,                id::kDrumUnitCounterText,        kAnyCounter},
    {"transferRollerCounter", K::Counter,     R::ReadTransferRollerCounter, std::nullopt,                id::kTransferRollerCounterText,  kAnyCounter},
    {"fuserUnitCounter",      K::Counter,     R::ReadFuserUnitCounter,      std::nullopt,                id::kFuserUnitCounterText,       kAnyCounter},
};
// clang-format on

}  // namespace

std::span<const ServiceModeValue> ServiceModeValues() {
    return kValues;
}

std::int32_t& ValueField(AppState& state, const ServiceModeValue& value) {
    return state.*CatalogueRow(value.read).field;
}

std::int32_t ValueField(const AppState& state, const ServiceModeValue& value) {
    return state.*CatalogueRow(value.read).field;
}

void SetServiceModeDefaults(AppState& state) {
    for (const ServiceModeValue& value : kValues) {
        if (value.kind == K::Warning) {
            ValueField(state, value) = 1;
        } else if (value.kind == K::Temperature) {
            ValueField(state, value) = TemperatureChoices[0].value;
        }
    }
}

namespace {

std::vector<std::string_view> ReadServiceModeValues(MessageSink& messages, AppState& state) {
    std::vector<std::string_view> unread;
    for (const ServiceModeValue& value : kValues) {
        if (!ReadValue(value.read, messages, state)) {
            unread.push_back(value.name);
        }
    }
    return unread;
}

bool SendServiceModeSettings(MessageSink& messages, AppState& state) {
    bool all = true;
    for (const ServiceModeValue& value : kValues) {
        if (value.write) {
            all = WriteSetting(*value.write, state) && all;
        }
    }
    messages.ShowMessageById(all ? msg::kDefaultsSent : msg::kSendFailed);
    return all;
}

}  // namespace

bool DownloadServiceMode(MessageSink& messages, AppState& state,
                         std::vector<std::string_view>* unread) {
    return RunPrinterCommand(messages, [&] {
        std::vector<std::string_view> notRead = ReadServiceModeValues(messages, state);
        if (unread != nullptr) {
            *unread = std::move(notRead);
        }
    });
}

bool UploadServiceMode(MessageSink& messages, AppState& state) {
    bool all = false;
    RunPrinterCommand(messages, [&] { all = SendServiceModeSettings(messages, state); });
    return all;
}

ChangeOutcome ChangeServiceMode(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                std::span<const SettingChange> changes) {
    ChangeOutcome outcome;
    outcome.opened = RunPrinterCommand(messages, [&] {
        for (const std::string_view name : ReadServiceModeValues(readMessages, state)) {
            const auto value = std::ranges::find(kValues, name, &ServiceModeValue::name);
            if (value->write) {
                outcome.unread.push_back(name);
            }
        }
        if (!outcome.unread.empty()) {
            return;
        }
        for (const SettingChange& change : changes) {
            const auto value = std::ranges::find(kValues, change.name, &ServiceModeValue::name);
            if (value != std::end(kValues) && value->write) {
                ValueField(state, *value) = change.value;
            }
        }
        outcome.sent = true;
        outcome.acknowledged = SendServiceModeSettings(messages, state);
    });
    return outcome;
}

bool ReportReplacedPart(MessageSink& messages, ReplacedPart part) {
    bool acknowledged = false;
    RunPrinterCommand(messages, [&] {
        acknowledged = RunCommand(part == ReplacedPart::FuserUnit ? Request::ReplaceFuserUnit
                                                                  : Request::ReplaceTransferRoller,
                                  messages);
    });
    return acknowledged;
}

}  // namespace rpanel
