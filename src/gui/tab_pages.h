// The pages of tab controls: where their content comes from, and how a page joins its tabs.
#pragma once

#include <functional>
#include <map>

#include "core/app_state.h"
#include "gui/dialog_template.h"

class QTabWidget;
class QWidget;

namespace rpanel {

// Makes the content of a page from its template id. A page whose id has no creator is its
// template's controls alone, without behaviour.
class PageFactory {
public:
    using Creator = std::function<QWidget*(AppState& state, QWidget* parent)>;

    void Register(int templateId, Creator creator);
    // The page of the template's id: its creator's, or else the template's controls alone.
    QWidget* Create(const DialogTemplate& pageTemplate, AppState& state, QWidget* parent) const;

private:
    std::map<int, Creator> creators_;
};

// Makes the page of the template and inserts it as a tab with the caption of captionId at
// index (at the end when index is past it). The selected tab and the page on display stay as
// they were, except that the first tab of an empty control becomes the selected one. Null, and
// no tab, when the page's creator makes none.
QWidget* AddTabPage(QTabWidget& tabs, const PageFactory& pages, const DialogTemplate& pageTemplate,
                    int captionId, int index, AppState& state);

// Grows the tab control of window until its whole row of tabs and each of its pages (at their
// minimum size) fit, and the window with it; the controls beneath the tab control move down
// and right by as much. Windows are laid out in a smaller type than their pages, and tab
// captions in some languages are long: no tab hides behind scroll arrows, no page is cut off.
void MakeRoomForTabs(QWidget& window, QTabWidget& tabs);

}  // namespace rpanel
