// The adapter to the real printer drivers of the system the program was built for: libusb on
// Linux, the printer-class and still-image drivers on Windows. Each adapter defines this.
#pragma once

#include <memory>

#include "link/platform.h"

namespace rpanel {

std::unique_ptr<DevicePlatform> CreateSystemPlatform();

}  // namespace rpanel
