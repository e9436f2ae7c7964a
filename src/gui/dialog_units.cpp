#include "gui/dialog_units.h"

#include <QFont>
#include <QFontMetrics>

namespace rpanel {
namespace {

constexpr int kAlphabetLength = 52;

// value * numerator / denominator rounded half up, as MulDiv does for the non-negative values
// that templates hold.
int ScaleRounded(int value, int numerator, int denominator) {
    return (2 * value * numerator + denominator) / (2 * denominator);
}

}  // namespace

DialogBaseUnits BaseUnitsFromMetrics(int alphabetWidth, int fontHeight) {
    return {.x = ScaleRounded(alphabetWidth, 1, kAlphabetLength), .y = fontHeight};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    return BaseUnitsFromMetrics(metrics.horizontalAdvance(QStringLiteral(
                                    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
                                metrics.height());
}

int HorizontalPixels(int dialogUnits, DialogBaseUnits units) {
    return ScaleRounded(dialogUnits, units.x, 4);
}

int VerticalPixels(int dialogUnits, DialogBaseUnits units) {
    return ScaleRounded(dialogUnits, units.y, 8);
}

QRect ToPixels(const DialogRect& rect, DialogBaseUnits units) {
    return {HorizontalPixels(rect.x, units), VerticalPixels(rect.y, units),
            HorizontalPixels(rect.width, units), VerticalPixels(rect.height, units)};
}

}  // namespace rpanel
