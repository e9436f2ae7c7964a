#include "info/ini_export.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/string_table.h"
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

// The save itself is tried against every kind of file in file_replace_test.cpp: a failure
// tells the user which file and why, below message 2001.
TEST_F(IniExportTest, AFileThatCannotBeWrittenIsReportedWithTheFileAndTheReason) {
    SelectLanguage(kEnglishUnitedStates);
    const fs::path taken = folder / "taken.INI";
    fs::create_directories(taken);
    EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), taken.string()));
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kIniNotWritten});
    EXPECT_EQ(messages.reasons, std::vector<std::string>{taken.string() + ": Not a regular file"});
    EXPECT_EQ(Entries(), 1u);
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
