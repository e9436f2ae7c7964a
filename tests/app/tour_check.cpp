#include "tour_check.h"

#include "status_fit.h"
#include "window_tour.h"

namespace rpanel {

std::vector<TextMisfit> FindMisfits(const QString& name, const QWidget& window) {
    std::vector<TextMisfit> misfits = FindTextMisfits(window);
    if (name == QLatin1String(kPanelWindowName)) {
        for (TextMisfit& misfit : FindStatusDisplayMisfits(window)) {
            misfits.push_back(std::move(misfit));
        }
    }
    return misfits;
}

}  // namespace rpanel
