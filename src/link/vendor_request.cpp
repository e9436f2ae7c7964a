#include "link/vendor_request.h"

#include <algorithm>

#include "link/device_session.h"
#include "link/request_catalogue.h"

namespace rpanel {

std::uint32_t SendVendorRequest(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                std::uint16_t length, std::uint8_t* reply) {
    if (FindCatalogueRow(request) == nullptr) {
        return 0;
    }
    DeviceSession& session = CurrentSession();
    const PrinterLink& link = session.link;
    DevicePlatform& platform = session.platform;
    std::uint32_t delivered = 0;
    if (link.driverKind != 0) {
        StillImageBlock block;
        block.offset = value;
        block.length = length;
        block.index = index;
        block.request = request;
        block.requestType = kVendorRequestType;
        block.directionIn = 1;
        delivered = platform.SendStillImageRequest(link.controlHandle, block, reply, length);
    } else {
        PrinterClassBlock block;
        block.request = request;
        block.valueLow = static_cast<std::uint8_t>(value & 0xFF);
        block.valueHigh = static_cast<std::uint8_t>(value >> 8);
        delivered = platform.SendPrinterClassRequest(link.deviceHandle, block, reply, length);
    }
    // An adapter never reports more than the buffer holds; the count is trusted no further.
    delivered = std::min<std::uint32_t>(delivered, length);
    if (session.observer) {
        session.observer({request, value, index, length, delivered});
    }
    return delivered;
}

bool ReplyIsOk(const std::uint8_t* reply) {
    return reply[0] == 'O' && reply[1] == 'K' && reply[2] == 0;
}

}  // namespace rpanel
