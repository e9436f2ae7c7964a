#include "emulated_usb.h"

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

namespace rpanel::test {

struct EmulatedUsb::State {
    explicit State(PrinterModel& model) : printer(model) {}
    UMockdevTestbed* testbed = umockdev_testbed_new();
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    PrinterModel& printer;
    std::mutex mutex;  // the handler runs on umockdev's thread
    std::map<std::string, std::vector<std::string>> setups;
    // Submitted URBs; one that is done is reaped on the descriptor that submitted it.
    struct Urb {
        UMockdevIoctlClient* client;
        UMockdevIoctlData* data;
        bool done;
    };
    std::vector<Urb> urbs;
};

namespace {

using State = EmulatedUsb::State;

// Returns the errno the ioctl fails with, 0 when the URB is queued.
int Submit(State& s, UMockdevIoctlClient* client) {
    UMockdevIoctlData* data = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                          sizeof(usbdevfs_urb), nullptr);
    auto* urb = reinterpret_cast<usbdevfs_urb*>(data->data);
    UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
        data, offsetof(usbdevfs_urb, buffer), static_cast<gsize>(urb->buffer_length), nullptr);
    std::uint8_t* setup = buffer->data;
    char text[24];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X %02X %02X %02X %02X", setup[0], setup[1],
                  setup[2], setup[3], setup[4], setup[5], setup[6], setup[7]);
    s.setups[umockdev_ioctl_client_get_devnode(client)].push_back(text);
    // The firmware reads a setting's parameter from the low byte of wValue, where the Windows
    // printer-class driver puts it; the model wants it in the high byte.
    const auto value = static_cast<std::uint16_t>(setup[2] << 8 | setup[3]);
    const auto index = static_cast<std::uint16_t>(setup[4] | setup[5] << 8);
    const auto room = std::min(setup[6] | setup[7] << 8, urb->buffer_length - 8);
    Answered how = Answered::Replied;
    urb->actual_length = static_cast<int>(s.printer.Answer(setup[1], value, index, setup + 8,
                                                           static_cast<std::uint16_t>(room), &how));
    urb->status = urb->actual_length > 0 ? 0 : -EPIPE;  // what it does not know, it stalls
    g_object_unref(buffer);
    // A printer unplugged before or as the request came fails it as the kernel does.
    if (how == Answered::Gone) {
        g_object_unref(data);
        return ENODEV;
    }
    s.urbs.push_back({client, data, how != Answered::Hung});  // a hung printer never answers
    return 0;
}

int Reap(State& s, UMockdevIoctlClient* client) {
    auto it = std::find_if(s.urbs.begin(), s.urbs.end(),
                           [&](const State::Urb& urb) { return urb.client == client && urb.done; });
    if (it == s.urbs.end()) {
        return EAGAIN;
    }
    UMockdevIoctlData* slot = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0,
                                                          sizeof(void*), nullptr);
    umockdev_ioctl_data_set_ptr(slot, 0, it->data);
    g_object_unref(slot);
    g_object_unref(it->data);
    s.urbs.erase(it);
    return 0;
}

// As the kernel does, a cancelled URB comes back through the reap queue. libusb waits for one
// control transfer at a time on a descriptor: the one withheld is the one cancelled.
int Discard(State& s, UMockdevIoctlClient* client) {
    for (State::Urb& urb : s.urbs) {
        if (urb.client == client && !urb.done) {
            reinterpret_cast<usbdevfs_urb*>(urb.data->data)->status = -ENOENT;
            urb.done = true;
        }
    }
    return 0;
}

gboolean OnIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer state) {
    const gulong request = umockdev_ioctl_client_get_request(client);
    int (*answer)(State&, UMockdevIoctlClient*) = request == USBDEVFS_SUBMITURB       ? Submit
                                                  : request == USBDEVFS_REAPURBNDELAY ? Reap
                                                  : request == USBDEVFS_DISCARDURB    ? Discard
                                                                                      : nullptr;
    if (answer == nullptr) {
        return FALSE;  // umockdev's defaults for everything else
    }
    State& s = *static_cast<State*>(state);
    const std::lock_guard lock(s.mutex);
    const int error = answer(s, client);
    umockdev_ioctl_client_complete(client, error == 0 ? 0 : -1, error);
    return TRUE;
}

}  // namespace

EmulatedUsb::EmulatedUsb(const std::string& world, PrinterModel& printer)
    : state_(std::make_unique<State>(printer)) {
    const std::string file = RPANEL_USB_WORLDS "/" + world + ".umockdev";
    GError* error = nullptr;
    if (!umockdev_in_mock_environment() ||
        !umockdev_testbed_add_from_file(state_->testbed, file.c_str(), &error)) {
        throw std::runtime_error(error != nullptr ? error->message : "no libumockdev-preload");
    }
    g_signal_connect(state_->handler, "handle-ioctl", G_CALLBACK(OnIoctl), state_.get());
    std::ifstream lines(file);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("E: DEVNAME=", 0) == 0) {
            umockdev_testbed_attach_ioctl(state_->testbed, line.c_str() + 11, state_->handler,
                                          nullptr);
        }
    }
}

EmulatedUsb::~EmulatedUsb() {
    g_object_unref(state_->testbed);
    g_object_unref(state_->handler);
    for (const State::Urb& urb : state_->urbs) {
        g_object_unref(urb.data);
    }
}

std::vector<std::string> EmulatedUsb::Setups(const std::string& node) const {
    const std::lock_guard lock(state_->mutex);
    return state_->setups["/dev/bus/usb/" + node];
}

// umockdev's client-vanished signal does not come when a node is closed: look at the
// descriptors themselves. An emulated node is a file below the testbed's own /dev.
int EmulatedUsb::OpenDescriptors(const std::string& node) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
        count += target.ends_with("/dev/bus/usb/" + node);
    }
    return count;
}

}  // namespace rpanel::test
