#include "gui/tab_pages.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

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

void MakeRoomForTabs(QWidget& window, QTabWidget& tabs) {
    // Where the tab control puts its row and its pages is known only once it is shown and has
    // laid itself out; a resize has it lay itself out now.
    if (!tabs.isVisible()) {
        return;
    }
    QResizeEvent layOut(tabs.size(), tabs.size());
    QCoreApplication::sendEvent(&tabs, &layOut);

    const QTabBar& bar = *tabs.tabBar();
    const QWidget& pageArea = *tabs.findChild<QStackedWidget*>();
    QSize largest(0, 0);
    for (int index = 0; index < tabs.count(); ++index) {
        largest = largest.expandedTo(tabs.widget(index)->minimumSize());
    }
    // The room within the page insets.
    const QSize pagesMissing = largest - pageArea.contentsRect().size();
    const int rowMissing = bar.x() + bar.sizeHint().width() - tabs.width();
    const QSize missing(std::max({0, pagesMissing.width(), rowMissing}),
                        std::max(0, pagesMissing.height()));
    if (missing == QSize(0, 0)) {
        return;
    }
    const int tabsBottom = tabs.geometry().bottom();
    tabs.resize(tabs.size() + missing);
    for (QWidget* control : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->y() > tabsBottom) {
            control->move(control->pos() + QPoint(missing.width(), missing.height()));
        }
    }
    if (window.isWindow()) {
        window.setFixedSize(window.size() + missing);
    } else {
        window.resize(window.size() + missing);
    }
}

}  // namespace rpanel
