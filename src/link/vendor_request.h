// The one operation that talks to the printer: a vendor control request, device to host, on
// the open printer link.
#pragma once

#include <cstdint>
#include <functional>

namespace rpanel {

// Reply sizes: a text reply and a value or acknowledgement reply.
inline constexpr std::uint16_t kTextReplySize = 1024;
inline constexpr std::uint16_t kValueReplySize = 4;

// Performs one request on the open link and answers the number of reply bytes delivered,
// 0 on failure. reply holds at least length bytes, zero-filled by the caller: a short reply
// leaves the rest at zero. Opens nothing; a code the catalogue does not hold is not sent.
std::uint32_t SendVendorRequest(std::uint8_t request, std::uint16_t value, std::uint16_t index,
                                std::uint16_t length, std::uint8_t* reply);

// The printer's acknowledgement: "O", "K" and NUL in the first three bytes of a 4-byte reply.
bool ReplyIsOk(const std::uint8_t* reply);

// Watches every request that is sent (rpanelctl --trace, the tests); given to the session.
struct SentRequest {
    std::uint8_t request;
    std::uint16_t value;
    std::uint16_t index;
    std::uint16_t length;
    std::uint32_t delivered;
};
using RequestObserver = std::function<void(const SentRequest&)>;

}  // namespace rpanel
