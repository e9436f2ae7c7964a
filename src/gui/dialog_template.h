// Windows are described as data, as resource templates describe dialogs: the window's size in
// dialog units and its font, and its controls with their ids, kinds and rectangles. One builder
// (dialog_builder.h) turns a template into widgets, so every window keeps its proportions
// whatever font the desktop substitutes for the dialog font.
#pragma once

#include <span>
#include <string_view>

namespace rpanel {

enum class ControlKind {
    PushButton,
    Label,  // a static text; a mnemonic in it moves the focus to the next control
    Edit,   // a single-line edit box
    TabControl,
    GroupBox,
    RadioButton,  // checks itself; exclusive within its group (see startsGroup)
    CheckBox,     // checks itself
    DropDownList,
    Trackbar,  // horizontal, without tick marks
};

// A rectangle in dialog units: a quarter of the font's average character width across, an
// eighth of its height down.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What a control shows: a string-table text by number, or, for the few texts that are the
// same in every language (a version number, a hidden mnemonic), the text itself.
struct Caption {
    int stringId = 0;  // 0: none
    std::string_view fixed;
};
constexpr Caption StringCaption(int stringId) {
    return Caption{.stringId = stringId, .fixed = {}};
}
constexpr Caption FixedCaption(std::string_view text) {
    return Caption{.stringId = 0, .fixed = text};
}

inline constexpr int kNoControlId = -1;  // frames and texts that nothing refers to

struct ControlTemplate {
    int id = kNoControlId;  // also the widget's objectName, so that code and tests find it
    ControlKind kind = ControlKind::Label;
    DialogRect rect{};
    Caption caption{};
    // Starts a new group: the radio buttons from here up to the next control that starts a
    // group exclude each other, and no others.
    bool startsGroup = false;
};

enum class DialogStyle {
    Child,           // a page inside a tab control
    TitledWindow,    // a window with a title bar and a close box
    UntitledWindow,  // a window without a title bar
};

struct DialogTemplate {
    int id = 0;
    int width = 0;  // dialog units
    int height = 0;
    int fontPointSize = 8;
    DialogStyle style = DialogStyle::Child;
    // In tab order; later controls lie above earlier ones, except group boxes, which lie
    // beneath everything.
    std::span<const ControlTemplate> controls{};
};

// The main window's tab pages (Panel, User Service, Service Mode) share their size and their
// larger type; only their controls differ.
constexpr DialogTemplate TabPageTemplate(int id, std::span<const ControlTemplate> controls) {
    return {.id = id,
            .width = 340,
            .height = 260,
            .fontPointSize = 9,
            .style = DialogStyle::Child,
            .controls = controls};
}

}  // namespace rpanel
