#include "panel/status_painting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "panel/status_display_lines.h"

namespace rpanel {
namespace {

constexpr int kCellHeight = 15;

}  // namespace

QRect GroupBoxInPage(const QWidget& page, const QWidget& groupBox) {
    return {groupBox.mapTo(&page, QPoint(0, 0)), groupBox.size()};
}

QRect DisplayFrame(const QRect& groupBox) {
    const int left = groupBox.left();
    const int top = groupBox.top();
    const int right = groupBox.left() + groupBox.width();
    return QRect(QPoint(left + 150, top + 20), QPoint(right - 10, top + 90)).adjusted(0, 0, -1, -1);
}

QPoint DisplayLinePosition(const QRect& groupBox, int line) {
    return groupBox.topLeft() + QPoint(160, 30 + 20 * line);
}

QFont StatusDisplayFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setWeight(QFont::Normal);
    font.setPixelSize(kCellHeight);
    // Qt sizes a font by its em, which is smaller than the cell: scale the em so that the
    // cell comes out at 15 pixels and the two lines, 20 pixels apart, keep their spacing.
    const qreal cell = QFontMetricsF(font).height();
    font.setPixelSize(std::max(1, qRound(kCellHeight * kCellHeight / cell)));
    return font;
}

void PaintPanelFrame(QPainter& painter, const QRect& groupBox) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    // A stroked rectangle covers one pixel more than its size in each direction.
    painter.drawRect(DisplayFrame(groupBox).adjusted(0, 0, -1, -1));
    painter.restore();
}

void DrawStatusText(QPainter& painter, const QRect& groupBox, const StatusCode& code) {
    const std::vector<std::string> lines = StatusDisplayLines(code);
    if (lines.empty()) {
        return;
    }
    painter.save();
    painter.setFont(StatusDisplayFont());
    painter.setPen(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const int ascent = painter.fontMetrics().ascent();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const QString text =
            QString::fromUtf8(lines[i].data(), static_cast<qsizetype>(lines[i].size()));
        painter.drawText(DisplayLinePosition(groupBox, i) + QPoint(0, ascent), text);
    }
    painter.restore();
}

}  // namespace rpanel
