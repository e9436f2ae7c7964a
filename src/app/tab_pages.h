// The pages of tab controls: where their content comes from, and how a page joins its tabs.
#pragma once

#include <functional>
#include <map>

#include "app/app_state.h"

class QTabWidget;
class QWidget;

namespace rpanel {

// Makes the content of a page from its template id. A page whose id has no creator is its
// template's controls alone, without behaviour.
class PageFactory {
public:
    using Creator = std::function<QWidget*(AppState& state, QWidget* parent)>;

    void Register(int templateId, Creator creator);
    // Null when there is neither a creator nor a template for the id.
    QWidget* Create(int templateId, AppState& state, QWidget* parent) const;

private:
    std::map<int, Creator> creators_;
};

// Makes the page of templateId and inserts it as a tab with the caption of captionId at index
// (at the end when index is past it). The selected tab and the page on display stay as they
// were, except that the first tab of an empty control becomes the selected one. Null, and no
// tab, when the factory cannot make the page.
QWidget* AddTabPage(QTabWidget& tabs, const PageFactory& pages, int templateId, int captionId,
                    int index, AppState& state);

}  // namespace rpanel
