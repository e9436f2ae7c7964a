// The viewer's "Save": the machine information, exactly as the pages show it, stored in an
// INI file of 56 entries in 17 sections, named by the pages' own label texts.
#pragma once

#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/message_sink.h"
#include "info/viewer_texts.h"

namespace rpanel {

// The default extension of the save dialog.
inline constexpr std::string_view kIniExtension = "INI";

// The file name the save dialog suggests: the serial number, a point and the extension
// ("AB123.INI"; ".INI" alone while the serial number is empty). A path separator in the
// serial number becomes "_", so that the suggestion stays a name in the dialog's folder.
std::string SuggestedIniFileName(const AppState& state, std::string_view extension);

// Writes the texts of the viewer's pages to path, which then holds this export only. An
// empty path (the dialog was cancelled) writes nothing and answers true. The file is saved as
// ReplaceFileContents saves it, so that a failed save leaves the previous file as it was; the
// user is then told with message 2001 on viewer, with the file and the reason beneath it, and
// the answer is false.
bool ExportInfoToIni(MessageSink& viewer, const ViewerTexts& texts, const std::string& path);

// The bytes ExportInfoToIni writes.
std::string InfoIniBytes(const ViewerTexts& texts);

}  // namespace rpanel
