// The program's icon as pixels, converted from resources/icons/rpanel-*.png when the program is
// built (tools/icon_pixels). Decoding a PNG at start would have Qt look through every image
// format plugin it has first: that alone was a twentieth of the start-up time.
#pragma once

#include <cstdint>
#include <span>

namespace rpanel {

struct IconPixels {
    int size;                   // width and height
    const std::uint32_t* argb;  // size × size pixels, 0xAARRGGBB, row by row
};

std::span<const IconPixels> ProgramIconPixels();

}  // namespace rpanel
