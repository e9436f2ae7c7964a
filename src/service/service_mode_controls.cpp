#include "service/service_mode_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include "gui/choice_list.h"
#include "gui/window_text.h"
#include "service/service_choices.h"
#include "service/service_mode.h"

namespace rpanel {
namespace {

enum class Counters { Keep, Show };

void ShowValues(QWidget& page, const AppState& state, Counters counters) {
    for (const ServiceModeValue& value : ServiceModeValues()) {
        const std::int32_t field = ValueField(state, value);
        switch (value.kind) {
            case ServiceModeKind::Warning:
                ControlById<QCheckBox>(page, value.control)->setChecked(field == 1);
                break;
            case ServiceModeKind::Temperature:
                SelectItemWithData(*ControlById<QComboBox>(page, value.control), field);
                break;
            case ServiceModeKind::Counter:
                if (counters == Counters::Show) {
                    ControlById<QLabel>(page, value.control)->setText(QString::number(field));
                }
                break;
        }
    }
}

}  // namespace

void InitServiceModeControls(QWidget& page, AppState& state) {
    SetServiceModeDefaults(state);
    for (const ServiceModeValue& value : ServiceModeValues()) {
        if (value.kind == ServiceModeKind::Temperature) {
            FillChoiceList(*ControlById<QComboBox>(page, value.control), TemperatureChoices);
        }
    }
    ShowValues(page, state, Counters::Keep);
}

void ShowServiceModeValues(QWidget& page, const AppState& state) {
    ShowValues(page, state, Counters::Show);
}

}  // namespace rpanel
