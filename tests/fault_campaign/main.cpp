// The fault campaign runs as one program: the simulated printer, and the libusb adapter against
// printers that umockdev emulates. Its last line is the campaign's size and result. (The INI
// export against failing disks is in tests/info/file_replace_test.cpp.)
//
// The libusb part needs umockdev's preload; the opening of the panel runs in the main window,
// on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "campaign_runner.h"
#include "core/string_table.h"
#include "support/umockdev_preload.h"

int main(int argc, char** argv) {
    rpanel::test::EnsureUmockdevPreload(argv);
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
