// The library's windows exist once each: opening one again while it is shown brings back the same
// window. Each is deleted when it closes; one that is closed, or on its way out, is left to go and
// a new one takes its place.
#pragma once

#include <QPointer>

template <class Form> Form& SingleForm() {
    static QPointer<Form> form;
    if (!form || !form->isVisible()) {
        form = new Form;
        form->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *form;
}
