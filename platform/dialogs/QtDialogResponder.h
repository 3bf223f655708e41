// The responder of the running program: real Qt dialogs, parented to the dialog parent.
#pragma once

#include "Dialogs.h"

namespace qlx {

class QtDialogResponder : public DialogResponder {
public:
    int msgBox(const QString& text, int style, const QString& title) override;
    bool inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                  QString* text) override;
    bool commonDialog(CommonDialog& dialog, CommonDialogKind kind) override;
    int form(QDialog& dialog) override;

private:
    static bool showFile(CommonDialog& dialog, bool save);
    static bool showFont(CommonDialog& dialog);
    static bool showColor(CommonDialog& dialog);
    static bool showPrinter(CommonDialog& dialog);
};

} // namespace qlx
