// The classic forms measure in twips (1/1440 inch); the toolkit in pixels of the widget's screen.
#pragma once

class QWidget;

class Twips {
public:
    static int ToPixelsX(double twips, const QWidget& widget);
    static int ToPixelsY(double twips, const QWidget& widget);
    static double FromPixelsX(int pixels, const QWidget& widget);
    static double FromPixelsY(int pixels, const QWidget& widget);
};
