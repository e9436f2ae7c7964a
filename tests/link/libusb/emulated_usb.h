// The USB devices of data/<world>.umockdev (sysfs attributes with real-looking device and
// configuration descriptors) in a umockdev testbed, every device node answering libusb's control
// transfers from one PrinterModel and recording the setup packets that reach it. A request the
// model does not answer is stalled; a hung model leaves it to time out; an unplugged one fails
// it with ENODEV. The process
// must have libumockdev-preload loaded (see main.cpp).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/sim/printer_model.h"

namespace rpanel::test {

class EmulatedUsb {
public:
    EmulatedUsb(const std::string& world, PrinterModel& printer);
    ~EmulatedUsb();

    // The setup packets received on a node ("001/002"), in order: "C1 15 03 00 01 00 04 00".
    std::vector<std::string> Setups(const std::string& node) const;
    // How many file descriptors of this process are open on a node.
    static int OpenDescriptors(const std::string& node);

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace rpanel::test
