#include "app/tab_pages.h"

#include <QTabWidget>
#include <QWidget>

#include "app/dialog_builder.h"
#include "app/dialog_templates.h"
#include "app/window_text.h"

namespace rpanel {

void PageFactory::Register(int templateId, Creator creator) {
    creators_[templateId] = std::move(creator);
}

QWidget* PageFactory::Create(int templateId, AppState& state, QWidget* parent) const {
    if (const auto creator = creators_.find(templateId); creator != creators_.end()) {
        return creator->second(state, parent);
    }
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId);
    if (dialogTemplate == nullptr) {
        return nullptr;
    }
    auto* page = new QWidget(parent);
    BuildDialog(*dialogTemplate, *page);
    return page;
}

QWidget* AddTabPage(QTabWidget& tabs, const PageFactory& pages, int templateId, int captionId,
                    int index, AppState& state) {
    QWidget* page = pages.Create(templateId, state, &tabs);
    if (page != nullptr) {
        tabs.insertTab(index, page, TextById(captionId));
    }
    return page;
}

}  // namespace rpanel
