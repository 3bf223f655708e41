// The one seam through which every message box, input box, common dialog and modal form of the
// program passes.
// In the program a real Qt dialog answers; a test installs a responder that answers from a script.
#pragma once

#include <QList>
#include <QString>

class CommonDialog;
class QDialog;
class QWidget;

namespace qlx {

// Button sets, icons and default buttons of a message box, combined by addition as the classic
// message box took them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The button the user pressed.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// The parts of a style value: the button set (vbOKOnly .. vbRetryCancel), the icon (0 or vbCritical ..
// vbInformation) and the default button as a position from 1.
constexpr int MsgBoxButtons(int style) {
    return style & 0x0F;
}
constexpr int MsgBoxIcon(int style) {
    return style & 0x70;
}
constexpr int MsgBoxDefaultButton(int style) {
    return ((style >> 8) & 3) + 1;
}

// The answers of a style's buttons in the order the box shows them.
QList<MsgBoxResult> MsgBoxButtonResults(int style);
// What Escape answers: Cancel where the box has one, else its only button, else No, else Abort.
MsgBoxResult MsgBoxEscapeResult(int style);

// The common dialogs a CommonDialog can show.
enum class CommonDialogKind { Open, Save, Font, Color, Printer };

// Who answers the prompts. The default shows real Qt dialogs.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    virtual int msgBox(const QString& text, int style, const QString& title) = 0;
    // Returns false when the user cancelled; the answer is in *text.
    virtual bool inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                          QString* text) = 0;
    // Shows the dialog described by the object's properties and stores the choice back into it.
    // Returns false when the user cancelled.
    virtual bool commonDialog(CommonDialog& dialog, CommonDialogKind kind) = 0;
    // Shows one of the program's own modal forms; its controls then hold what the user entered.
    // Returns the form's result (QDialog::Accepted or QDialog::Rejected).
    virtual int form(QDialog& dialog) = 0;
};

// Installs a responder (nullptr restores the real dialogs). The caller keeps ownership.
void SetDialogResponder(DialogResponder* responder);
DialogResponder& CurrentDialogResponder();

// Parent of the real dialogs (the main window once it exists). Forgotten when the widget is destroyed.
void SetDialogParent(QWidget* parent);
QWidget* DialogParent();

int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());
// The empty text when the user cancelled, as the classic input box answered.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString());
// Shows a modal form of the program (a value editor, a licence viewer ...) and returns its result.
int ShowForm(QDialog& dialog);

} // namespace qlx
