// The libusb tests run against umockdev's emulated /sys and /dev, which exist only for a
// process that has libumockdev-preload loaded: without it, the program re-executes itself with
// it preloaded (and, since AddressSanitizer refuses to start behind the preload, with its
// library-order check off).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload == nullptr || std::strstr(preload, "libumockdev-preload") == nullptr) {
        const char* asan = std::getenv("ASAN_OPTIONS");
        setenv("LD_PRELOAD",
               ("libumockdev-preload.so.0:" + std::string(preload ? preload : "")).c_str(), 1);
        setenv("ASAN_OPTIONS",
               (std::string(asan ? asan : "") + ":verify_asan_link_order=0").c_str(), 1);
        execv("/proc/self/exe", argv);
        std::perror("re-executing with libumockdev-preload");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
