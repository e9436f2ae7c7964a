#include <libusb.h>

#include <atomic>
#include <thread>

#include "link/plug_events.h"

namespace rpanel {
namespace {

constexpr std::uint8_t kPrinterInterfaceClass = 7;

// Its own libusb context, so that the event thread never touches the handles of the link.
class LibusbPlugEvents final : public PlugEvents {
public:
    explicit LibusbPlugEvents(std::function<void(PlugChange)> onChange)
        : onChange_(std::move(onChange)) {}

    bool Start() {
        if (libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG) == 0 ||
            libusb_init(&context_) != LIBUSB_SUCCESS) {
            context_ = nullptr;
            return false;
        }
        const int events = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
        if (libusb_hotplug_register_callback(context_, events, LIBUSB_HOTPLUG_NO_FLAGS,
                                             LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY,
                                             LIBUSB_HOTPLUG_MATCH_ANY, &LibusbPlugEvents::Changed,
                                             this, &callback_) != LIBUSB_SUCCESS) {
            return false;
        }
        thread_ = std::thread([this] {
            while (!stop_) {
                timeval tick{0, 250000};  // how soon the destructor is answered
                libusb_handle_events_timeout_completed(context_, &tick, nullptr);
            }
        });
        return true;
    }

    ~LibusbPlugEvents() override {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        if (context_ != nullptr) {
            libusb_hotplug_deregister_callback(context_, callback_);
            libusb_exit(context_);
        }
    }

private:
    // A printer is a device with an interface of the printer class; a device that left can no
    // longer be asked, so every departure counts.
    static int LIBUSB_CALL Changed(libusb_context*, libusb_device* device,
                                   libusb_hotplug_event event, void* self) {
        auto& events = *static_cast<LibusbPlugEvents*>(self);
        if (event == LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT) {
            events.onChange_(PlugChange::Left);
        } else if (HasPrinterInterface(device)) {
            events.onChange_(PlugChange::Arrived);
        }
        return 0;  // stay registered
    }

    static bool HasPrinterInterface(libusb_device* device) {
        libusb_config_descriptor* config = nullptr;
        if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS &&
            libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS) {
            return true;  // cannot tell: reading once too often does no harm
        }
        bool printer = false;
        for (int i = 0; i < config->bNumInterfaces; ++i) {
            const libusb_interface& interface = config->interface[i];
            for (int a = 0; a < interface.num_altsetting; ++a) {
                printer |= interface.altsetting[a].bInterfaceClass == kPrinterInterfaceClass;
            }
        }
        libusb_free_config_descriptor(config);
        return printer;
    }

    std::function<void(PlugChange)> onChange_;
    libusb_context* context_ = nullptr;
    libusb_hotplug_callback_handle callback_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace

std::unique_ptr<PlugEvents> WatchPrinterPlugs(std::function<void(PlugChange)> onChange) {
    auto events = std::make_unique<LibusbPlugEvents>(std::move(onChange));
    if (!events->Start()) {
        return nullptr;
    }
    return events;
}

}  // namespace rpanel
