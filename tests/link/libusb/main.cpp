// The libusb tests run against umockdev's emulated /sys and /dev, which only exist for a
// process that has libumockdev-preload loaded: without it, the test re-executes itself with
// the library preloaded. AddressSanitizer would refuse to start behind the preload, so its
// library-order check is switched off for the re-executed process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kPreload[] = "libumockdev-preload.so.0";

bool PreloadLoaded() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr;
}

void AppendOption(const char* variable, const std::string& option) {
    const char* current = std::getenv(variable);
    std::string value = current != nullptr ? current : "";
    if (value.find(option.substr(0, option.find('='))) == std::string::npos) {
        value += value.empty() ? option : ":" + option;
    }
    setenv(variable, value.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (!PreloadLoaded()) {
        const char* preload = std::getenv("LD_PRELOAD");
        std::string value = kPreload;
        if (preload != nullptr && *preload != '\0') {
            value += std::string(":") + preload;
        }
        setenv("LD_PRELOAD", value.c_str(), 1);
        AppendOption("ASAN_OPTIONS", "verify_asan_link_order=0");
        execv("/proc/self/exe", argv);
        std::perror("re-executing with libumockdev-preload");
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
