// The reason the user is given when the printer is attached but may not be opened.
#include "link/libusb/open_refusal.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <libusb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "emulated_usb.h"
#include "link/device_session.h"
#include "link/libusb/libusb_platform.h"
#include "link/printer_link.h"
#include "support/disk_faults.h"
#include "support/link_setup.h"

namespace rpanel {
namespace {

using namespace std::chrono_literals;
using test::EmulatedUsb;
using test::PrinterAt;

const UsbLocation kHubPort4{1, {1, 4}};

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(OpenRefusal, NamesThePrinterTheNodeTheRuleAndAGroupThatHelps) {
    const char* node = "/dev/bus/usb/001/004";
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_ACCESS, kHubPort4, node, "lp"),
              "the printer at 1-1.4 is attached but this user may not open /dev/bus/usb/001/004: "
              "install the udev rule 70-remote-panel.rules (see README, Install), load it with "
              "\"sudo udevadm control --reload && sudo udevadm trigger\" and plug the printer in "
              "again, or run as a member of group \"lp\", which owns /dev/bus/usb/001/004");
    // A group that helps nobody is not suggested.
    for (const char* group : {"", "root"}) {
        const std::string reason = DescribeOpenRefusal(LIBUSB_ERROR_ACCESS, kHubPort4, node, group);
        EXPECT_TRUE(Holds(reason, "70-remote-panel.rules")) << reason;
        EXPECT_FALSE(Holds(reason, "member of group")) << reason;
    }
    EXPECT_EQ(DescribeOpenRefusal(LIBUSB_ERROR_BUSY, UsbLocation{3, {2}}, node, "lp"),
              "the printer at 3-2 is held by another program: close that program and try again");
    // Other errors say nothing the user can act on.
    for (int error : {LIBUSB_ERROR_NO_DEVICE, LIBUSB_ERROR_IO, LIBUSB_ERROR_NO_MEM,
                      LIBUSB_ERROR_NOT_FOUND, LIBUSB_ERROR_OTHER}) {
        EXPECT_EQ(DescribeOpenRefusal(error, kHubPort4, node, "lp"), "") << error;
    }
}

// The emulated node as it lies in the testbed's own /dev.
std::string NodeInTestbed(const std::string& node) {
    const char* root = std::getenv("UMOCKDEV_DIR");
    return root != nullptr ? std::string(root) + node : node;
}

TEST(EmulatedRefusal, ANodeThisUserMayNotOpenGivesTheReasonAfterAFailedOpening) {
    PrinterModel printer;
    EmulatedUsb usb;
    usb.AddRootHub(1);
    usb.AddHub("1-1", 2);
    usb.Add(PrinterAt("1-1.4", 4), &printer);
    test::ForgetPrinterLink();
    const std::string node = NodeInTestbed("/dev/bus/usb/001/004");
    // The ordinary user must still see the devices in the testbed, which is private to its
    // creator, and reach umockdev's socket behind the node, which umockdev's preload connects
    // to whatever the open answers; only the node itself is closed to everybody.
    ASSERT_EQ(chmod(NodeInTestbed("").c_str(), 0755), 0);
    ASSERT_EQ(chmod(NodeInTestbed("/ioctl/dev/bus/usb/001/004").c_str(), 0777), 0);
    ASSERT_EQ(chmod(node.c_str(), 0), 0) << node;
    // Where the test may hand the node to the printer group, as the udev rule does, the
    // reason names that group too.
    const group* lp = getgrnam("lp");
    const bool nodeOfLp =
        geteuid() == 0 && lp != nullptr && chown(node.c_str(), 0, lp->gr_gid) == 0;
    LibusbPlatform platform(150ms);  // goes before the testbed
    ASSERT_TRUE(platform.Started());
    const DeviceSession session(platform);

    {
        const test::OrdinaryUserFiles asUser;
        SetPrinterIds();
        EXPECT_EQ(OpenPrinterLink(), 0);
    }
    const std::string reason = OpenFailureReason();
    EXPECT_TRUE(Holds(reason,
                      "the printer at 1-1.4 is attached but this user may not open "
                      "/dev/bus/usb/001/004"))
        << reason;
    EXPECT_TRUE(Holds(reason, "70-remote-panel.rules")) << reason;
    if (nodeOfLp) {
        EXPECT_TRUE(Holds(reason, "or run as a member of group \"lp\"")) << reason;
    }

    // Once the user may open it, the printer opens and the reason is gone.
    EXPECT_EQ(chmod(node.c_str(), 0666), 0);
    SetPrinterIds();
    EXPECT_EQ(OpenPrinterLink(), 1);
    EXPECT_EQ(OpenFailureReason(), "");
    ClosePrinterLink();
    EXPECT_EQ(platform.OpenHandleCount(), 0) << "a device handle was left open";
}

}  // namespace
}  // namespace rpanel
