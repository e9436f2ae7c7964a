// The Service Mode settings (two warnings, three fuser temperatures), its six maintenance
// counters and the reports of replaced parts, written once for the desktop page and rpanelctl.
// Every command opens the printer link (message 26 and nothing sent when it does not open),
// sends its requests in a fixed order and closes the link again.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "core/setting_change.h"
#include "link/request_catalogue.h"
#include "service/setting_range.h"

namespace rpanel {

enum class ServiceModeKind {
    Warning,      // a check box: 1 ticked, 0 not
    Temperature,  // a list of TemperatureChoices
    Counter,      // a text; read, never sent
};

// One value of the page, in the order "Download" reads them and "Upload" sends the settings.
struct ServiceModeValue {
    std::string_view name;  // the AppState field, as rpanelctl names it
    ServiceModeKind kind;
    Request read;  // the catalogue row names the AppState field
    std::optional<Request> write;
    int control;
    SettingRange range;  // what the page offers; counters show whatever the printer sends
};

std::span<const ServiceModeValue> ServiceModeValues();
std::int32_t& ValueField(AppState& state, const ServiceModeValue& value);
std::int32_t ValueField(const AppState& state, const ServiceModeValue& value);

// What the page holds when it is created: both warnings on, every temperature choice 0 ("0");
// the counters are not touched.
void SetServiceModeDefaults(AppState& state);

// "Download": the eleven reads; a read that brings nothing shows message 25 and leaves its
// field, and the download goes on. Answers false when the link did not open; the names of the
// values not read go to *unread when asked.
bool DownloadServiceMode(MessageSink& messages, AppState& state,
                         std::vector<std::string_view>* unread = nullptr);

// "Upload": the five settings, each sent even after one was not acknowledged; a temperature
// choice outside 0..2 is not sent and counts as not acknowledged. Then one message: 24 when
// all were acknowledged, else 25. Answers whether all were.
bool UploadServiceMode(MessageSink& messages, AppState& state);

// Changes only the named settings: on one link, the eleven reads of "Download" (their
// messages on readMessages), then, when all five settings were read, the named values put in
// and the five sent as "Upload" sends them. The counters do not hold it up. Nothing is sent
// when a setting was not read. The names must be those of settings, the values in range.
ChangeOutcome ChangeServiceMode(MessageSink& messages, MessageSink& readMessages, AppState& state,
                                std::span<const SettingChange> changes);

enum class ReplacedPart { FuserUnit, TransferRoller };
// Request 51 (fuser unit) or 50 (transfer roller), at once; message 231 or 232 when
// acknowledged, else 25.
bool ReportReplacedPart(MessageSink& messages, ReplacedPart part);

}  // namespace rpanel
