// Every window of the desktop program, made by the program's own code against the built-in
// demo printer and shown in the selected language, one after the other: the main window with
// each of its pages (Panel after "Status", User Service and Service Mode after "Download"),
// the About box, and the information viewer with each of its pages. Screenshots and the
// layout check both take the windows from here.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace rpanel {

// name: the window and its page, e.g. "main-panel", "viewer-supplies"; window: the whole
// window (not only the page), laid out and shown, with the named page on display.
using WindowVisitor = std::function<void(const QString& name, QWidget& window)>;

// The main window with the Panel page on display.
inline constexpr char kPanelWindowName[] = "main-panel";

// Needs a QApplication; uses the demo printer for the time of the tour. Message boxes that
// the commands would show are answered with OK unseen. False, and *error says why, when a
// window could not be reached or a command failed.
bool TourWindows(const WindowVisitor& visit, QString* error);

}  // namespace rpanel
