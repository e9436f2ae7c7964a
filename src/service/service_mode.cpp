#include "service/service_mode.h"

#include <limits>

#include "link/request_ops.h"
#include "link/printer_command.h"
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

bool DownloadServiceMode(MessageSink& messages, AppState& state) {
    return RunPrinterCommand(messages, [&] {
        for (const ServiceModeValue& value : kValues) {
            ReadValue(value.read, messages, state);
        }
    });
}

bool UploadServiceMode(MessageSink& messages, AppState& state) {
    bool all = false;
    RunPrinterCommand(messages, [&] {
        all = true;
        for (const ServiceModeValue& value : kValues) {
            if (value.write) {
                all = WriteSetting(*value.write, state) && all;
            }
        }
        messages.ShowMessageById(all ? msg::kDefaultsSent : msg::kSendFailed);
    });
    return all;
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
