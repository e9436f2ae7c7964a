// The INI export against failing disks: a folder that may not be written, a file that may not
// be written, a disk that is full. Each time the file that was there stays as it was, nothing
// else is left behind, and the user is told.
//
// Root passes every permission check, and the tests run as root in CI: the writes that
// permissions must stop are made with the file-system identity of an ordinary user
// (setfsuid/setfsgid, this thread only). A full disk is a file-size limit, with the signal
// that the limit raises ignored so that the write fails instead of ending the process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>

#include "campaign_commands.h"
#include "info/ini_export.h"
#include "support/recording_messages.h"

namespace rpanel::campaign {
namespace {

namespace fs = std::filesystem;

constexpr char kPreviousBytes[] = "[Previous]\r\nKeep=me\r\n";

// The ids of nobody and nogroup.
constexpr uid_t kOrdinaryUser = 65534;
constexpr gid_t kOrdinaryGroup = 65534;

std::string FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Files are opened with an ordinary user's permissions for as long as it lives. For a user who
// is not root nothing changes: their own permissions apply.
class OrdinaryUserFiles {
public:
    OrdinaryUserFiles()
        : previousGroup_(setfsgid(kOrdinaryGroup)), previousUser_(setfsuid(kOrdinaryUser)) {}
    ~OrdinaryUserFiles() {
        setfsuid(previousUser_);
        setfsgid(previousGroup_);
    }
    OrdinaryUserFiles(const OrdinaryUserFiles&) = delete;
    OrdinaryUserFiles& operator=(const OrdinaryUserFiles&) = delete;

    // Whether permissions now stop this thread (setfsuid answers the identity in force).
    static bool Stopped() { return geteuid() != 0 || setfsuid(static_cast<uid_t>(-1)) != 0; }

private:
    int previousGroup_;
    int previousUser_;
};

// The disk is full once a file reaches this size; the export is larger.
constexpr rlim_t kFullAt = 512;

class FullDisk {
public:
    FullDisk() : previousSignal_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit full = previous_;
        full.rlim_cur = kFullAt;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous_{};
    sighandler_t previousSignal_;
};

constexpr fs::perms kReadOnlyFile =
    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr fs::perms kReadOnlyFolder =
    kReadOnlyFile | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

struct DiskFault {
    const char* name;
    fs::perms folder;
    std::optional<fs::perms> file;  // nullopt: as it was written
    // The disk is full; otherwise permissions stop the write, for an ordinary user.
    bool full;
};

const DiskFault kDiskFaults[] = {
    {"read-only folder", kReadOnlyFolder, std::nullopt, false},
    // The folder lets anybody create and rename files: only the file itself says no.
    {"read-only file", fs::perms::all, kReadOnlyFile, false},
    {"full disk", fs::perms::all, std::nullopt, true},
};

bool SaveUnder(const DiskFault& fault, const std::function<bool()>& save) {
    if (fault.full) {
        FullDisk full;
        return save();
    }
    OrdinaryUserFiles user;
    return save();
}

TEST(FaultCampaign, TheIniExportKeepsThePreviousFileOnAFailingDiskAndSaysSo) {
    bool permissionsStop = false;
    {
        OrdinaryUserFiles probe;
        permissionsStop = OrdinaryUserFiles::Stopped();
    }
    const ViewerTexts texts = LabelTexts();
    ASSERT_GT(InfoIniBytes(texts).size(), kFullAt) << "the export must not fit the full disk";
    int cases = 0;
    for (const DiskFault& fault : kDiskFaults) {
        if (!fault.full && !permissionsStop) {
            std::cout << "skipped (INI export): " << fault.name
                      << ": running as root, and setfsuid could not take an ordinary user's "
                         "identity, so permissions cannot stop a write"
                      << std::endl;
            continue;
        }
        const fs::path folder =
            fs::path(CampaignIniPath()).parent_path() / ("disk-" + std::to_string(cases++));
        const fs::path file = folder / "saved.INI";
        fs::create_directories(folder);
        std::ofstream(file, std::ios::binary) << kPreviousBytes;
        if (fault.file) {
            fs::permissions(file, *fault.file);
        }
        fs::permissions(folder, fault.folder);

        test::RecordingMessages messages;
        const bool saved =
            SaveUnder(fault, [&] { return ExportInfoToIni(messages, texts, file.string()); });

        Outcome actual;
        actual.messages = messages.shown;
        actual.fields = {
            {"export answers", saved ? "saved" : "not saved"},
            {"previous file", FileBytes(file) == kPreviousBytes ? "as it was" : "changed"},
            {"other files in the folder",
             std::to_string(std::distance(fs::directory_iterator(folder), {}) - 1)},
        };
        Outcome expected;
        expected.messages = {msg::kIniNotWritten};
        expected.fields = {
            {"export answers", "not saved"},
            {"previous file", "as it was"},
            {"other files in the folder", "0"},
        };
        EXPECT_EQ(Differences(expected, actual), std::vector<std::string>{}) << fault.name;
        fs::permissions(folder, fs::perms::all);
        fs::remove_all(folder);
    }
}

}  // namespace
}  // namespace rpanel::campaign
