// The libusb tests run against umockdev's emulated /sys and /dev.
#include <gtest/gtest.h>

#include "support/umockdev_preload.h"

int main(int argc, char** argv) {
    rpanel::test::EnsureUmockdevPreload(argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
