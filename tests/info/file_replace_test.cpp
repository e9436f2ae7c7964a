// Saving through the one writer that the viewer's "Save" and rpanelctl info --ini share: what
// becomes of whatever is at the chosen path, and what the user is told when it stays.
#include "info/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/string_table.h"
#include "support/cli_run.h"
#include "support/disk_faults.h"

namespace rpanel {
namespace {

namespace fs = std::filesystem;

constexpr char kOld[] = "[Old]\r\nKeep=me\r\n";
constexpr char kNew[] = "[New]\r\nKey=value\r\n\r\n[Other]\r\nKey=value\r\n";

void WriteOld(const fs::path& path, mode_t mode) {
    std::ofstream(path, std::ios::binary) << kOld;
    ::chmod(path.c_str(), mode);
}

const std::string kLongName = std::string(246, 'n') + ".INI";  // 250 characters

struct FileCase {
    const char* name;
    // Makes what is there before the save; answers the name chosen, in folder.
    std::string (*make)(const fs::path& folder);
    bool ordinaryUser;    // saved with an ordinary user's permissions
    bool fullDisk;        // no file can grow past 16 bytes
    const char* failure;  // the reason the user is given after the path; nullptr: saved
    const char* file;     // where the contents are looked for afterwards
    mode_t type;          // what that is afterwards (S_IFREG: a file, with mode below)
    mode_t mode;          // its permissions afterwards; 0: not looked at
    const char* alsoSee;  // a further name that must show the same contents (a hard link)
    const char* link;     // a name that must still be a symbolic link
    int entries;          // in the folder afterwards: no temporary file left behind
};

// clang-format off
const FileCase kFileCases[] = {
    {"new file", [](const fs::path&) { return std::string("saved.INI"); },
     false, false, nullptr, "saved.INI", S_IFREG, 0, nullptr, nullptr, 1},
    {"existing file", [](const fs::path& f) { WriteOld(f / "saved.INI", 0644); return std::string("saved.INI"); },
     false, false, nullptr, "saved.INI", S_IFREG, 0644, nullptr, nullptr, 1},
    {"private file keeps 0600", [](const fs::path& f) { WriteOld(f / "saved.INI", 0600); return std::string("saved.INI"); },
     false, false, nullptr, "saved.INI", S_IFREG, 0600, nullptr, nullptr, 1},
    {"symbolic link: the target is written", [](const fs::path& f) {
         WriteOld(f / "target.INI", 0640);
         fs::create_symlink("target.INI", f / "saved.INI");
         return std::string("saved.INI"); },
     false, false, nullptr, "target.INI", S_IFREG, 0640, nullptr, "saved.INI", 2},
    {"link to a file not there yet", [](const fs::path& f) {
         fs::create_symlink("later.INI", f / "saved.INI");
         return std::string("saved.INI"); },
     false, false, nullptr, "later.INI", S_IFREG, 0, nullptr, "saved.INI", 2},
    {"hard link: written in place", [](const fs::path& f) {
         WriteOld(f / "other.INI", 0644);
         fs::create_hard_link(f / "other.INI", f / "saved.INI");
         return std::string("saved.INI"); },
     false, false, nullptr, "saved.INI", S_IFREG, 0644, "other.INI", nullptr, 2},
    {"250-character name", [](const fs::path& f) { WriteOld(f / kLongName, 0644); return kLongName; },
     false, false, nullptr, kLongName.c_str(), S_IFREG, 0644, nullptr, nullptr, 1},
    {"another user's writable file keeps its owner", [](const fs::path& f) {
         WriteOld(f / "saved.INI", 0666);
         return std::string("saved.INI"); },
     true, false, nullptr, "saved.INI", S_IFREG, 0666, nullptr, nullptr, 1},
    {"folder not writable, file writable: written in place", [](const fs::path& f) {
         WriteOld(f / "saved.INI", 0666);
         ::chmod(f.c_str(), 0555);
         return std::string("saved.INI"); },
     true, false, nullptr, "saved.INI", S_IFREG, 0666, nullptr, nullptr, 1},
    {"read-only file", [](const fs::path& f) { WriteOld(f / "saved.INI", 0444); return std::string("saved.INI"); },
     true, false, "Permission denied", "saved.INI", S_IFREG, 0444, nullptr, nullptr, 1},
    {"read-only file in a read-only folder", [](const fs::path& f) {
         WriteOld(f / "saved.INI", 0644);
         ::chmod(f.c_str(), 0555);
         return std::string("saved.INI"); },
     true, false, "Permission denied", "saved.INI", S_IFREG, 0644, nullptr, nullptr, 1},
    {"full disk", [](const fs::path& f) { WriteOld(f / "saved.INI", 0644); return std::string("saved.INI"); },
     false, true, "File too large", "saved.INI", S_IFREG, 0644, nullptr, nullptr, 1},
    {"full disk, hard link", [](const fs::path& f) {
         WriteOld(f / "other.INI", 0644);
         fs::create_hard_link(f / "other.INI", f / "saved.INI");
         return std::string("saved.INI"); },
     false, true, "File too large", "saved.INI", S_IFREG, 0644, "other.INI", nullptr, 2},
    {"folder that is not there", [](const fs::path&) { return std::string("missing/saved.INI"); },
     false, false, "No such file or directory", "missing", 0, 0, nullptr, nullptr, 0},
    // Opening a pipe for writing would wait for a reader for ever.
    {"named pipe", [](const fs::path& f) { ::mkfifo((f / "saved.INI").c_str(), 0666); return std::string("saved.INI"); },
     false, false, "Not a regular file", "saved.INI", S_IFIFO, 0, nullptr, nullptr, 1},
    {"folder", [](const fs::path& f) { fs::create_directory(f / "saved.INI"); return std::string("saved.INI"); },
     false, false, "Not a regular file", "saved.INI", S_IFDIR, 0, nullptr, nullptr, 1},
    // As /dev/null is; only root may make one.
    {"device", [](const fs::path& f) {
         ::mknod((f / "null").c_str(), S_IFCHR | 0666, makedev(1, 3));
         return std::string("null"); },
     false, false, "Not a regular file", "null", S_IFCHR, 0, nullptr, nullptr, 1},
};
// clang-format on

void PrintTo(const FileCase& c, std::ostream* out) {
    *out << c.name;
}

class FileReplaceTest : public ::testing::TestWithParam<FileCase> {
protected:
    void SetUp() override {
        SelectLanguage(kEnglishUnitedStates);
        fs::remove_all(folder);
        fs::create_directories(folder);
        ::chmod(folder.c_str(), 0777);
    }
    void TearDown() override {
        ::chmod(folder.c_str(), 0777);
        fs::remove_all(folder);
    }

    // A folder of its own for each case: ctest runs them side by side.
    static fs::path CaseFolder() {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        return fs::path(::testing::TempDir()) / ("file-replace-" + name);
    }
    const fs::path folder = CaseFolder();
};

TEST_P(FileReplaceTest, KeepsTheFileWhatItWasOrRefusesAndSaysWhy) {
    const FileCase& c = GetParam();
    if (c.ordinaryUser && !test::OrdinaryUserFiles::Stop()) {
        GTEST_SKIP() << "running as root, and setfsuid could not take an ordinary user's identity";
    }
    const std::string path = (folder / c.make(folder)).string();
    const fs::path file = folder / c.file;
    struct stat before {};
    const bool existed = ::stat(file.c_str(), &before) == 0;
    if (c.type == S_IFCHR && !existed) {
        GTEST_SKIP() << "only root makes device nodes";
    }

    std::string failure;
    bool saved = false;
    ::alarm(10);  // a save that hangs ends the test program instead of waiting for ever
    if (c.fullDisk) {
        const test::FullDisk full(16);
        saved = ReplaceFileContents(path, kNew, &failure);
    } else if (c.ordinaryUser) {
        const test::OrdinaryUserFiles user;
        saved = ReplaceFileContents(path, kNew, &failure);
    } else {
        saved = ReplaceFileContents(path, kNew, &failure);
    }
    ::alarm(0);

    EXPECT_EQ(saved, c.failure == nullptr);
    EXPECT_EQ(failure, c.failure == nullptr ? "" : path + ": " + c.failure);
    struct stat after {};
    ASSERT_EQ(::lstat(file.c_str(), &after) == 0, c.type != 0);
    if (c.type != 0) {
        EXPECT_EQ(after.st_mode & S_IFMT, c.type);
    }
    if (c.type == S_IFREG) {
        const std::string expected = saved ? kNew : kOld;
        EXPECT_EQ(test::ReadFileBytes(file), expected);
        if (c.alsoSee != nullptr) {
            EXPECT_EQ(test::ReadFileBytes(folder / c.alsoSee), expected);
        }
        if (c.mode != 0) {
            EXPECT_EQ(after.st_mode & 07777, c.mode);
        }
        if (existed) {
            EXPECT_EQ(after.st_uid, before.st_uid);
            EXPECT_EQ(after.st_gid, before.st_gid);
        }
    }
    if (c.link != nullptr) {
        EXPECT_TRUE(fs::is_symlink(folder / c.link));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), c.entries);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileReplaceTest, ::testing::ValuesIn(kFileCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name)) {
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace rpanel
