// The library's controls carry the names the forms have always given them.
#pragma once

#include <QString>

template <class Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
