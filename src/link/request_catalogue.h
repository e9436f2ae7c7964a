// Every vendor request the program sends, as one table. The operations of request_ops.h are
// made from its rows; a request code that is not in the table is never sent.
#pragma once

#include <cstdint>
#include <span>

#include "core/app_state.h"

namespace rpanel {

// What a request's reply is and what the program does with it.
enum class Shape {
    Text,         // a text reply of up to 1024 bytes for a parser; message 25 when none came
    Value,        // a 32-bit value into an AppState field; message 25 when none came
    SilentValue,  // a 32-bit value into a slot, no message
    Write,        // a setting, confirmed by the acknowledgement; the page's group reports
    Command,      // a printer command: its own message if acknowledged, else message 25
    Unexamined,   // sent for its effect; the reply is not looked at and nothing is shown
};

// How the 16-bit value is formed. Settings travel in the high byte.
enum class ValueRule {
    Fixed,            // the row's value
    Parameter,        // parameter * 256
    ParameterPlus15,  // (parameter + 15) * 256: top and left adjustments, -15..+15
    ParameterPlus8,   // (parameter + 8) * 256: transfer power, -8..+8
    // parameter * 256 for the choices 0, 1 and 2 (the fuser temperatures 0, -5, -10); any
    // other choice is not sent at all and counts as not acknowledged.
    Choice0To2,
};

enum class Request : std::uint8_t {
    ReadPanelStatus,
    ReadSuppliesInfo,
    ReadCountersInfo,
    ReadMachineSettingsInfo,
    ReadAdjustmentsInfo,
    ChangeToner,
    EjectAllToner,
    PhCleanUp,
    SetTonerOutStop,
    SetEnergySaveTime,
    SetAutoContinue,
    StartCalibration,
    SetTonerLowMessage,
    ReadGdiTimeout,
    WriteGdiTimeout,
    ReadEnergySave,
    WriteEnergySave,
    ReadFlicker,
    WriteFlicker,
    WriteImageAdjust,
    WriteTopAdjustPlain,
    WriteTopAdjustThick,
    WriteTopAdjustEnvelope,
    WriteLeftAdjustFront,
    WriteTransferPlain,
    WriteTransferThick1,
    WriteTransferThick2,
    WriteTransferPostcard,
    WriteTransferEnvelope,
    WriteTransferLabel,
    PrintTestPattern1,
    PrintTestPattern2,
    ReadTonerLowWarning,
    WriteTonerLowWarning,
    ReadPuLowWarning,
    WritePuLowWarning,
    ReadPlainTemperature,
    WritePlainTemperature,
    ReadThickTemperature,
    WriteThickTemperature,
    ReadEnvelopeTemperature,
    WriteEnvelopeTemperature,
    ReplaceTransferRoller,
    ReplaceFuserUnit,
    ReadJamCounter,
    ReadTroubleCounter,
    ReadInfoValueBlock1,
    ReadInfoValueBlock2,
    ReadMachineVariant,
    ReadTransferBeltCounter,
    ReadDrumUnitCounter,
    ReadTransferRollerCounter,
    ReadFuserUnitCounter,
    ImageRefresh,
    Count
};

struct RequestRow {
    Request id;
    std::uint8_t code;
    std::uint8_t lastCode;  // a row covers the codes code..lastCode (the value blocks)
    ValueRule rule;
    std::uint16_t value;  // for ValueRule::Fixed
    std::uint16_t index;
    std::uint16_t length;
    Shape shape;
    const char* operation;
    // The AppState field a value read stores into, or a setting write sends; else null.
    std::int32_t AppState::*field;
    // String number shown when a command is acknowledged; 0 for the other shapes.
    int successMessage;
};

std::span<const RequestRow> RequestCatalogue();
const RequestRow& CatalogueRow(Request id);
// The row a request code belongs to; null for a code the program never sends.
const RequestRow* FindCatalogueRow(std::uint8_t code);

// The value sent for a row: its fixed value, or the parameter placed by the row's rule (only
// the low 8 bits of the shifted parameter reach the printer).
std::uint16_t RequestValue(const RequestRow& row, std::int32_t parameter = 0);

// Whether a setting with this parameter is sent at all (see ValueRule::Choice0To2).
bool RequestSendsParameter(const RequestRow& row, std::int32_t parameter);

}  // namespace rpanel
