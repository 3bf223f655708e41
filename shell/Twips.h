// The classic forms measure in twips (1/1440 inch); the toolkit in pixels of a widget's or a
// screen's logical resolution. Every conversion rounds to the nearest pixel.
#pragma once

class QScreen;
class QSize;
class QWidget;

class Twips {
public:
    static int ToPixelsX(double twips, const QWidget& widget);
    static int ToPixelsY(double twips, const QWidget& widget);
    static QSize ToPixels(const QSize& twips, const QWidget& widget);
    static double FromPixelsX(int pixels, const QWidget& widget);
    static double FromPixelsY(int pixels, const QWidget& widget);

    static int ToPixelsX(double twips, const QScreen& screen);
    static int ToPixelsY(double twips, const QScreen& screen);
    static double FromPixelsX(int pixels, const QScreen& screen);
    static double FromPixelsY(int pixels, const QScreen& screen);

private:
    static int ToPixels(double twips, double dotsPerInch);
    static double FromPixels(int pixels, double dotsPerInch);
};
