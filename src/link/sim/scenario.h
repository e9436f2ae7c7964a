// Scenario files script the simulated printer for demos and tests:
//
//   { "present": true,
//     "replies": { "9": "X=000000,204008\r\n", "13:0x0200": "...", "22": 1,
//                  "55": {"hex": "ffffffff"}, "41": "OK", "40": null },
//     "values": { "80": 2 },
//     "faults": { "unplug_after": 5, "refuse_open": "why the system will not open it" } }
//
// Reply keys are the request code in decimal, optionally ":" and the value in hex; a string
// gives its bytes, an integer a 4-byte little-endian value, {"hex": ...} raw bytes and null no
// reply. "values" sets what a value read answers until a write changes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/sim/printer_model.h"

namespace rpanel {

// Applies a scenario to the model. On a malformed scenario answers false and says why in
// *error; the model may then be partly scripted.
bool ApplyScenario(std::string_view json, PrinterModel& printer, std::string* error);

// A scenario file larger than this is refused before it is read.
inline constexpr std::uintmax_t kScenarioSizeLimit = 16u * 1024 * 1024;

// Refuses what is not a regular file, or is larger than the limit, before reading it.
bool LoadScenarioFile(const std::string& path, PrinterModel& printer, std::string* error);

}  // namespace rpanel
