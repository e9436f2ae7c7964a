// The requests of every button of the two service pages, in the order the printer gets them,
// with the message that ends each command, and the same buttons with the printer unplugged.
// Every other test of these commands relies on this one for the order. The pages are fresh, so
// the uploads send the pages' defaults.
#include <utility>

#include "page_test.h"
#include "service/service_mode_page.h"
#include "service/user_service_page.h"

namespace rpanel {
namespace {

using Sent = std::pair<int, int>;  // request code, value

enum class Page { UserService, ServiceMode };

struct Sequence {
    const char* command;
    Page page;
    int button;
    std::vector<Sent> requests;
    std::vector<int> messages;
};

std::vector<Sequence> Sequences() {
    std::vector<Sent> download = {{13, 0x0100}, {13, 0x0200}, {13, 0x0300}, {13, 0x0400},
                                  {20, 0},      {22, 0},      {24, 0}};
    std::vector<Sent> upload = {{21, 0x0600}, {23, 0x0100}, {25, 0}, {26, 0}};
    for (int code = 27; code <= 30; ++code) {
        upload.push_back({code, 0x0F00});
    }
    for (int code = 32; code <= 37; ++code) {
        upload.push_back({code, 0x0800});
    }
    std::vector<Sent> serviceDownload;
    for (int code : {40, 42, 44, 46, 48, 53, 54, 81, 82, 83, 84}) {
        serviceDownload.push_back({code, 0});
    }
    return {
        {"User Service Download", Page::UserService, 1083, download, {}},
        {"User Service Upload", Page::UserService, 1084, upload, {24}},
        {"Print Pattern 1", Page::UserService, 1091, {{39, 0x0000}}, {228}},
        {"Print Pattern 2", Page::UserService, 1093, {{39, 0x0100}}, {229}},
        {"Image Refresh", Page::UserService, 1254, {{85, 0x0000}}, {}},
        {"Service Mode Download", Page::ServiceMode, 1084, serviceDownload, {}},
        {"Service Mode Upload",
         Page::ServiceMode,
         1085,
         {{41, 0x0100}, {43, 0x0100}, {45, 0}, {47, 0}, {49, 0}},
         {24}},
        {"Fuser Unit", Page::ServiceMode, 1192, {{51, 0}}, {231}},
        {"Transfer Roller", Page::ServiceMode, 1193, {{50, 0}}, {232}},
    };
}

using ServiceSequencesTest = test::PageTest;

TEST_F(ServiceSequencesTest, EachButtonSendsItsRequestsInOrderAndNothingWhenUnplugged) {
    for (const Sequence& sequence : Sequences()) {
        SCOPED_TRACE(sequence.command);
        AppState fresh;
        UserServicePage userService(fresh, nullptr);
        ServiceModePage serviceMode(fresh, nullptr);
        const QWidget& page = sequence.page == Page::ServiceMode
                                  ? static_cast<const QWidget&>(serviceMode)
                                  : userService;
        sent.clear();
        boxes.shown.clear();

        Click(page, sequence.button);

        std::vector<Sent> requests;
        for (const SentRequest& request : sent) {
            requests.push_back({request.request, request.value});
        }
        EXPECT_EQ(requests, sequence.requests);
        EXPECT_EQ(boxes.shown, sequence.messages);
        EXPECT_EQ(sim.OpenHandleCount(), 0) << "the link is closed after the command";

        // Unplugged: the one message and nothing sent.
        printer.SetPresent(false);
        sent.clear();
        boxes.shown.clear();
        Click(page, sequence.button);
        EXPECT_TRUE(sent.empty());
        EXPECT_EQ(boxes.shown, std::vector<int>{msg::kOpenFailed});
        printer.SetPresent(true);
    }
}

}  // namespace
}  // namespace rpanel
