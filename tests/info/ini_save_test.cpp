// Saving the INI file: the export, the INI writer under it, and the one writer of files that the
// viewer's "Save" and rpanelctl info --ini share, with what becomes of whatever is at the chosen
// path and what the user is told when it stays. The full export through the viewer's "Save",
// a cancelled save and the message of a failed one are checked in info_viewer_dialog_test.cpp,
// against the hand-written file of the demo printer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>

#include "core/string_table.h"
#include "info/file_replace.h"
#include "info/info_blocks.h"
#include "info/ini_export.h"
#include "info/private_profile.h"
#include "support/cli_run.h"
#include "support/disk_faults.h"

namespace rpanel {
namespace {

namespace fs = std::filesystem;

// Texts as another language might give them (only the named controls set), and the sections
// of the export they make, each from its header to the next one or the end.
TEST(InfoIniBytes, SharesAnEntryBetweenEqualLabelsAndCutsTextsTo255Characters) {
    const std::string s(255, 's'), k(255, 'k'), v(255, 'v'), t(254, 't');
    ViewerTexts texts;
    // Labels that the language gives the same text share one entry.
    // clang-format off
    texts[static_cast<std::size_t>(InfoPage::Paper)].controls = {
        {1126, "Type"}, {1143, "Thick"}, {1145, "1"}, {1144, "THICK"}, {1146, "2"}, {1152, "Labels"}};
    // clang-format on
    // Texts are cut as the viewer hands them over.
    texts[static_cast<std::size_t>(InfoPage::Coverage)].controls = {
        {1090, s + "s"}, {1091, k + "kk"}, {1094, v + "vvv"}, {1093, "Total"}, {1096, t}};
    const std::string bytes = InfoIniBytes(texts);
    // The paper types are the last section.
    EXPECT_TRUE(bytes.ends_with("\r\n[Type]\r\n=\r\nThick=2\r\nLabels=\r\n\r\n"));
    EXPECT_NE(bytes.find("\r\n[" + s + "]\r\n" + k + "=" + v + "\r\n=\r\nTotal=" + t + "\r\r\n["),
              std::string::npos);
}

TEST(SuggestedIniFileName, IsTheSerialNumberWithTheExtension) {
    AppState state;
    EXPECT_EQ(SuggestedIniFileName(state, kIniExtension), ".INI") << "no blocks";
    InfoBlocks blocks(state, ValueBlocks::Without);
    EXPECT_EQ(SuggestedIniFileName(state, kIniExtension), ".INI");
    std::strcpy(state.configMachine[0].text, "AB123");
    EXPECT_EQ(SuggestedIniFileName(state, kIniExtension), "AB123.INI");
    std::strcpy(state.configMachine[0].text, "../A\\B");
    EXPECT_EQ(SuggestedIniFileName(state, kIniExtension), ".._A_B.INI");
}

// The INI writer the export uses: the writes, (section, key, value) one by one, and the bytes.
TEST(PrivateProfile, WritesEachSectionAndKeyOnceWhereItWasFirstWritten) {
    // clang-format off
    const std::pair<std::vector<std::array<std::string, 3>>, std::string> cases[] = {
        {{{"A", "one", "1"}, {"B", "two", "2"}, {"A", "three", "3"}},
         "[A]\r\none=1\r\nthree=3\r\n[B]\r\ntwo=2\r\n"},
        // A repeated key gets the new value in its place.
        {{{"Sec", "Key", "1"}, {"Sec", "Other", "2"}, {"SEC", "key", "3"}},
         "[Sec]\r\nKey=3\r\nOther=2\r\n"},
        // A value ending in CR LF leaves an empty line that goes with it.
        {{{"S", "a", "1\r\n"}, {"T", "b", "2"}}, "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n"},
        {{{"S", "a", "1\r\n"}, {"T", "b", "2"}, {"S", "a", "9"}}, "[S]\r\na=9\r\n[T]\r\nb=2\r\n"},
        // Names lose their outer blanks; values keep everything.
        {{{" Sec\t", "Total Faces Counter:    ", " v "}, {"Sec", "  ", " x\t"}},
         "[Sec]\r\nTotal Faces Counter:= v \r\n= x\t\r\n"},
        {{{"Sec", "Total Faces Counter:    ", " v "}, {"Sec", "Total Faces Counter:", ""}},
         "[Sec]\r\nTotal Faces Counter:=\r\n"},
        // Only ASCII letters are matched without regard to case: 8-bit upper and lower case
        // stay apart.
        {{{"\xC4rger", "k", "1"}, {"\xE4rger", "k", "2"}, {"\xC4RGER", "K", "3"}},
         "[\xC4rger]\r\nk=3\r\n[\xE4rger]\r\nk=2\r\n"},
    };
    // clang-format on
    for (const auto& [writes, bytes] : cases) {
        PrivateProfile profile;
        for (const auto& [section, key, value] : writes) {
            profile.Write(section, key, value);
        }
        EXPECT_EQ(profile.Bytes(), bytes);
    }
}

constexpr char kOld[] = "[Old]\r\nKeep=me\r\n";
constexpr char kNew[] = "[New]\r\nKey=value\r\n\r\n[Other]\r\nKey=value\r\n";
const std::string kLong = std::string(246, 'n') + ".INI";  // 250 characters

// Makes what stands in the folder before the save, with the shell's commands and old, which
// writes the old contents to a file and gives it the permissions named.
void Make(const fs::path& folder, const std::string& commands) {
    const std::string old = "old() { printf '[Old]\\r\\nKeep=me\\r\\n' >\"$1\"; chmod $2 \"$1\"; }";
    ASSERT_EQ(std::system(("cd '" + folder.string() + "' && " + old + " && " + commands).c_str()),
              0);
}

// The folder afterwards, name by name: "name:644" a file with its permissions ("=new" once it
// holds the new contents), "name>target" a symbolic link, "name|" a named pipe, "name/" a folder,
// "name!" a device; "~" after a name that the test's own user and group do not own.
std::string Listing(const fs::path& folder) {
    std::ostringstream out;
    for (const fs::path& path : std::set<fs::path>(fs::directory_iterator{folder}, {})) {
        struct stat status {};
        ::lstat(path.c_str(), &status);
        const mode_t type = status.st_mode & S_IFMT;
        const bool owned = status.st_uid == ::geteuid() && status.st_gid == ::getegid();
        out << (out.tellp() > 0 ? " " : "") << path.filename().string() << (owned ? "" : "~");
        if (type == S_IFLNK) {
            out << '>' << fs::read_symlink(path).string();
        } else if (type == S_IFREG) {
            const std::string bytes = test::ReadFileBytes(path);
            out << ':' << std::oct << (status.st_mode & 07777)
                << (bytes == kNew   ? "=new"
                    : bytes == kOld ? ""
                                    : "=other");
        } else {
            out << (type == S_IFIFO ? "|" : type == S_IFDIR ? "/" : "!");
        }
    }
    return out.str();
}

enum class As { Root, OrdinaryUser, FullDisk };  // a full disk: no file grows past 16 bytes
using enum As;

struct FileCase {
    std::string before;
    As as;
    const char* failure;  // the reason the user is given after the path; "": saved
    std::string after;
    std::string chosen = "saved.INI";
};

// clang-format off
const FileCase kFileCases[] = {
    {"true", Root, "", "saved.INI:644=new"},
    {"old saved.INI 644", Root, "", "saved.INI:644=new"},
    {"old saved.INI 600", Root, "", "saved.INI:600=new"},
    {"old target.INI 640; ln -s target.INI saved.INI", Root, "",
     "saved.INI>target.INI target.INI:640=new"},
    {"ln -s later.INI saved.INI", Root, "", "later.INI:644=new saved.INI>later.INI"},
    {"old other.INI 644; ln other.INI saved.INI", Root, "", "other.INI:644=new saved.INI:644=new"},
    {"old " + kLong + " 644", Root, "", kLong + ":644=new", kLong},
    // The user's save keeps another user's file that the user may write that user's.
    {"old saved.INI 666", OrdinaryUser, "", "saved.INI:666=new"},
    {"old saved.INI 666; chmod 555 .", OrdinaryUser, "", "saved.INI:666=new"},
    {"old saved.INI 444", OrdinaryUser, "Permission denied", "saved.INI:444"},
    {"old saved.INI 644; chmod 555 .", OrdinaryUser, "Permission denied", "saved.INI:644"},
    {"old saved.INI 644", FullDisk, "File too large", "saved.INI:644"},
    {"old other.INI 644; ln other.INI saved.INI", FullDisk, "File too large",
     "other.INI:644 saved.INI:644"},
    {"true", Root, "No such file or directory", "", "missing/saved.INI"},
    // Opening a pipe for writing would wait for a reader for ever.
    {"mkfifo saved.INI", Root, "Not a regular file", "saved.INI|"},
    {"mkdir saved.INI", Root, "Not a regular file", "saved.INI/"},
    // As /dev/null is; only root may make one.
    {"mknod null c 1 3 2>/dev/null || true", Root, "Not a regular file", "null!", "null"},
};
// clang-format on

// Root passes every permission check, and only root makes device nodes: a case that needs what
// the test cannot have is left out, and named on the output.
TEST(ReplaceFileContents, KeepsTheFileWhatItWasOrRefusesAndSaysWhy) {
    SelectLanguage(kEnglishUnitedStates);
    ::umask(022);
    const fs::path folder =
        fs::path(::testing::TempDir()) / ("file-replace-" + std::to_string(::getpid()));
    const bool ordinaryUserStopped = test::OrdinaryUserFiles::Stop();
    for (const FileCase& c : kFileCases) {
        SCOPED_TRACE(c.before);
        fs::remove_all(folder);
        fs::create_directories(folder);
        Make(folder, c.before);
        if ((c.as == OrdinaryUser && !ordinaryUserStopped) ||
            (c.chosen == "null" && Listing(folder).empty())) {
            std::cout << "left out: " << c.before << '\n';
            continue;
        }
        const std::string path = (folder / c.chosen).string();
        std::string failure;
        bool saved = false;
        ::alarm(10);  // a save that hangs ends the test program instead of waiting for ever
        {
            const auto full = c.as == FullDisk ? std::make_unique<test::FullDisk>(16) : nullptr;
            const auto user =
                c.as == OrdinaryUser ? std::make_unique<test::OrdinaryUserFiles>() : nullptr;
            saved = ReplaceFileContents(path, kNew, &failure);
        }
        ::alarm(0);
        EXPECT_EQ(saved, *c.failure == '\0');
        EXPECT_EQ(failure, saved ? "" : path + ": " + c.failure);
        EXPECT_EQ(Listing(folder), c.after);
        ::chmod(folder.c_str(), 0777);
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace rpanel
