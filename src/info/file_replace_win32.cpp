#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include "core/string_ids.h"
#include "core/string_table.h"
#include "info/file_replace.h"

namespace rpanel {
namespace {

bool Fail(std::string* failure, const std::string& path, const std::string& why) {
    *failure = path + ": " + why;
    return false;
}

// The system's own words for an error code, without the line end it puts after them.
bool FailWithError(std::string* failure, const std::string& path, DWORD error) {
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, text, sizeof text, nullptr);
    std::string why(text, length);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) {
        why.pop_back();
    }
    return Fail(failure, path, why.empty() ? "error " + std::to_string(error) : why);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Opens a new file in the folder of target under a short name nobody else uses: a file name
// that is already as long as the system allows leaves no room for anything longer.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target, std::string* temporary) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".rpanel-%08x.tmp", static_cast<unsigned>(random()));
        *temporary = (target.parent_path() / name).string();
        HANDLE file = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// A file with further hard links is written where it is, so that all its names see the save;
// the old contents go only once the new ones have been written in full.
bool WriteInPlace(const std::string& path, HANDLE file, std::string_view bytes,
                  std::string* failure) {
    LARGE_INTEGER start{};
    const bool written = SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
                         WriteAll(file, bytes) && SetEndOfFile(file) && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    return written || FailWithError(failure, path, error);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* failure) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return Fail(failure, path, LoadText(text::kNotRegularFile));
    }
    if (exists) {
        // Opening it for writing is the read-only check, and tells a disk file from the rest.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return FailWithError(failure, path, GetLastError());
        }
        BY_HANDLE_FILE_INFORMATION information{};
        if (GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            return Fail(failure, path, LoadText(text::kNotRegularFile));
        }
        if (GetFileInformationByHandle(file, &information) && information.nNumberOfLinks > 1) {
            return WriteInPlace(path, file, bytes, failure);
        }
        CloseHandle(file);
    }
    std::string temporary;
    HANDLE file = CreateTemporaryBeside(std::filesystem::path(path), &temporary);
    if (file == INVALID_HANDLE_VALUE) {
        return FailWithError(failure, path, GetLastError());
    }
    const bool written = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD error = written ? ERROR_SUCCESS : GetLastError();
    if (!CloseHandle(file) && error == ERROR_SUCCESS) {
        error = GetLastError();
    }
    // ReplaceFile gives the new file the old one's attributes and permissions.
    if (error == ERROR_SUCCESS &&
        !(exists ? ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                 : MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))) {
        error = GetLastError();
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileA(temporary.c_str());
        return FailWithError(failure, path, error);
    }
    return true;
}

}  // namespace rpanel
