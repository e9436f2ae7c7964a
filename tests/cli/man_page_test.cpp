// The manual page of rpanelctl describes every option and command that the program offers.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "cli/commands.h"
#include "support/cli_run.h"

namespace rpanel {
namespace {

std::string ManPageSource() {
    return test::ReadFileBytes(std::filesystem::path(RPANEL_SOURCE_DIR) /
                               "docs/man/rpanelctl.1.scd");
}

// Every "--option" a text mentions.
std::set<std::string> OptionsIn(const std::string& text) {
    static const std::regex option("--[a-z][a-z-]*");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option);
         it != std::sregex_iterator(); ++it) {
        options.insert(it->str());
    }
    return options;
}

TEST(RpanelctlManPage, DescribesEveryCommandWithItsOptions) {
    const std::string page = ManPageSource();
    ASSERT_FALSE(page.empty()) << "docs/man/rpanelctl.1.scd not found";
    for (const CliCommand& command : CliCommands()) {
        // A command is a term of its own under COMMANDS: "*status* [*--json*]".
        const std::string term = "\n*" + std::string(command.name) + "*";
        const std::size_t at = page.find(term);
        ASSERT_NE(at, std::string::npos)
            << "document the command " << command.name << " in docs/man/rpanelctl.1.scd";
        const std::string line = page.substr(at + 1, page.find('\n', at + 1) - at - 1);
        for (const std::string& option : OptionsIn(std::string(command.arguments))) {
            EXPECT_NE(line.find("*" + option + "*"), std::string::npos)
                << "document " << command.name << " " << option << " in docs/man/rpanelctl.1.scd";
        }
    }
}

TEST(RpanelctlManPage, DescribesEveryOptionOfTheUsage) {
    const std::string page = ManPageSource();
    const test::CliOutcome help = test::RunRpanelctl({"--help"});
    EXPECT_EQ(help.status, 0);
    const std::string usage = help.out;
    const std::string options = usage.substr(0, usage.find("\ncommands:"));
    ASSERT_FALSE(OptionsIn(options).empty()) << usage;
    for (const std::string& option : OptionsIn(options)) {
        EXPECT_NE(page.find("\n*" + option + "*"), std::string::npos)
            << "document the option " << option << " in docs/man/rpanelctl.1.scd";
    }
}

}  // namespace
}  // namespace rpanel
