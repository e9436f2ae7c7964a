// Saving a file so that a failure never costs the user the file that was there before, and a
// success leaves it the file it was: the same links, the same permissions.
#pragma once

#include <string>
#include <string_view>

namespace rpanel {

// Makes the file at path hold bytes. A symbolic link stays and the file it leads to is written.
// An existing file keeps its permissions, and its owner and group where the process may set
// them. Where it can, the bytes go completely to a new file in the same folder, flushed to the
// disk and renamed over the old one, so that a failure leaves the old file whole; a file with
// further hard links, one whose folder the user may not write, or one whose owner could not be
// kept, is written in place instead, once its new size has been reserved on the disk.
//
// Refused, with nothing opened for writing: a file the user may not write, and anything that is
// not a regular file (a folder, a device, a pipe, a socket). On failure the answer is false and
// *failure says which file and why, in the system's words where it gave some.
bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string* failure);

}  // namespace rpanel
