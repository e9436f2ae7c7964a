#include "link/libusb/usb_devices.h"

#include <gtest/gtest.h>

#include <string>

namespace rpanel {
namespace {

TEST(InterfacePathText, RoundTripsThroughTheKernelsNames) {
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
}

TEST(InterfacePathText, RejectsWhatIsNotAnInterfaceName) {
    for (const char* text :
         {"", "1-2", "1-2:1", "1-2:1.", "1-:1.0", "-2:1.0", "usb1:1.0", "1-2..3:1.0", "1-2.:1.0",
          "1-2:1.0 ", " 1-2:1.0", "1-256:1.0", "1-2:1.256", "1-+2:1.0", "1-2:1.0:1.0",
          "1-1.2.3.4.5.6.7.8:1.0", "\\\\?\\usb#vid_0000&pid_0012#1#{guid}"}) {
        EXPECT_FALSE(ParseInterfacePath(text)) << text;
    }
}

TEST(StillImageNameText, ReadsTheNumberAndThePipe) {
    auto control = ParseStillImageName("\\\\.\\Usbscan0\\0");
    ASSERT_TRUE(control);
    EXPECT_EQ(control->number, 0u);
    EXPECT_EQ(control->pipe, 0u);
    auto pipe = ParseStillImageName("\\\\.\\Usbscan99\\2");
    ASSERT_TRUE(pipe);
    EXPECT_EQ(pipe->number, 99u);
    EXPECT_EQ(pipe->pipe, 2u);
    for (const char* text :
         {"\\\\.\\Usbscan0", "\\\\.\\Usbscan\\0", "\\\\.\\Usbscan0\\", "\\\\.\\Usbscan-1\\0",
          "\\\\.\\Usbscan0\\0\\1", "\\\\.\\Usbprint0\\0", "\\\\.\\Usbscan0\\x", "1-2:1.0"}) {
        EXPECT_FALSE(ParseStillImageName(text)) << text;
    }
}

TEST(HardwareIds, AreFormedAsWindowsFormsThem) {
    libusb_device_descriptor descriptor{};
    descriptor.idVendor = 0xABCD;
    descriptor.idProduct = 0x0012;
    descriptor.bcdDevice = 0x01F0;
    constexpr char kList[] = "USB\\VID_ABCD&PID_0012&REV_01F0\0USB\\VID_ABCD&PID_0012\0";
    const std::string expected(kList, sizeof kList);  // with the final NUL: an empty string
    EXPECT_EQ(HardwareIdList(descriptor), expected);
}

}  // namespace
}  // namespace rpanel
