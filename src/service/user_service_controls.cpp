#include "service/user_service_controls.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>

#include "gui/choice_list.h"
#include "gui/window_text.h"
#include "service/service_choices.h"
#include "service/user_service.h"
#include "service/user_service_page_ids.h"

namespace rpanel {
namespace {

void ShowTrackbarSetting(QWidget& page, const UserServiceSetting& setting, std::int32_t value) {
    if (auto* label = ControlById<QLabel>(page, setting.valueLabel)) {
        label->setText(QString::number(value));
    }
    if (auto* slider = ControlById<QSlider>(page, setting.control)) {
        slider->setValue(value);
    }
}

void Fill(QWidget& page, int listId, std::span<const ChoiceEntry> choices) {
    if (auto* list = ControlById<QComboBox>(page, listId)) {
        FillChoiceList(*list, choices);
    }
}

}  // namespace

void InitUserServiceControls(QWidget& page, AppState& state) {
    SetUserServiceDefaults(state);
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        if (auto* slider = ControlById<QSlider>(page, setting.control)) {
            slider->setRange(setting.range.min, setting.range.max);
            slider->setPageStep(kSliderPageStep);
        }
    }
    Fill(page, user_service::kGdiTimeoutList, GdiTimeoutChoices);
    if (state.machineVariant != kVariantWithoutEnergySave) {
        Fill(page, user_service::kEnergySaveList, EnergySaveOnOffChoices());
    }
    Fill(page, user_service::kFlickerList, FlickerChoices);
    Fill(page, user_service::kImageAdjustList, ImageAdjustChoices);
    ShowUserServiceValues(page, state);
}

void StepSlider(QWidget& page, AppState& state, int trackbarId, ScrollCode code) {
    const UserServiceSetting* setting = FindUserServiceSetting(trackbarId);
    const auto* slider = ControlById<QSlider>(page, trackbarId);
    if (setting == nullptr || setting->valueLabel == 0 || slider == nullptr) {
        return;
    }
    std::int32_t& field = SettingField(state, *setting);
    field = SteppedSetting(field, code, slider->sliderPosition(), setting->range);
    ShowTrackbarSetting(page, *setting, field);
}

void ShowUserServiceValues(QWidget& page, const AppState& state) {
    for (const UserServiceSetting& setting : UserServiceSettings()) {
        const std::int32_t value = SettingField(state, setting);
        if (setting.valueLabel != 0) {
            ShowTrackbarSetting(page, setting, value);
        } else if (auto* list = ControlById<QComboBox>(page, setting.control)) {
            SelectItemWithData(*list, value);
        }
    }
}

}  // namespace rpanel
