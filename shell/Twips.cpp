#include "Twips.h"

#include <QScreen>
#include <QSize>
#include <QWidget>

#include <cmath>

namespace {
constexpr double kTwipsPerInch = 1440.0;
} // namespace

int Twips::ToPixels(double twips, double dotsPerInch) {
    return int(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double Twips::FromPixels(int pixels, double dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

int Twips::ToPixelsX(double twips, const QWidget& widget) {
    return ToPixels(twips, widget.logicalDpiX());
}

int Twips::ToPixelsY(double twips, const QWidget& widget) {
    return ToPixels(twips, widget.logicalDpiY());
}

QSize Twips::ToPixels(const QSize& twips, const QWidget& widget) {
    return {ToPixelsX(twips.width(), widget), ToPixelsY(twips.height(), widget)};
}

double Twips::FromPixelsX(int pixels, const QWidget& widget) {
    return FromPixels(pixels, widget.logicalDpiX());
}

double Twips::FromPixelsY(int pixels, const QWidget& widget) {
    return FromPixels(pixels, widget.logicalDpiY());
}

int Twips::ToPixelsX(double twips, const QScreen& screen) {
    return ToPixels(twips, screen.logicalDotsPerInchX());
}

int Twips::ToPixelsY(double twips, const QScreen& screen) {
    return ToPixels(twips, screen.logicalDotsPerInchY());
}

double Twips::FromPixelsX(int pixels, const QScreen& screen) {
    return FromPixels(pixels, screen.logicalDotsPerInchX());
}

double Twips::FromPixelsY(int pixels, const QScreen& screen) {
    return FromPixels(pixels, screen.logicalDotsPerInchY());
}
