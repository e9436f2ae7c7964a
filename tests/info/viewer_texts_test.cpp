// The value texts of the viewer's pages, from the slots as the replies left them, and the
// decoding of adjustment slots. The signed value lines are shown through the whole sequence
// (info_viewer_sequence_test.cpp).
#include "info/viewer_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "core/string_table.h"
#include "info/adjustment.h"
#include "info/info_blocks.h"
#include "info/info_pages.h"
#include "info/info_viewer_templates.h"

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

TEST_F(ViewerTextsTest, SupplyRowsShowStateRemainingAndType) {
    const struct {
        const char* state;
        const char* remaining;
        const char* type;
        const char* shownState;
        const char* shownRemaining;
        const char* shownType;
    } cases[] = {
        {"0", "80", "15", "UnKnown", "-", "-"},  // unknown: whatever remaining and type hold
        {"1", "87", "15", "Ready", "87%", "Standard"},
        {"2", "9", "25", "Low", "9%", "High"},
        {"3", "0", "10", "End", "0%", "Starter"},
        {"4", "1", "05", "Life End", "1%", "Starter"},
        {"1", "", "20", "Ready", "%", "-"},
        {"5", "7", "25", "", "7%", "High"},
        {"", "", "", "", "%", "-"},
        {"01", "5", "5", "", "5%", "-"},
    };
    for (const auto& c : cases) {
        Set(KeySlot("CONSUMETCSTATEC"), c.state);
        Set(KeySlot("CONSUMETCREMAINC"), c.remaining);
        Set(KeySlot("CONSUMETCTYPEC"), c.type);
        SCOPED_TRACE(std::string("state \"") + c.state + "\" type \"" + c.type + "\"");
        EXPECT_EQ(Shown(InfoPage::Supplies, 1099), c.shownState);
        EXPECT_EQ(Shown(InfoPage::Supplies, 1104), c.shownRemaining);
        EXPECT_EQ(Shown(InfoPage::Supplies, 1109), c.shownType);
    }
}

TEST_F(ViewerTextsTest, EachControlShowsItsSlotAsItsRowWants) {
    const struct {
        SlotRef slot;
        const char* text;
        InfoPage page;
        int control;
        const char* shown;
    } cases[] = {
        // The photoconductor row: state and remaining, no type.
        {KeySlot("CONSUMEICSTATE"), "0", InfoPage::Supplies, 1103, "UnKnown"},
        {KeySlot("CONSUMEICREMAIN"), "50", InfoPage::Supplies, 1108, "-"},
        {KeySlot("CONSUMEICSTATE"), "1", InfoPage::Supplies, 1108, "50%"},
        {KeySlot("CONSUMEICTYPE"), "15", InfoPage::Supplies, 1113, ""},
        // A switch is off only for its exact off text.
        {KeySlot("MACHINEAUTOCONTO"), "OFF", InfoPage::MachineSetting, 1147, "Off"},
        {KeySlot("MACHINEAUTOCONTO"), "Off", InfoPage::MachineSetting, 1147, "On"},
        {KeySlot("MACHINEAUTOCONTO"), "off", InfoPage::MachineSetting, 1147, "On"},
        {KeySlot("MACHINEAUTOCONTO"), "", InfoPage::MachineSetting, 1147, "On"},
        {KeySlot("MACHINETONEREMPTY"), "OFF", InfoPage::MachineSetting, 1148, "Off"},
        {KeySlot("MACHINETONEREMPTY"), "OFF ", InfoPage::MachineSetting, 1148, "On"},
        {KeySlot("TONERLOWMSG"), "0", InfoPage::MachineSetting, 1149, "Off"},
        {KeySlot("TONERLOWMSG"), "00", InfoPage::MachineSetting, 1149, "On"},
        {KeySlot("TONERLOWMSG"), "", InfoPage::MachineSetting, 1149, "On"},
        // Energy save shows the minutes only while it is on (energySaveOn, below).
        {KeySlot("MACHINEENERGYSAVE"), "15", InfoPage::MachineSetting, 1145, "15"},
        // Adjustments: the signed setting, top and left from 15, transfer powers from 8; the
        // image parameter as text.
        {KeySlot("ADJTOPPLAIN"), "20", InfoPage::Adjustment, 1165, "5"},
        {KeySlot("ADJTOPTHICK"), "3", InfoPage::Adjustment, 1167, "-12"},
        {KeySlot("ADJTRANSTHICK1"), "8", InfoPage::Adjustment, 1181, "0"},
        {KeySlot("ADJTOPENVELOPE"), "", InfoPage::Adjustment, 1169, "-15"},
        {KeySlot("ADJTRANSLABEL"), "", InfoPage::Adjustment, 1188, "-8"},
        {KeySlot("ADJIMAGE"), "x7", InfoPage::Adjustment, 1176, "x7"},
    };
    state.energySaveOn = 2;
    for (const auto& c : cases) {
        Set(c.slot, c.text);
        EXPECT_EQ(Shown(c.page, c.control), c.shown) << c.control << " \"" << c.text << '"';
    }
    state.energySaveOn = 0;
    EXPECT_EQ(Shown(InfoPage::MachineSetting, 1145), "Off");
}

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(DecodeAdjustment, ReadsTheLeadingNumberAndTakesTheOffsetAway) {
    const struct {
        std::string text;
        std::int32_t offset;
        std::int32_t setting;
    } cases[] = {
        {"20", 15, 5},
        {"3", 15, -12},
        {"", 15, -15},
        {" \t\n17", 15, 2},
        {"12mm", 15, -3},
        {"+20", 15, 5},
        {"-3", 8, -11},
        {"- 3", 8, -8},
        {"abc", 15, -15},
        {"0000000000000000000000000000020", 15, 5},
        {"99999999999", 15, kMax - 15},
        {"2147483662", 15, kMax - 15},
        {"-99999999999", 15, kMin},
        {"-2147483648", 0, kMin},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeAdjustment(c.text, c.offset), c.setting)
            << '"' << c.text << "\" offset " << c.offset;
    }
}

// Every label and value control the page tables fill stands in its page's template, and every
// label's string exists in English: a control or string the code names but no window has would
// show nothing.
TEST(InfoPageTables, EveryControlTheyFillStandsInItsPageTemplate) {
    for (std::size_t page = 0; page < kInfoPageCount; ++page) {
        const DialogTemplate& pageTemplate = *kInfoPageTemplates[page];
        const auto inTemplate = [&](int id) {
            return std::ranges::any_of(pageTemplate.controls,
                                       [id](const ControlTemplate& c) { return c.id == id; });
        };
        for (const PageRow& row : InfoPageTables()[page].rows) {
            if (row.label.control != 0) {
                EXPECT_TRUE(inTemplate(row.label.control))
                    << "page " << page << " label " << row.label.control;
                EXPECT_NE(LoadText(row.label.text), "") << row.label.text;
            }
            for (const ValueControl& value : row.values) {
                if (value.control != 0) {
                    EXPECT_TRUE(inTemplate(value.control))
                        << "page " << page << " value " << value.control;
                }
            }
        }
    }
}

}  // namespace
}  // namespace rpanel
