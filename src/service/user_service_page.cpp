#include "service/user_service_page.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <optional>

#include "gui/choice_list.h"
#include "gui/dialog_builder.h"
#include "gui/window_text.h"
#include "service/user_service.h"
#include "service/user_service_controls.h"
#include "service/user_service_page_ids.h"
#include "service/user_service_page_template.h"

namespace rpanel {
namespace {

namespace id = user_service;

// The scroll code of what the user did to a trackbar. The toolkit moves the thumb itself;
// StepSlider then puts it where the stored setting says.
std::optional<ScrollCode> ScrollCodeOf(int action) {
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            return ScrollCode::LineUp;
        case QAbstractSlider::SliderSingleStepAdd:
            return ScrollCode::LineDown;
        case QAbstractSlider::SliderPageStepSub:
            return ScrollCode::PageUp;
        case QAbstractSlider::SliderPageStepAdd:
            return ScrollCode::PageDown;
        case QAbstractSlider::SliderMove:
            return ScrollCode::ThumbTrack;
        case QAbstractSlider::SliderToMinimum:
            return ScrollCode::Top;
        case QAbstractSlider::SliderToMaximum:
            return ScrollCode::Bottom;
        default:
            return std::nullopt;
    }
}

}  // namespace

UserServicePage::UserServicePage(AppState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    BuildDialog(kUserServicePageTemplate, *this);
    // Decided once, when the page is made: a later printer of another variant does not
    // change the layout.
    const bool energySaveOffered = state_.machineVariant != kVariantWithoutEnergySave;
    ControlById(*this, id::kEnergySaveLabel)->setVisible(energySaveOffered);
    ControlById(*this, id::kEnergySaveList)->setVisible(energySaveOffered);
    InitUserServiceControls(*this, state_);
    ConnectTrackbars();
    ConnectLists();
    ConnectButtons();
}

void UserServicePage::ConnectTrackbars() {
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        auto* slider = ControlById<QSlider>(*this, setting.control);
        if (slider == nullptr) {
            continue;
        }
        const int trackbarId = setting.control;
        connect(slider, &QAbstractSlider::actionTriggered, this, [this, trackbarId](int action) {
            if (const std::optional<ScrollCode> code = ScrollCodeOf(action)) {
                StepSlider(*this, state_, trackbarId, *code);
            }
        });
    }
}

void UserServicePage::ConnectLists() {
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        auto* list = ControlById<QComboBox>(*this, setting.control);
        if (list == nullptr) {
            continue;
        }
        // Only the user's choice changes the setting, not the page selecting an item.
        std::int32_t& field = SettingField(state_, setting);
        connect(list, &QComboBox::activated, this,
                [list, &field](int item) { field = list->itemData(item).toInt(); });
    }
}

void UserServicePage::ConnectButtons() {
    const auto onClick = [this](int buttonId, auto action) {
        connect(ControlById<QPushButton>(*this, buttonId), &QPushButton::clicked, this, action);
    };
    onClick(id::kDownloadButton, [this] {
        DownloadUserService(messages_, state_);
        // Also after a failed download: the controls show the settings as they stand.
        ShowUserServiceValues(*this, state_);
    });
    onClick(id::kUploadButton, [this] {
        UploadUserService(messages_, state_,
                          SelectedItemData(*ControlById<QComboBox>(*this, id::kEnergySaveList)));
    });
    onClick(id::kPattern1Button, [this] { PrintTestPattern(messages_, TestPattern::One); });
    onClick(id::kPattern2Button, [this] { PrintTestPattern(messages_, TestPattern::Two); });
    onClick(id::kImageRefreshButton, [this] { RunImageRefresh(messages_); });
}

QWidget* CreateUserServicePage(AppState& state, QWidget* parent) {
    return new UserServicePage(state, parent);
}

}  // namespace rpanel
