// The fault campaign runs as one program: the simulated printer, the libusb adapter against
// printers that umockdev emulates, and the INI export against failing disks. Its last line is
// the campaign's size and result.
//
// umockdev's emulated /sys and /dev only exist for a process that has libumockdev-preload
// loaded: without it, the program re-executes itself with the library preloaded (and, behind
// the preload, with AddressSanitizer's library-order check off). The opening of the panel runs
// in the main window, on Qt's offscreen platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/string_table.h"
#include "campaign_runner.h"

namespace {

constexpr char kPreload[] = "libumockdev-preload.so.0";

bool PreloadLoaded() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr;
}

void AppendOption(const char* variable, const std::string& option) {
    const char* current = std::getenv(variable);
    std::string value = current != nullptr ? current : "";
    if (value.find(option.substr(0, option.find('='))) == std::string::npos) {
        value += value.empty() ? option : ":" + option;
    }
    setenv(variable, value.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (!PreloadLoaded()) {
        const char* preload = std::getenv("LD_PRELOAD");
        std::string value = kPreload;
        if (preload != nullptr && *preload != '\0') {
            value += std::string(":") + preload;
        }
        setenv("LD_PRELOAD", value.c_str(), 1);
        AppendOption("ASAN_OPTIONS", "verify_asan_link_order=0");
        execv("/proc/self/exe", argv);
        std::perror("re-executing with libumockdev-preload");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    rpanel::SelectLanguage(rpanel::kEnglishUnitedStates);

    const int failed = RUN_ALL_TESTS();
    std::filesystem::remove_all(
        std::filesystem::path(rpanel::campaign::CampaignIniPath()).parent_path());
    const rpanel::campaign::CampaignResult& totals = rpanel::campaign::Totals();
    std::cout << "fault campaign: " << totals.cases << " cases, " << totals.mismatches
              << " mismatches" << std::endl;
    return failed != 0 || totals.mismatches != 0 ? 1 : 0;
}
