#include "info/info_viewer_sequence.h"

#include <gtest/gtest.h>

#include "core/string_table.h"
#include "info/info_reply.h"
#include "link/request_catalogue.h"
#include "support/sim_fixture.h"

namespace rpanel {
namespace {

class InfoViewerSequenceTest : public test::SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        SelectLanguage(kEnglishUnitedStates);
    }
    // Opens the viewer as the panel page does; the viewer initialises itself (which needs the
    // blocks and the open link) and closes.
    bool OpenViewer() {
        return OpenInfoViewer(messages, state, [&](AppState& s) {
            ++viewerRuns;
            texts = InitialiseViewerTexts(viewerMessages, s);
        });
    }

    test::RecordingMessages viewerMessages;
    ViewerTexts texts;
    int viewerRuns = 0;
};

TEST_F(InfoViewerSequenceTest, ReadsEverythingRunsTheViewerAndGivesItAllBack) {
    EXPECT_TRUE(OpenViewer());
    // The four replies, the two value blocks code by code, and the viewer's energy-save switch.
    using enum Request;
    std::vector<std::pair<int, int>> expected, requests;
    for (const Request read :
         {ReadSuppliesInfo, ReadCountersInfo, ReadMachineSettingsInfo, ReadAdjustmentsInfo,
          ReadInfoValueBlock1, ReadInfoValueBlock2, ReadEnergySave}) {
        const RequestRow& row = CatalogueRow(read);
        for (int code = row.code; code <= row.lastCode; ++code) {
            expected.emplace_back(code, RequestValue(row));
        }
    }
    for (const SentRequest& request : sent) {
        requests.emplace_back(request.request, request.value);
    }
    EXPECT_EQ(requests, expected);
    EXPECT_EQ(viewerRuns, 1);
    EXPECT_EQ(state.configToner, nullptr);
    EXPECT_EQ(state.infoValues2, nullptr);
    EXPECT_EQ(sim.OpenHandleCount(), 0) << "the link is closed when the viewer closes";
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(viewerMessages.shown.empty());
    EXPECT_EQ(ControlText(texts, InfoPage::Supplies, 1099), "Ready");
}

// The value replies are untrusted: each entry is shown as the signed 32-bit number it holds.
TEST_F(InfoViewerSequenceTest, ValueRepliesAreShownSignedWhateverTheyHold) {
    printer.SetValue(57, 0xFFFFFFFF);
    printer.Script(60, std::nullopt, std::nullopt);  // silent: the entry stays 0
    printer.SetValue(69, 0x80000000);
    printer.Script(70, std::nullopt, std::string("\x34\x12", 2));  // short: high bytes 0
    printer.SetValue(78, 0x7FFFFFFF);
    EXPECT_TRUE(OpenViewer());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ControlText(texts, InfoPage::Counter, 1121),
              "117/217/-1/417/517/0/717/817/917/1017/1117/1217/1317/1417");
    EXPECT_EQ(ControlText(texts, InfoPage::Counter, 1123),
              "-2147483648/4660/1717/1817/1917/2017/2117/2217/2317/2147483647");
}

TEST_F(InfoViewerSequenceTest, AReplyOfTheWrongKindIsReportedAndTheOthersAreShown) {
    printer.Script(13, 0x0200, std::string("@PJL INFO CONFIGTONER\r\nCOUNTTOTAL=5\r\n"));
    EXPECT_TRUE(OpenViewer());
    EXPECT_EQ(messages.shown, std::vector<int>{msg::kNotCompatible});
    EXPECT_EQ(ControlText(texts, InfoPage::Counter, 1115), "");
    EXPECT_EQ(ControlText(texts, InfoPage::Firmware, 1153), "1.20");
}

}  // namespace
}  // namespace rpanel
