// The data handling of the Windows adapter that does not need Windows to be checked.
#include <gtest/gtest.h>

#include "link/win32/win32_platform.h"

namespace rpanel {
namespace {

TEST(Win32HardwareIdRead, ErrorsMapToWhatTheSearchExpects) {
    EXPECT_EQ(win32::HardwareIdReadFailure(122, 96, 0), PropertyResult::BufferTooSmall);
    EXPECT_EQ(win32::HardwareIdReadFailure(122, 200, 96), PropertyResult::BufferTooSmall);
    // The search grows its buffer for as long as it hears "too small"; an answer that asks for
    // no more than it was given must end the search instead of spinning on it.
    EXPECT_EQ(win32::HardwareIdReadFailure(122, 96, 96), PropertyResult::Failed);
    EXPECT_EQ(win32::HardwareIdReadFailure(122, 0, 0), PropertyResult::Failed);
    EXPECT_EQ(win32::HardwareIdReadFailure(13, 0, 0), PropertyResult::NoProperty);
    EXPECT_EQ(win32::HardwareIdReadFailure(5, 0, 0), PropertyResult::Failed);  // access denied
}

}  // namespace
}  // namespace rpanel
