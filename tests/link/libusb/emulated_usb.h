// The USB devices of data/<world>.umockdev (sysfs attributes with real-looking device and
// configuration descriptors) in a umockdev testbed, every device node answering libusb's control
// transfers from one PrinterModel and recording the setup packets that reach it. A request the
// model does not answer is stalled; a hung model leaves it to time out; an unplugged one fails
// it with ENODEV. The process must have libumockdev-preload loaded (CTest preloads it).
#pragma once

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "link/sim/printer_model.h"

namespace rpanel::test {

class EmulatedUsb {
public:
    EmulatedUsb(const std::string& world, PrinterModel& printer) : printer_(printer) {
        const std::string file = RPANEL_USB_WORLDS "/" + world + ".umockdev";
        GError* error = nullptr;
        if (!umockdev_in_mock_environment() ||
            !umockdev_testbed_add_from_file(testbed_, file.c_str(), &error)) {
            throw std::runtime_error(
                error != nullptr ? error->message : "run with LD_PRELOAD=libumockdev-preload.so.0");
        }
        g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(OnIoctl), this);
        std::ifstream lines(file);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("E: DEVNAME=", 0) == 0) {
                umockdev_testbed_attach_ioctl(testbed_, line.c_str() + 11, handler_, nullptr);
            }
        }
    }
    ~EmulatedUsb() {
        g_object_unref(testbed_);
        g_object_unref(handler_);
        for (const Urb& urb : urbs_) {
            g_object_unref(urb.data);
        }
    }

    // The setup packets received on a node ("001/002"), in order: "C1 15 03 00 01 00 04 00".
    std::vector<std::string> Setups(const std::string& node) {
        const std::lock_guard lock(mutex_);
        return setups_["/dev/bus/usb/" + node];
    }

    // How many file descriptors of this process are open on a node. umockdev's client-vanished
    // signal does not come when a node is closed; an emulated node is a file below the
    // testbed's own /dev.
    static int OpenDescriptors(const std::string& node) {
        return static_cast<int>(std::ranges::count_if(
            std::filesystem::directory_iterator("/proc/self/fd"), [&](const auto& entry) {
                std::error_code error;
                return std::filesystem::read_symlink(entry, error)
                    .string()
                    .ends_with("/dev/bus/usb/" + node);
            }));
    }

private:
    // Runs on umockdev's thread.
    static gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
        auto& usb = *static_cast<EmulatedUsb*>(self);
        const gulong request = umockdev_ioctl_client_get_request(client);
        if (request != USBDEVFS_SUBMITURB && request != USBDEVFS_REAPURBNDELAY &&
            request != USBDEVFS_DISCARDURB) {
            return FALSE;  // umockdev's defaults for everything else
        }
        const std::lock_guard lock(usb.mutex_);
        const int error = request == USBDEVFS_SUBMITURB    ? usb.Submit(client)
                          : request == USBDEVFS_DISCARDURB ? usb.Discard(client)
                                                           : usb.Reap(client);
        umockdev_ioctl_client_complete(client, error == 0 ? 0 : -1, error);
        return TRUE;
    }

    // Each returns the errno its ioctl fails with, or 0.
    int Submit(UMockdevIoctlClient* client) {
        UMockdevIoctlData* data = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                              0, sizeof(usbdevfs_urb), nullptr);
        auto* urb = reinterpret_cast<usbdevfs_urb*>(data->data);
        UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
            data, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), nullptr);
        std::uint8_t* setup = buffer->data;
        char text[24];
        std::snprintf(text, sizeof text, "%02X %02X %02X %02X %02X %02X %02X %02X", setup[0],
                      setup[1], setup[2], setup[3], setup[4], setup[5], setup[6], setup[7]);
        setups_[umockdev_ioctl_client_get_devnode(client)].push_back(text);
        // The firmware reads a setting's parameter from the low byte of wValue, where the
        // Windows printer-class driver puts it; the model wants it in the high byte.
        const std::uint16_t value = setup[2] << 8 | setup[3];
        const std::uint16_t room = std::min(setup[6] | setup[7] << 8, urb->buffer_length - 8);
        Answered how = Answered::Replied;
        urb->actual_length = static_cast<int>(
            printer_.Answer(setup[1], value, setup[4] | setup[5] << 8, setup + 8, room, &how));
        urb->status = urb->actual_length > 0 ? 0 : -EPIPE;  // what it does not know, it stalls
        g_object_unref(buffer);
        if (how == Answered::Gone) {
            g_object_unref(data);
            return ENODEV;
        }
        urbs_.push_back({client, data, how != Answered::Hung});  // a hung printer never answers
        return 0;
    }

    int Reap(UMockdevIoctlClient* client) {
        auto it = std::find_if(urbs_.begin(), urbs_.end(),
                               [&](const Urb& urb) { return urb.client == client && urb.done; });
        if (it == urbs_.end()) {
            return EAGAIN;
        }
        UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                              0, sizeof(void*), nullptr);
        umockdev_ioctl_data_set_ptr(slot, 0, it->data);
        g_object_unref(slot);
        g_object_unref(it->data);
        urbs_.erase(it);
        return 0;
    }

    // As the kernel does, a cancelled URB comes back through the reap queue. libusb waits for
    // one control transfer at a time on a descriptor: the one withheld is the one cancelled.
    int Discard(UMockdevIoctlClient* client) {
        for (Urb& urb : urbs_) {
            if (urb.client == client && !urb.done) {
                reinterpret_cast<usbdevfs_urb*>(urb.data->data)->status = -ENOENT;
                urb.done = true;
            }
        }
        return 0;
    }

    UMockdevTestbed* testbed_ = umockdev_testbed_new();
    UMockdevIoctlBase* handler_ = umockdev_ioctl_base_new();
    PrinterModel& printer_;
    std::mutex mutex_;
    std::map<std::string, std::vector<std::string>> setups_;
    // Submitted URBs; one that is done is reaped on the descriptor that submitted it.
    struct Urb {
        UMockdevIoctlClient* client;
        UMockdevIoctlData* data;
        bool done;
    };
    std::vector<Urb> urbs_;
};

}  // namespace rpanel::test
