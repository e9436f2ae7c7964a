// The INI writer takes the viewer's texts, which are 8-bit text of any language and of the
// printer: whatever they hold, every entry is written as one key "=" value line under its
// section, and saving replaces whatever file was there before by exactly those bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "info/ini_export.h"
#include "info/private_profile.h"

namespace {

class NoMessages final : public rpanel::MessageSink {
public:
    void ShowMessageById(int) override { __builtin_trap(); }
};

std::vector<std::string_view> Pieces(std::string_view input) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0; start <= input.size();) {
        const std::size_t end = std::min(input.find('\0', start), input.size());
        pieces.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// One folder per fuzzing process for the file that is saved over and over; in memory where
// there is such a file system, since every save waits for the disk.
const std::string& SavePath() {
    static const std::string path = [] {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        const auto folder = base / ("ini_writer_fuzz." + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        static const std::filesystem::path created = folder;
        std::atexit([] { std::filesystem::remove_all(created); });
        return (folder / "export.INI").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rpanel;
    const std::vector<std::string_view> pieces =
        Pieces({reinterpret_cast<const char*>(data), size});

    // Direct writes, three pieces each: the last value of a key is on the key's line.
    PrivateProfile profile;
    for (std::size_t i = 0; i + 2 < pieces.size(); i += 3) {
        profile.Write(pieces[i], pieces[i + 1], pieces[i + 2]);
        const std::string bytes = profile.Bytes();
        if (bytes.size() < 4 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0 ||
            bytes.find("=" + std::string(pieces[i + 2]) + "\r\n") == std::string::npos) {
            __builtin_trap();
        }
    }

    // The same pieces, in turn, as the texts of the controls the export reads (1017..1190).
    ViewerTexts texts;
    std::size_t next = 0;
    for (PageTexts& page : texts) {
        for (int control = 1017; control <= 1190 && !pieces.empty(); ++control) {
            page.controls[control] = std::string(pieces[next++ % pieces.size()]);
        }
    }
    const std::string bytes = InfoIniBytes(texts);

    // An odd first byte also saves over an existing file whose content is the whole input.
    if (size > 0 && (data[0] & 1) != 0) {
        std::ofstream(SavePath(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        NoMessages messages;
        if (!ExportInfoToIni(messages, texts, SavePath()) || ReadFile(SavePath()) != bytes) {
            __builtin_trap();
        }
    }
    return 0;
}
