#include "gui/tab_pages.h"

#include <QTabWidget>
#include <QWidget>

#include "gui/dialog_builder.h"
#include "gui/window_text.h"

namespace rpanel {

void PageFactory::Register(int templateId, Creator creator) {
    creators_[templateId] = std::move(creator);
}

QWidget* PageFactory::Create(const DialogTemplate& pageTemplate, AppState& state,
                             QWidget* parent) const {
    if (const auto creator = creators_.find(pageTemplate.id); creator != creators_.end()) {
        return creator->second(state, parent);
    }
    auto* page = new QWidget(parent);
    BuildDialog(pageTemplate, *page);
    return page;
}

QWidget* AddTabPage(QTabWidget& tabs, const PageFactory& pages, const DialogTemplate& pageTemplate,
                    int captionId, int index, AppState& state) {
    QWidget* page = pages.Create(pageTemplate, state, &tabs);
    if (page != nullptr) {
        tabs.insertTab(index, page, TextById(captionId));
    }
    return page;
}

}  // namespace rpanel
