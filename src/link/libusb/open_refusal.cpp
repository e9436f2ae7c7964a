#include "link/libusb/open_refusal.h"

#include <grp.h>
#include <libusb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace rpanel {

std::string UsbfsNode(std::uint8_t bus, std::uint8_t address) {
    char node[32];
    std::snprintf(node, sizeof node, "/dev/bus/usb/%03u/%03u", unsigned{bus}, unsigned{address});
    return node;
}

std::string OwningGroup(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return {};
    }
    const long suggested = sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(status.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return {};
    }
    return found->gr_name;
}

std::string DescribeOpenRefusal(int libusbError, const UsbLocation& location, std::string_view node,
                                std::string_view nodeGroup) {
    const std::string printer = "the printer at " + DeviceName(location);
    if (libusbError == LIBUSB_ERROR_BUSY) {
        return printer + " is held by another program: close that program and try again";
    }
    if (libusbError != LIBUSB_ERROR_ACCESS) {
        return {};
    }
    std::string reason = printer + " is attached but this user may not open " + std::string(node) +
                         ": install the udev rule " + kUdevRuleName +
                         " (see README, Install), load it with \"sudo udevadm control --reload"
                         " && sudo udevadm trigger\" and plug the printer in again";
    // A node left to root says nothing useful about a group to join.
    if (!nodeGroup.empty() && nodeGroup != "root") {
        reason += ", or run as a member of group \"" + std::string(nodeGroup) + "\", which owns " +
                  std::string(node);
    }
    return reason;
}

}  // namespace rpanel
