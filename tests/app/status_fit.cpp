#include "status_fit.h"

#include <QFontMetricsF>
#include <QGroupBox>
#include <QTabWidget>
#include <cmath>
#include <string>

#include "app/main_window_ids.h"
#include "gui/window_text.h"
#include "panel/panel_page_ids.h"
#include "panel/status_display_lines.h"
#include "panel/status_display_table.h"
#include "panel/status_painting.h"

namespace rpanel {

std::vector<TextMisfit> FindStatusDisplayMisfits(const QWidget& mainWindow) {
    const QWidget& page = *ControlById<QTabWidget>(mainWindow, main_window::kTabControl)->widget(0);
    const QRect groupBox =
        GroupBoxInPage(page, *ControlById<QGroupBox>(page, panel_page::kRemotePanelBox));
    const int pageWidth = page.width();
    const QFontMetricsF metrics(StatusDisplayFont());
    // The frame's right line is the first pixel column that a line must not reach.
    const int frameRight = DisplayFrame(groupBox).right();
    std::vector<TextMisfit> misfits;
    for (const StatusDisplayEntry& entry : StatusDisplayTable()) {
        const std::vector<std::string> lines = StatusDisplayLines(entry.code);
        for (std::size_t line = 0; line < lines.size(); ++line) {
            const QString text = QString::fromStdString(lines[line]);
            const int left = DisplayLinePosition(groupBox, static_cast<int>(line)).x();
            const int needed = static_cast<int>(std::ceil(metrics.horizontalAdvance(text)));
            const int room = frameRight - left;
            if (needed <= room) {
                continue;
            }
            const bool cut = left + needed > pageWidth;
            misfits.push_back(
                {QStringLiteral("status %1 line %2")
                     .arg(QString::fromLatin1(entry.code.data(), entry.code.size()))
                     .arg(line + 1),
                 text,
                 QStringLiteral("needs %1 px, the frame has %2 px%3")
                     .arg(needed)
                     .arg(room)
                     .arg(cut ? QStringLiteral(", cut off at the page's edge") : QString())});
        }
    }
    return misfits;
}

}  // namespace rpanel
