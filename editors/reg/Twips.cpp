#include "Twips.h"

#include <QWidget>

#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440.0;
} // namespace

int Twips::ToPixelsX(double twips, const QWidget& widget) {
    return int(std::lround(twips * widget.logicalDpiX() / kTwipsPerInch));
}

int Twips::ToPixelsY(double twips, const QWidget& widget) {
    return int(std::lround(twips * widget.logicalDpiY() / kTwipsPerInch));
}

double Twips::FromPixelsX(int pixels, const QWidget& widget) {
    return pixels * kTwipsPerInch / widget.logicalDpiX();
}

double Twips::FromPixelsY(int pixels, const QWidget& widget) {
    return pixels * kTwipsPerInch / widget.logicalDpiY();
}
