#include "link/request_catalogue.h"

#include <array>

#include "core/message_sink.h"

namespace rpanel {
namespace {

using R = Request;
using S = Shape;
using V = ValueRule;
constexpr std::uint16_t kText = 1024;
constexpr std::uint16_t kWord = 4;

// clang-format off
constexpr std::array<RequestRow, static_cast<std::size_t>(Request::Count)> kCatalogue = {{
    // id                          code last rule          value   idx len    shape           operation                   field                           message
    {R::ReadPanelStatus,             9,  9, V::Fixed,          0x0000, 1, kText, S::Text,        "ReadPanelStatus",           nullptr,                        0},
    {R::ReadSuppliesInfo,           13, 13, V::Fixed,          0x0100, 0, kText, S::Text,        "ReadMachineInfo",           nullptr,                        0},
    {R::ReadCountersInfo,           13, 13, V::Fixed,          0x0200, 0, kText, S::Text,        "ReadMachineInfo",           nullptr,                        0},
    {R::ReadMachineSettingsInfo,    13, 13, V::Fixed,          0x0300, 0, kText, S::Text,        "ReadMachineInfo",           nullptr,                        0},
    {R::ReadAdjustmentsInfo,        13, 13, V::Fixed,          0x0400, 0, kText, S::Text,        "ReadMachineInfo",           nullptr,                        0},
    {R::ChangeToner,                14, 14, V::Fixed,          0x0000, 1, kWord, S::Command,     "ChangeToner",               nullptr,                        msg::kCommandSent},
    {R::EjectAllToner,              14, 14, V::Fixed,          0x0100, 1, kWord, S::Command,     "EjectAllToner",             nullptr,                        msg::kEjectSent},
    {R::PhCleanUp,                  14, 14, V::Fixed,          0x0200, 1, kWord, S::Command,     "PhCleanUp",                 nullptr,                        msg::kCommandSent},
    {R::SetTonerOutStop,            15, 15, V::Parameter,      0,      1, kWord, S::Write,       "SetTonerOutStop",           nullptr,                        0},
    {R::SetEnergySaveTime,          16, 16, V::Parameter,      0,      1, kWord, S::Write,       "SetEnergySaveTime",         nullptr,                        0},
    {R::SetAutoContinue,            17, 17, V::Parameter,      0,      1, kWord, S::Write,       "SetAutoContinue",           nullptr,                        0},
    {R::StartCalibration,           18, 18, V::Fixed,          0x0000, 1, kWord, S::Command,     "StartCalibration",          nullptr,                        msg::kCalibrationSent},
    {R::SetTonerLowMessage,         19, 19, V::Parameter,      0,      1, kWord, S::Write,       "SetTonerLowMessage",        nullptr,                        0},
    {R::ReadGdiTimeout,             20, 20, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadGdiTimeout",            &AppState::gdiTimeout,          0},
    {R::WriteGdiTimeout,            21, 21, V::Parameter,      0,      1, kWord, S::Write,       "WriteGdiTimeout",           &AppState::gdiTimeout,          0},
    {R::ReadEnergySave,             22, 22, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadEnergySave",            &AppState::energySaveOn,        0},
    {R::WriteEnergySave,            23, 23, V::Parameter,      0,      1, kWord, S::Write,       "WriteEnergySave",           &AppState::energySaveOn,        0},
    {R::ReadFlicker,                24, 24, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadFlicker",               &AppState::flicker,             0},
    {R::WriteFlicker,               25, 25, V::Parameter,      0,      1, kWord, S::Write,       "WriteFlicker",              &AppState::flicker,             0},
    {R::WriteImageAdjust,           26, 26, V::Parameter,      0,      1, kWord, S::Write,       "WriteImageAdjust",          &AppState::imageAdjust,         0},
    {R::WriteTopAdjustPlain,        27, 27, V::ParameterPlus15, 0,     1, kWord, S::Write,       "WriteTopAdjustPlain",       &AppState::topAdjustPlain,      0},
    {R::WriteTopAdjustThick,        28, 28, V::ParameterPlus15, 0,     1, kWord, S::Write,       "WriteTopAdjustThick",       &AppState::topAdjustThick,      0},
    {R::WriteTopAdjustEnvelope,     29, 29, V::ParameterPlus15, 0,     1, kWord, S::Write,       "WriteTopAdjustEnvelope",    &AppState::topAdjustEnvelope,   0},
    {R::WriteLeftAdjustFront,       30, 30, V::ParameterPlus15, 0,     1, kWord, S::Write,       "WriteLeftAdjustFront",      &AppState::leftAdjustFront,     0},
    {R::WriteTransferPlain,         32, 32, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferPlain",        &AppState::transferPlainFront,  0},
    {R::WriteTransferThick1,        33, 33, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferThick1",       &AppState::transferThick1,      0},
    {R::WriteTransferThick2,        34, 34, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferThick2",       &AppState::transferThick2,      0},
    {R::WriteTransferPostcard,      35, 35, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferPostcard",     &AppState::transferPostcard,    0},
    {R::WriteTransferEnvelope,      36, 36, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferEnvelope",     &AppState::transferEnvelope,    0},
    {R::WriteTransferLabel,         37, 37, V::ParameterPlus8, 0,      1, kWord, S::Write,       "WriteTransferLabel",        &AppState::transferLabel,       0},
    {R::PrintTestPattern1,          39, 39, V::Fixed,          0x0000, 1, kWord, S::Command,     "PrintTestPattern",          nullptr,                        msg::kTestPattern1Printed},
    {R::PrintTestPattern2,          39, 39, V::Fixed,          0x0100, 1, kWord, S::Command,     "PrintTestPattern",          nullptr,                        msg::kTestPattern2Printed},
    {R::ReadTonerLowWarning,        40, 40, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadTonerLowWarning",       &AppState::tonerLowWarning,     0},
    {R::WriteTonerLowWarning,       41, 41, V::Parameter,      0,      1, kWord, S::Write,       "WriteTonerLowWarning",      &AppState::tonerLowWarning,     0},
    {R::ReadPuLowWarning,           42, 42, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadPuLowWarning",          &AppState::puLowWarning,        0},
    {R::WritePuLowWarning,          43, 43, V::Parameter,      0,      1, kWord, S::Write,       "WritePuLowWarning",         &AppState::puLowWarning,        0},
    {R::ReadPlainTemperature,       44, 44, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadPlainTemperature",      &AppState::plainTemperature,    0},
    {R::WritePlainTemperature,      45, 45, V::Choice0To2,     0,      1, kWord, S::Write,       "WritePlainTemperature",     &AppState::plainTemperature,    0},
    {R::ReadThickTemperature,       46, 46, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadThickTemperature",      &AppState::thickTemperature,    0},
    {R::WriteThickTemperature,      47, 47, V::Choice0To2,     0,      1, kWord, S::Write,       "WriteThickTemperature",     &AppState::thickTemperature,    0},
    {R::ReadEnvelopeTemperature,    48, 48, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadEnvelopeTemperature",   &AppState::envelopeTemperature, 0},
    {R::WriteEnvelopeTemperature,   49, 49, V::Choice0To2,     0,      1, kWord, S::Write,       "WriteEnvelopeTemperature",  &AppState::envelopeTemperature, 0},
    {R::ReplaceTransferRoller,      50, 50, V::Fixed,          0x0000, 1, kWord, S::Command,     "ReplaceTransferRoller",     nullptr,                        msg::kTransferRollerReplaced},
    {R::ReplaceFuserUnit,           51, 51, V::Fixed,          0x0000, 1, kWord, S::Command,     "ReplaceFuserUnit",          nullptr,                        msg::kFuserReplaced},
    {R::ReadJamCounter,             53, 53, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadJamCounter",            &AppState::jamCounter,          0},
    {R::ReadTroubleCounter,         54, 54, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadTroubleCounter",        &AppState::troubleCounter,      0},
    {R::ReadInfoValueBlock1,        55, 68, V::Fixed,          0x0000, 1, kWord, S::SilentValue, "ReadInfoValueBlock1",       nullptr,                        0},
    {R::ReadInfoValueBlock2,        69, 78, V::Fixed,          0x0000, 1, kWord, S::SilentValue, "ReadInfoValueBlock2",       nullptr,                        0},
    {R::ReadMachineVariant,         80, 80, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadMachineVariant",        nullptr,                        0},
    {R::ReadTransferBeltCounter,    81, 81, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadTransferBeltCounter",   &AppState::transferBeltCounter, 0},
    {R::ReadDrumUnitCounter,        82, 82, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadDrumUnitCounter",       &AppState::drumUnitCounter,     0},
    {R::ReadTransferRollerCounter,  83, 83, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadTransferRollerCounter", &AppState::transferRollerCounter, 0},
    {R::ReadFuserUnitCounter,       84, 84, V::Fixed,          0x0000, 1, kWord, S::Value,       "ReadFuserUnitCounter",      &AppState::fuserUnitCounter,    0},
    {R::ImageRefresh,               85, 85, V::Fixed,          0x0000, 1, kWord, S::Unexamined,  "ImageRefresh",              nullptr,                        0},
}};
// clang-format on

constexpr bool RowsInEnumOrder() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        if (static_cast<std::size_t>(kCatalogue[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInEnumOrder(), "the catalogue is indexed by Request");

// Every request carries index 1 but the information reply's (index 0); text replies ask for the
// 1024-byte buffer, every other reply for 4 bytes; only a command has a message of its own, and
// every value read but the machine variant stores into a page field.
constexpr bool RowsFollowTheirShapes() {
    for (const RequestRow& row : kCatalogue) {
        const bool text = row.shape == Shape::Text;
        if (row.index != (row.code == 13 ? 0 : 1) || row.length != (text ? kText : kWord) ||
            (row.successMessage != 0) != (row.shape == Shape::Command) ||
            (row.shape == Shape::Value && row.id != Request::ReadMachineVariant &&
             row.field == nullptr) ||
            row.lastCode < row.code) {
            return false;
        }
    }
    return true;
}
static_assert(RowsFollowTheirShapes(), "a row disagrees with its shape");

// A code belongs to one row only (request 13 and the commands 14 and 39 share theirs across
// rows of the same code; the value blocks cover code ranges that no other row touches).
constexpr bool CodeRangesApart() {
    for (const RequestRow& a : kCatalogue) {
        for (const RequestRow& b : kCatalogue) {
            const bool overlap = a.code <= b.lastCode && b.code <= a.lastCode;
            if (&a != &b && overlap && (a.code != b.code || a.lastCode != b.lastCode)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(CodeRangesApart(), "two rows claim the same request code");

}  // namespace

std::span<const RequestRow> RequestCatalogue() {
    return kCatalogue;
}

const RequestRow& CatalogueRow(Request id) {
    return kCatalogue[static_cast<std::size_t>(id)];
}

const RequestRow* FindCatalogueRow(std::uint8_t code) {
    for (const RequestRow& row : kCatalogue) {
        if (code >= row.code && code <= row.lastCode) {
            return &row;
        }
    }
    return nullptr;
}

std::uint16_t RequestValue(const RequestRow& row, std::int32_t parameter) {
    std::int32_t shifted = parameter;
    switch (row.rule) {
        case ValueRule::Fixed:
            return row.value;
        case ValueRule::Parameter:
        case ValueRule::Choice0To2:
            break;
        case ValueRule::ParameterPlus15:
            shifted += 15;
            break;
        case ValueRule::ParameterPlus8:
            shifted += 8;
            break;
    }
    return static_cast<std::uint16_t>((static_cast<std::uint32_t>(shifted) & 0xFFu) << 8);
}

bool RequestSendsParameter(const RequestRow& row, std::int32_t parameter) {
    return row.rule != ValueRule::Choice0To2 || (parameter >= 0 && parameter <= 2);
}

}  // namespace rpanel
