#include "info/ini_export.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/string_table.h"
#include "info/info_blocks.h"
#include "info/info_viewer_sequence.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A folder of its own for each test, removed afterwards.
class ExportFolder {
public:
    ExportFolder() {
        path_ =
            fs::path(::testing::TempDir()) /
            ("ini-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ExportFolder() { fs::remove_all(path_); }
    fs::path operator/(const char* name) const { return path_ / name; }
    std::size_t Entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path_), {}));
    }

private:
    fs::path path_;
};

class IniExportTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
    }
    // The texts the viewer shows for the simulated printer.
    ViewerTexts ViewerOfThePrinter() {
        ViewerTexts texts;
        EXPECT_TRUE(OpenInfoViewer(
            messages, state, [&](AppState& s) { texts = InitialiseViewerTexts(messages, s); }));
        return texts;
    }
    ExportFolder folder;
};

TEST_F(IniExportTest, AFullEnglishExportHasTheExpectedBytes) {
    const ViewerTexts texts = ViewerOfThePrinter();
    const fs::path file = folder / "A0ED041002345.INI";
    EXPECT_TRUE(ExportInfoToIni(messages, texts, file.string()));
    EXPECT_EQ(ReadFile(file), ReadFile(RPANEL_INFO_TEST_DATA "/demo-printer-en-US.ini"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(folder.Entries(), 1u) << "no temporary file is left behind";
}

TEST_F(IniExportTest, AnExistingFileHoldsThisExportOnly) {
    const fs::path file = folder / "old.INI";
    std::ofstream(file, std::ios::binary)
        << "[Other]\r\nKeep=me\r\n[- Counter -]\r\nColor Faces=1\r\n";
    const ViewerTexts texts = ViewerOfThePrinter();
    EXPECT_TRUE(ExportInfoToIni(messages, texts, file.string()));
    EXPECT_EQ(ReadFile(file), InfoIniBytes(texts));
}

TEST_F(IniExportTest, AnEmptyPathWritesNothing) {
    EXPECT_TRUE(ExportInfoToIni(messages, LabelTexts(), ""));
    EXPECT_EQ(folder.Entries(), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(IniExportTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothingBehind) {
    EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), (folder / "missing/x.INI").string()));
    EXPECT_EQ(messages.shown, std::vector<int>{kIniNotWrittenMessage});
    EXPECT_EQ(LoadText(kIniNotWrittenMessage), "The INI file could not be written");

    // The target is a folder with content: the rename fails after the new file was written.
    const fs::path target = folder / "taken.INI";
    fs::create_directories(target);
    std::ofstream(target / "inside") << "previous";
    messages.shown.clear();
    EXPECT_FALSE(ExportInfoToIni(messages, LabelTexts(), target.string()));
    EXPECT_EQ(messages.shown, std::vector<int>{kIniNotWrittenMessage});
    EXPECT_EQ(ReadFile(target / "inside"), "previous");
    EXPECT_EQ(folder.Entries(), 1u) << "the temporary file is removed";
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

TEST(InfoIniBytes, SupplyValuesAreTheThreeColumnsJoined) {
    const std::string bytes = InfoIniBytes(TextsWith({
        {InfoPage::Supplies, 1088, "S"},
        {InfoPage::Supplies, 1091, "Cyan"},
        {InfoPage::Supplies, 1099, "UnKnown"},
        {InfoPage::Supplies, 1104, "-"},
        {InfoPage::Supplies, 1109, "-"},
        {InfoPage::Supplies, 1092, "Magenta"},
        {InfoPage::Supplies, 1100, "Ready"},
        {InfoPage::Supplies, 1105, "80%"},
        {InfoPage::Supplies, 1110, "Standard"},
        {InfoPage::Supplies, 1093, "Yellow"},
        {InfoPage::Supplies, 1094, "Black"},
        {InfoPage::Supplies, 1095, "PU"},
    }));
    EXPECT_EQ(
        Section(bytes, "S"),
        "[S]\r\nCyan=UnKnown, -, -\r\nMagenta=Ready, 80%, Standard\r\nYellow=, , \r\nBlack=, , \r\n"
        "PU=, \r\n\r\n");
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

}  // namespace
}  // namespace rpanel
