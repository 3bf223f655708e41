#include "Dialogs.h"

#include "NestedLoop.h"
#include "QtDialogResponder.h"

#include <QPointer>
#include <QWidget>

namespace qlx {

namespace {
DialogResponder* installed = nullptr;
QPointer<QWidget> parentWidget;
} // namespace

QList<MsgBoxResult> MsgBoxButtonResults(int style) {
    switch (MsgBoxButtons(style)) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

MsgBoxResult MsgBoxEscapeResult(int style) {
    const QList<MsgBoxResult> results = MsgBoxButtonResults(style);
    if (results.contains(vbCancel))
        return vbCancel;
    if (results.size() == 1)
        return results.first();
    return results.contains(vbNo) ? vbNo : vbAbort;
}

void SetDialogResponder(DialogResponder* responder) {
    installed = responder;
}

DialogResponder& CurrentDialogResponder() {
    static QtDialogResponder real;
    return installed ? *installed : real;
}

void SetDialogParent(QWidget* parent) {
    parentWidget = parent;
}

QWidget* DialogParent() {
    return parentWidget;
}

int MsgBox(const QString& text, int style, const QString& title) {
    const NestedLoop loop;
    return CurrentDialogResponder().msgBox(text, style, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    const NestedLoop loop;
    QString text;
    if (!CurrentDialogResponder().inputBox(prompt, title, defaultText, &text))
        return QString();
    return text;
}

int ShowForm(QDialog& dialog) {
    const NestedLoop loop;
    return CurrentDialogResponder().form(dialog);
}

} // namespace qlx
