// Answers the program's prompts from a script and records every prompt, so that tests run headless.
//
//     ScriptedResponder r;                 // installed until it goes out of scope
//     r.expectMsgBox(qlx::vbYes);
//     r.expectSave(env.path("a.ini"));
//     window.SaveAs();
//     QCOMPARE(r.calls().at(0).text, "Overwrite existing file?");
//     QCOMPARE(r.calls().at(0).icon, qlx::vbQuestion);
//
// A prompt without a matching answer fails the running test and is answered as a cancel (Escape for a
// message box), so the code under test goes on. Answers left over fail the test when the responder is
// destroyed, or earlier through verifyAllAnswered().
#pragma once

#include "CommonDialogProperties.h"
#include "Dialogs.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

enum class DialogKind { MsgBox, InputBox, Open, Save, Font, Color, Printer, Form };

// One prompt as the code under test showed it.
struct DialogCall {
    DialogKind kind = DialogKind::MsgBox;
    // Message box text, input box prompt or a form's object name; the title as passed (DialogTitle
    // for common dialogs, the caption of a form).
    QString text;
    QString title;
    // Message boxes: the style value and its parts (qlx::vbYesNo, qlx::vbQuestion, position from 1).
    int style = 0;
    int buttons = 0;
    int icon = 0;
    int defaultButton = 1;
    // Input boxes: the default answer.
    QString defaultText;
    // Common dialogs: the properties as the dialog was shown with them.
    CommonDialogProperties dialog;
};

class ScriptedResponder : public qlx::DialogResponder {
public:
    ScriptedResponder();
    ~ScriptedResponder() override;
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    // Answers, used in the order queued. A filter index of 0 keeps the one the dialog was shown with.
    // whileShown runs while the box is up, as if the user had not answered yet (signals,
    // hand-offs and timers are served then); the answer comes after it.
    void expectMsgBox(int answer, std::function<void()> whileShown = {});
    void expectInput(const QString& text);
    void expectOpen(const QString& path, int filterIndex = 0);
    void expectOpen(const QStringList& paths, int filterIndex = 0);
    void expectSave(const QString& path, int filterIndex = 0);
    void expectFont(const QFont& font);
    void expectColor(const QColor& color);
    // Chooses a printer that writes a PDF file at that path.
    void expectPrinter(const QString& pdfPath);
    // The next modal form is shown and acted on as the user would (typing, clicking OK or Cancel);
    // its result is what the acting left (Rejected unless it accepted the form).
    void expectForm(std::function<void(QDialog&)> act);
    // The user cancels that prompt (a message box is answered with Cancel).
    void expectCancel(DialogKind kind);

    const QList<DialogCall>& calls() const { return calls_; }
    // Fails the running test when answers are left over; true when none are.
    bool verifyAllAnswered();

    int msgBox(const QString& text, int style, const QString& title) override;
    bool inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                  QString* text) override;
    bool commonDialog(CommonDialog& dialog, qlx::CommonDialogKind kind) override;
    int form(QDialog& dialog) override;

private:
    struct Answer {
        DialogKind kind = DialogKind::MsgBox;
        bool accept = true;
        int button = 0;
        QString text;
        QStringList paths;
        int filterIndex = 0;
        QFont font;
        QColor color;
        std::function<void()> whileShown;
        std::function<void(QDialog&)> act;
    };

    void queue(Answer answer) { answers_.append(std::move(answer)); }
    // Records the call and hands out the next answer when it is of the call's kind.
    bool take(const DialogCall& call, Answer* answer);
    void applyFiles(CommonDialog& dialog, const Answer& answer, bool save);

    qlx::DialogResponder* previous_;
    QList<DialogCall> calls_;
    QList<Answer> answers_;
};
