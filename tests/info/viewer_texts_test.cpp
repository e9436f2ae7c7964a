#include "info/viewer_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/string_table.h"
#include "info/info_blocks.h"

namespace rpanel {
namespace {

class ViewerTextsTest : public ::testing::Test {
protected:
    void SetUp() override { SelectLanguage(kEnglishUnitedStates); }

    void Set(SlotRef ref, const char* text) {
        std::strcpy(BlockOf(state, ref.kind)[ref.slot].text, text);
    }
    const std::string& Shown(InfoPage page, int control) {
        texts = LabelTexts();
        FillValueTexts(state, texts);
        return ControlText(texts, page, control);
    }

    AppState state;
    InfoBlocks blocks{state, ValueBlocks::With};
    ViewerTexts texts;
};

struct SupplyCase {
    const char* state;
    const char* remaining;
    const char* type;
    const char* shownState;
    const char* shownRemaining;
    const char* shownType;
};

TEST_F(ViewerTextsTest, SupplyRowsShowStateRemainingAndType) {
    const SupplyCase cases[] = {
        {"0", "80", "15", "UnKnown", "-", "-"},
        {"1", "87", "15", "Ready", "87%", "Standard"},
        {"2", "9", "25", "Low", "9%", "High"},
        {"3", "0", "10", "End", "0%", "Starter"},
        {"4", "1", "05", "Life End", "1%", "Starter"},
        {"1", "", "20", "Ready", "%", "-"},
        {"5", "7", "25", "", "7%", "High"},
        {"", "", "", "", "%", "-"},
        {"01", "5", "5", "", "5%", "-"},
    };
    for (const SupplyCase& c : cases) {
        Set(KeySlot("CONSUMETCSTATEC"), c.state);
        Set(KeySlot("CONSUMETCREMAINC"), c.remaining);
        Set(KeySlot("CONSUMETCTYPEC"), c.type);
        SCOPED_TRACE(std::string("state \"") + c.state + "\" type \"" + c.type + "\"");
        EXPECT_EQ(Shown(InfoPage::Supplies, 1099), c.shownState);
        EXPECT_EQ(Shown(InfoPage::Supplies, 1104), c.shownRemaining);
        EXPECT_EQ(Shown(InfoPage::Supplies, 1109), c.shownType);
    }
}

TEST_F(ViewerTextsTest, ThePhotoconductorRowShowsStateAndRemainingOnly) {
    Set(KeySlot("CONSUMEICSTATE"), "0");
    Set(KeySlot("CONSUMEICREMAIN"), "50");
    Set(KeySlot("CONSUMEICTYPE"), "15");
    EXPECT_EQ(Shown(InfoPage::Supplies, 1103), "UnKnown");
    EXPECT_EQ(Shown(InfoPage::Supplies, 1108), "-");
    Set(KeySlot("CONSUMEICSTATE"), "1");
    EXPECT_EQ(Shown(InfoPage::Supplies, 1108), "50%");
    EXPECT_EQ(texts[0].controls.count(1113), 0u);
}

TEST_F(ViewerTextsTest, ValueLinesJoinSignedEntriesInRequestOrder) {
    EXPECT_EQ(Shown(InfoPage::Counter, 1121), "0/0/0/0/0/0/0/0/0/0/0/0/0/0");
    for (std::uint32_t i = 0; i < kInfoValues1Count; ++i) {
        state.infoValues1[i] = i + 55;
    }
    state.infoValues1[13] = 0xFFFFFFFF;
    state.infoValues2[0] = 0x80000000;
    state.infoValues2[9] = 2147483647;
    EXPECT_EQ(Shown(InfoPage::Counter, 1121), "55/56/57/58/59/60/61/62/63/64/65/66/67/-1");
    EXPECT_EQ(Shown(InfoPage::Counter, 1123), "-2147483648/0/0/0/0/0/0/0/0/2147483647");
}

TEST_F(ViewerTextsTest, SwitchesAreOffOnlyForTheirExactOffText) {
    struct SwitchCase {
        SlotRef slot;
        int control;
        const char* text;
        const char* shown;
    };
    const SwitchCase cases[] = {
        {KeySlot("MACHINEAUTOCONTO"), 1147, "OFF", "Off"},
        {KeySlot("MACHINEAUTOCONTO"), 1147, "Off", "On"},
        {KeySlot("MACHINEAUTOCONTO"), 1147, "off", "On"},
        {KeySlot("MACHINEAUTOCONTO"), 1147, "", "On"},
        {KeySlot("MACHINETONEREMPTY"), 1148, "OFF", "Off"},
        {KeySlot("MACHINETONEREMPTY"), 1148, "OFF ", "On"},
        {KeySlot("TONERLOWMSG"), 1149, "0", "Off"},
        {KeySlot("TONERLOWMSG"), 1149, "00", "On"},
        {KeySlot("TONERLOWMSG"), 1149, "", "On"},
    };
    for (const SwitchCase& c : cases) {
        Set(c.slot, c.text);
        EXPECT_EQ(Shown(InfoPage::MachineSetting, c.control), c.shown)
            << c.control << " \"" << c.text << '"';
    }
}

TEST_F(ViewerTextsTest, EnergySaveShowsTheMinutesOnlyWhileItIsOn) {
    Set(KeySlot("MACHINEENERGYSAVE"), "15");
    state.energySaveOn = 0;
    EXPECT_EQ(Shown(InfoPage::MachineSetting, 1145), "Off");
    state.energySaveOn = 2;
    EXPECT_EQ(Shown(InfoPage::MachineSetting, 1145), "15");
}

TEST_F(ViewerTextsTest, AdjustmentsShowTheSignedSettingAndTheImageParameterAsText) {
    Set(KeySlot("ADJTOPPLAIN"), "20");
    Set(KeySlot("ADJTOPTHICK"), "3");
    Set(KeySlot("ADJTRANSTHICK1"), "8");
    Set(KeySlot("ADJIMAGE"), "x7");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1165), "5");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1167), "-12");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1169), "-15");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1181), "0");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1188), "-8");
    EXPECT_EQ(Shown(InfoPage::Adjustment, 1176), "x7");
}

// A control id used twice on a page would make one text hide another; a string number with no
// text would leave a label empty.
TEST(InfoPageTables, ControlsAreUniqueOnTheirPageAndEveryLabelHasAText) {
    SelectLanguage(kEnglishUnitedStates);
    for (const InfoPageTable& table : InfoPageTables()) {
        EXPECT_FALSE(LoadText(table.caption).empty());
        std::set<int> controls;
        for (const PageRow& row : table.rows) {
            if (row.label.control != 0) {
                EXPECT_TRUE(controls.insert(row.label.control).second) << row.label.control;
                EXPECT_FALSE(LoadText(row.label.text).empty()) << row.label.text;
            }
            for (const ValueControl& value : row.values) {
                if (value.control != 0) {
                    EXPECT_TRUE(controls.insert(value.control).second) << value.control;
                }
            }
        }
    }
}

}  // namespace
}  // namespace rpanel
