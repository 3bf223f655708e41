// The library's windows exist once each: opening one again while it is shown brings back the same
// window. Each is deleted when it closes; one that is closed, or on its way out, is left to go and
// a new one takes its place.
// A new one opens centred over the program's main window and stays in front of it.
#pragma once

#include "Dialogs.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

template <class Form> Form& SingleForm() {
    static QPointer<Form> form;
    if (!form || !form->isVisible()) {
        form = new Form;
        form->setAttribute(Qt::WA_DeleteOnClose);
        if (QWidget* main = qlx::DialogParent()) {
            form->setParent(main, form->windowFlags() | Qt::Window);
            const QSize size = form->testAttribute(Qt::WA_Resized) ? form->size() : form->sizeHint();
            form->move(main->geometry().center() - QRect(QPoint(), size).center());
        }
    }
    return *form;
}
