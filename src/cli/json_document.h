// rpanelctl's JSON documents for scripts: every one an object with "schema" first, its keys
// named here once, in English whatever --lang says. Numbers the program computed are JSON
// numbers; the printer's own values are strings as it sent them (Latin1ToUtf8).
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

namespace rpanel {

using Json = nlohmann::ordered_json;

// Raised when a document changes in a way a script would notice.
inline constexpr int kJsonSchema = 1;

namespace json_key {
inline constexpr char kSchema[] = "schema";
// devices
inline constexpr char kDevices[] = "devices";
inline constexpr char kMember[] = "member";
inline constexpr char kInterfacePath[] = "interfacePath";
inline constexpr char kHardwareIds[] = "hardwareIds";
inline constexpr char kMatches[] = "matches";
inline constexpr char kWouldOpen[] = "wouldOpen";
// variant
inline constexpr char kVariant[] = "variant";
// status
inline constexpr char kEntries[] = "entries";
inline constexpr char kCode[] = "code";
inline constexpr char kLines[] = "lines";
// info
inline constexpr char kPages[] = "pages";
inline constexpr char kCaption[] = "caption";
inline constexpr char kControls[] = "controls";
inline constexpr char kReplies[] = "replies";
inline constexpr char kValues1[] = "values1";
inline constexpr char kValues2[] = "values2";
// downloads and defaults
inline constexpr char kSettings[] = "settings";
inline constexpr char kCounters[] = "counters";
// acting commands
inline constexpr char kOk[] = "ok";
inline constexpr char kMessage[] = "message";
inline constexpr char kText[] = "text";
inline constexpr char kUnread[] = "unread";
}  // namespace json_key

// An empty document: {"schema": 1}.
Json JsonDocument();

// The document, indented, and a line end. A translation that is not valid UTF-8 must not
// abort the output: such bytes are replaced.
void WriteJson(std::ostream& out, const Json& document);

}  // namespace rpanel
