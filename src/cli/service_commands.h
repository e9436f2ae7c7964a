// rpanelctl user-service and service-mode: what the User Service and Service Mode pages do,
// through the same sequences.
#pragma once

#include <optional>
#include <ostream>
#include <string_view>
#include <utility>

#include "cli/cli_context.h"

namespace rpanel {

// user-service download                 the fourteen settings as NAME=VALUE lines
// user-service upload NAME=VALUE...     the current settings read, the named ones changed,
//                                       all fourteen sent back (nothing when one was not read)
// user-service test-pattern 1|2
// user-service image-refresh
int RunUserServiceCommand(CliContext& context);

// Refused (usage error, nothing sent) without --access-code and the field engineer's code.
// service-mode download                 the eleven values as NAME=VALUE lines
// service-mode upload NAME=VALUE...     the current settings read, the named ones changed,
//                                       all five sent back (nothing when one was not read)
// service-mode replace fuser|roller
int RunServiceModeCommand(CliContext& context);

// The settings of each and what they take, for COMMAND --help.
void PrintUserServiceSettings(std::ostream& out);
void PrintServiceModeSettings(std::ostream& out);

// "NAME=VALUE" as its two sides; nothing for an argument without "=" or without a name.
std::optional<std::pair<std::string_view, std::string_view>> SplitAssignment(
    std::string_view argument);

}  // namespace rpanel
