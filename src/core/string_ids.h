// The string-table numbers that the code names. The window templates, the status display table
// and the viewer's page tables carry their own numbers as data; every number here exists in
// every language's table (tests/core).
#pragma once

namespace rpanel {

// Messages shown to the user: in a box on the desktop, on the terminal for rpanelctl.
namespace msg {
inline constexpr int kCommandSent = 21;
inline constexpr int kEjectSent = 22;
inline constexpr int kCalibrationSent = 23;
inline constexpr int kDefaultsSent = 24;
inline constexpr int kSendFailed = 25;
inline constexpr int kOpenFailed = 26;
inline constexpr int kNotCompatible = 29;
inline constexpr int kTestPattern1Printed = 228;
inline constexpr int kTestPattern2Printed = 229;
inline constexpr int kFuserReplaced = 231;
inline constexpr int kTransferRollerReplaced = 232;
inline constexpr int kIniNotWritten = 2001;
}  // namespace msg

// Other texts the code shows.
namespace text {
inline constexpr int kOn = 10;
inline constexpr int kOff = 11;
inline constexpr int kOpenPanel = 19;
inline constexpr int kExit = 20;
inline constexpr int kPanelCaption = 119;
inline constexpr int kUserServiceCaption = 120;
inline constexpr int kServiceModeCaption = 121;
inline constexpr int kMainWindowTitle = 122;
inline constexpr int kViewerTitle = 148;
inline constexpr int kAboutTitle = 327;
// Why a save was refused: the name chosen is a folder, a device, a pipe or a socket.
inline constexpr int kNotRegularFile = 2010;
// Why rpanelctl info --ini saved nothing: a read of the information failed.
inline constexpr int kInfoNotAllRead = 2011;
// The tray's watching of the printer.
inline constexpr int kWatchPrinterStatus = 2050;
inline constexpr int kPrinterNotConnected = 2051;
inline constexpr int kPrinterStatusUnknown = 2052;
}  // namespace text

// Every number above, for the test that each exists in every language.
inline constexpr int kNamedStringIds[] = {
    msg::kCommandSent,
    msg::kEjectSent,
    msg::kCalibrationSent,
    msg::kDefaultsSent,
    msg::kSendFailed,
    msg::kOpenFailed,
    msg::kNotCompatible,
    msg::kTestPattern1Printed,
    msg::kTestPattern2Printed,
    msg::kFuserReplaced,
    msg::kTransferRollerReplaced,
    msg::kIniNotWritten,
    text::kOn,
    text::kOff,
    text::kOpenPanel,
    text::kExit,
    text::kPanelCaption,
    text::kUserServiceCaption,
    text::kServiceModeCaption,
    text::kMainWindowTitle,
    text::kViewerTitle,
    text::kAboutTitle,
    text::kNotRegularFile,
    text::kInfoNotAllRead,
    text::kWatchPrinterStatus,
    text::kPrinterNotConnected,
    text::kPrinterStatusUnknown,
};

}  // namespace rpanel
