#include "info/ini_export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "info/info_blocks.h"
#include "info/private_profile.h"
#include "support/recording_messages.h"

namespace rpanel {
namespace {

namespace fs = std::filesystem;

// The save paths that fail. The full export, through the viewer's "Save", is checked in
// info_viewer_dialog_test.cpp against the hand-written file of the demo printer.
class IniExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
    }

    // A folder of its own for each test.
    const fs::path folder =
        fs::path(::testing::TempDir()) /
        ("ini-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    test::RecordingMessages messages;
};

TEST_F(IniExportTest, AnEmptyPathWritesNothing) {
    EXPECT_TRUE(ExportInfoToIni(messages, LabelTexts(), ""));
    EXPECT_EQ(Entries(), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

// Files can grow to no byte while it lives, as on a full disk; the write then fails with
// EFBIG instead of ending the process. Unlike folder permissions this holds for root too.
class FullDisk {
public:
    FullDisk() {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = previous_;
        full.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(IniExportTest, AFileThatCannotBeWrittenIsReportedAndThePreviousOneKept) {
    EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), (folder / "missing/x.INI").string()));
    // The write fails on a full disk.
    const fs::path file = folder / "A0ED041002345.INI";
    std::ofstream(file) << "previous";
    {
        FullDisk full;
        EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), file.string()));
    }
    // The target is a folder with content: the rename fails after the new file was written.
    const fs::path target = folder / "taken.INI";
    fs::create_directories(target);
    std::ofstream(target / "inside") << "previous";
    EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), target.string()));

    EXPECT_EQ(messages.shown, std::vector<int>(3, msg::kIniNotWritten));
    for (const fs::path& kept : {file, target / "inside"}) {
        std::string text;
        std::getline(std::ifstream(kept), text);
        EXPECT_EQ(text, "previous") << kept;
    }
    EXPECT_EQ(Entries(), 2u) << "no temporary file is left behind";
}

// Texts as another language might give them; only the named controls are set.
ViewerTexts TextsWith(std::initializer_list<std::tuple<InfoPage, int, std::string>> controls) {
    ViewerTexts texts;
    for (const auto& [page, control, text] : controls) {
        texts[static_cast<std::size_t>(page)].controls[control] = text;
    }
    return texts;
}

std::string Section(const std::string& bytes, const std::string& header) {
    const std::size_t start = bytes.find("[" + header + "]\r\n");
    if (start == std::string::npos) {
        return {};
    }
    const std::size_t next = bytes.find("\r\n[", start);
    return bytes.substr(start, next == std::string::npos ? next : next + 2 - start);
}

TEST(InfoIniBytes, LabelsThatALanguageGivesTheSameTextShareOneEntry) {
    const std::string bytes = InfoIniBytes(TextsWith({
        {InfoPage::Paper, 1126, "Type"},
        {InfoPage::Paper, 1143, "Thick"},
        {InfoPage::Paper, 1145, "1"},
        {InfoPage::Paper, 1144, "THICK"},
        {InfoPage::Paper, 1146, "2"},
        {InfoPage::Paper, 1152, "Labels"},
    }));
    EXPECT_EQ(Section(bytes, "Type"), "[Type]\r\n=\r\nThick=2\r\nLabels=\r\n\r\n");
}

TEST(InfoIniBytes, TextsAreCutTo255CharactersAsTheViewerHandsThemOver) {
    const std::string bytes = InfoIniBytes(TextsWith({
        {InfoPage::Coverage, 1090, std::string(300, 's')},
        {InfoPage::Coverage, 1091, std::string(300, 'k')},
        {InfoPage::Coverage, 1094, std::string(300, 'v')},
        {InfoPage::Coverage, 1093, "Total"},
        {InfoPage::Coverage, 1096, std::string(254, 't')},
    }));
    EXPECT_EQ(Section(bytes, std::string(255, 's')),
              "[" + std::string(255, 's') + "]\r\n" + std::string(255, 'k') + "=" +
                  std::string(255, 'v') + "\r\n=\r\nTotal=" + std::string(254, 't') + "\r\r\n");
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

// The INI writer the export uses.
TEST(PrivateProfile, SectionsAndKeysKeepTheOrderOfTheirFirstWrite) {
    PrivateProfile profile;
    profile.Write("A", "one", "1");
    profile.Write("B", "two", "2");
    profile.Write("A", "three", "3");
    EXPECT_EQ(profile.Bytes(), "[A]\r\none=1\r\nthree=3\r\n[B]\r\ntwo=2\r\n");
}

TEST(PrivateProfile, ARepeatedKeyGetsTheNewValueInItsPlace) {
    PrivateProfile profile;
    profile.Write("Sec", "Key", "1");
    profile.Write("Sec", "Other", "2");
    profile.Write("SEC", "key", "3");
    EXPECT_EQ(profile.Bytes(), "[Sec]\r\nKey=3\r\nOther=2\r\n");
}

TEST(PrivateProfile, AValueEndingInCrLfLeavesAnEmptyLineThatGoesWithIt) {
    PrivateProfile profile;
    profile.Write("S", "a", "1\r\n");
    profile.Write("T", "b", "2");
    EXPECT_EQ(profile.Bytes(), "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n");
    profile.Write("S", "a", "9");
    EXPECT_EQ(profile.Bytes(), "[S]\r\na=9\r\n[T]\r\nb=2\r\n");
}

TEST(PrivateProfile, NamesLoseTheirOuterBlanksAndValuesKeepEverything) {
    PrivateProfile profile;
    profile.Write(" Sec\t", "Total Faces Counter:    ", " v ");
    profile.Write("Sec", "Total Faces Counter:", "");
    profile.Write("Sec", "  ", "x");
    EXPECT_EQ(profile.Bytes(), "[Sec]\r\nTotal Faces Counter:=\r\n=x\r\n");
}

TEST(PrivateProfile, OnlyAsciiLettersAreMatchedWithoutRegardToCase) {
    PrivateProfile profile;
    profile.Write("\xC4rger", "k", "1");  // 8-bit upper and lower case stay apart
    profile.Write("\xE4rger", "k", "2");
    profile.Write("\xC4RGER", "K", "3");
    EXPECT_EQ(profile.Bytes(), "[\xC4rger]\r\nk=3\r\n[\xE4rger]\r\nk=2\r\n");
}

}  // namespace
}  // namespace rpanel
