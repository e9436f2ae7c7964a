#include "link/libusb/usb_devices.h"

#include <gtest/gtest.h>

#include <string>

namespace rpanel {
namespace {

TEST(InterfacePathText, RoundTripsThroughTheKernelsNamesAndRejectsEverythingElse) {
    for (const char* text : {"1-2:1.0", "1-1.4:1.1", "3-1.2.3.4.5.6.7:2.3", "255-255:255.255"}) {
        auto path = ParseInterfacePath(text);
        ASSERT_TRUE(path) << text;
        EXPECT_EQ(FormatInterfacePath(*path), text);
    }
    auto path = ParseInterfacePath("2-1.10:1.3");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->location.bus, 2);
    EXPECT_EQ(path->location.ports, (std::vector<std::uint8_t>{1, 10}));
    EXPECT_EQ(path->configuration, 1);
    EXPECT_EQ(path->interfaceNumber, 3);

    for (const char* text :
         {"", "1-2", "1-2:1", "1-2:1.", "1-:1.0", "-2:1.0", "usb1:1.0", "1-2..3:1.0", "1-2.:1.0",
          "1-2:1.0 ", " 1-2:1.0", "1-256:1.0", "1-2:1.256", "1-+2:1.0", "1-2:1.0:1.0",
          "1-1.2.3.4.5.6.7.8:1.0", "\\\\?\\usb#vid_0000&pid_0012#1#{guid}"}) {
        EXPECT_FALSE(ParseInterfacePath(text)) << text;
    }
}

TEST(StillImageNameText, ReadsTheNumberAndThePipe) {
    auto name = ParseStillImageName("\\\\.\\Usbscan99\\2");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->number, 99u);
    EXPECT_EQ(name->pipe, 2u);
    for (const char* text :
         {"\\\\.\\Usbscan0", "\\\\.\\Usbscan\\0", "\\\\.\\Usbscan0\\", "\\\\.\\Usbscan-1\\0",
          "\\\\.\\Usbscan0\\0\\1", "\\\\.\\Usbprint0\\0", "\\\\.\\Usbscan0\\x", "1-2:1.0"}) {
        EXPECT_FALSE(ParseStillImageName(text)) << text;
    }
}

}  // namespace
}  // namespace rpanel
