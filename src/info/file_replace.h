// Saving a file so that a failure never costs the user the file that was there before.
#pragma once

#include <string>
#include <string_view>

namespace rpanel {

// Replaces the file at path by one holding bytes, in one step: the bytes are written
// completely to a new file in the same folder, flushed to the disk and renamed over path.
// Answers false when that could not be done, or when path is a file that the user may not
// write; the previous file is then untouched and the new one removed. A new file gets the
// default permissions, as if the old one had been deleted.
bool ReplaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace rpanel
