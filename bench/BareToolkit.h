// What every bare-toolkit side does the same way: a widget the size the program gives its pads,
// and files read and written as UTF-8 in one piece.
#pragma once

#include <QString>

class QWidget;

class BareToolkit {
public:
    // Sizes and shows the widget, then serves the event queue until it is idle.
    static void ShowAsPad(QWidget& widget);
    // The whole file decoded, or an empty text when it cannot be read.
    static QString Read(const QString& path);
    // The text encoded and written through QSaveFile.
    static void Write(const QString& path, const QString& text);
};
