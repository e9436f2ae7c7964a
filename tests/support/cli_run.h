// Runs rpanelctl in-process and keeps what it printed, its exit status and what the simulated
// machine saw.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "link/sim/sim_platform.h"

namespace rpanel::test {

struct CliOutcome {
    int status = -1;
    std::string out;
    std::string err;
    int leftOpen = -1;  // handles, device sets and registry keys still open afterwards
    int timeouts = -1;  // transfers the simulated machine let time out
    std::chrono::milliseconds waited{-1};
};

// Arguments written as one line split at spaces, or one by one.
struct Args : std::vector<std::string> {
    Args(const char* line) {
        std::istringstream words(line);
        assign(std::istream_iterator<std::string>(words), {});
    }
    Args(std::initializer_list<std::string> args) : std::vector<std::string>(args) {}
};

inline CliOutcome RunRpanelctl(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliOutcome outcome;
    CliHooks hooks;
    hooks.afterSimulatedCommand = [&outcome](const SimPlatform& sim) {
        outcome.leftOpen =
            sim.OpenHandleCount() + sim.OpenDeviceSetCount() + sim.OpenRegistryKeyCount();
        outcome.timeouts = sim.Timeouts();
        outcome.waited = sim.WaitedFor();
    };
    outcome.status = RunCli(args, out, err, hooks);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A file in the test's scratch folder, named after the test, removed afterwards; with content,
// written at once (a scenario for rpanelctl --simulate, say).
class ScratchFile {
public:
    explicit ScratchFile(const std::string& suffix, std::optional<std::string> content = {}) {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        path_ = std::filesystem::path(::testing::TempDir()) / (test + "-" + suffix);
        std::filesystem::remove(path_);
        if (content) {
            Write(*content);
        }
    }
    ~ScratchFile() { std::filesystem::remove(path_); }

    std::string path() const { return path_.string(); }
    void Write(const std::string& content) const {
        std::ofstream(path_, std::ios::binary) << content;
    }

private:
    std::filesystem::path path_;
};

}  // namespace rpanel::test
