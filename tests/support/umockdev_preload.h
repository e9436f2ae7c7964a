// umockdev's emulated /sys and /dev only exist for a process that has libumockdev-preload
// loaded. A test program that needs them calls EnsureUmockdevPreload first thing in main:
// without the library it re-executes itself with it preloaded (and, since AddressSanitizer
// refuses to start behind the preload, with its library-order check off).
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace rpanel::test {

// Returns only when the preload is in place; otherwise the process is replaced, or, if that
// fails, ends with status 1.
inline void EnsureUmockdevPreload(char** argv) {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr) {
        return;
    }
    std::string value = "libumockdev-preload.so.0";
    if (preload != nullptr && *preload != '\0') {
        value += std::string(":") + preload;
    }
    setenv("LD_PRELOAD", value.c_str(), 1);
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string asanOptions = asan != nullptr ? asan : "";
    if (asanOptions.find("verify_asan_link_order") == std::string::npos) {
        asanOptions += asanOptions.empty() ? "" : ":";
        asanOptions += "verify_asan_link_order=0";
    }
    setenv("ASAN_OPTIONS", asanOptions.c_str(), 1);
    execv("/proc/self/exe", argv);
    std::perror("re-executing with libumockdev-preload");
    std::exit(1);
}

}  // namespace rpanel::test
