#include "service/service_mode_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "service/service_mode.h"
#include "service/service_mode_controls.h"
#include "service/service_mode_page_ids.h"
#include "service/service_mode_page_template.h"

namespace rpanel {
namespace {

namespace id = service_mode;

}  // namespace

ServiceModePage::ServiceModePage(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    BuildDialog(kServiceModePageTemplate, *this);
    InitServiceModeControls(*this, state_);
    ConnectSettings();
    ConnectButtons();
}

// Only the user's clicks and choices change the values, not the page showing them.
void ServiceModePage::ConnectSettings() {
    for (const ServiceModeValue& value : ServiceModeValues()) {
        std::int32_t& field = ValueField(state_, value);
        if (auto* box = qobject_cast<QCheckBox*>(ControlById(*this, value.control))) {
            connect(box, &QCheckBox::clicked, this,
                    [&field](bool ticked) { field = ticked ? 1 : 0; });
        } else if (auto* list = qobject_cast<QComboBox*>(ControlById(*this, value.control))) {
            connect(list, &QComboBox::activated, this,
                    [list, &field](int item) { field = list->itemData(item).toInt(); });
        }
    }
}

void ServiceModePage::ConnectButtons() {
    const auto onClick = [this](int buttonId, auto action) {
        connect(ControlById<QPushButton>(*this, buttonId), &QPushButton::clicked, this, action);
    };
    onClick(id::kDownloadButton, [this] {
        DownloadServiceMode(messages_, state_);
        // Also after a failed download: the controls show the values as they stand.
        ShowServiceModeValues(*this, state_);
    });
    onClick(id::kUploadButton, [this] { UploadServiceMode(messages_, state_); });
    onClick(id::kFuserUnitButton,
            [this] { ReportReplacedPart(messages_, ReplacedPart::FuserUnit); });
    onClick(id::kTransferRollerButton,
            [this] { ReportReplacedPart(messages_, ReplacedPart::TransferRoller); });
}

QWidget* CreateServiceModePage(AppState& state, QWidget* parent) {
    return new ServiceModePage(state, parent);
}

}  // namespace rpanel
