#include "ScriptedResponder.h"

#include "CommonDialog.h"
#include "FileFilter.h"

#include <QDialog>
#include <QPrinter>
#include <QTest>

namespace {

QString KindName(DialogKind kind) {
    switch (kind) {
    case DialogKind::MsgBox:
        return QStringLiteral("message box");
    case DialogKind::InputBox:
        return QStringLiteral("input box");
    case DialogKind::Open:
        return QStringLiteral("open dialog");
    case DialogKind::Save:
        return QStringLiteral("save dialog");
    case DialogKind::Font:
        return QStringLiteral("font dialog");
    case DialogKind::Color:
        return QStringLiteral("color dialog");
    case DialogKind::Printer:
        return QStringLiteral("print dialog");
    case DialogKind::Form:
        return QStringLiteral("form");
    }
    return QString();
}

DialogKind KindOf(qlx::CommonDialogKind kind) {
    switch (kind) {
    case qlx::CommonDialogKind::Open:
        return DialogKind::Open;
    case qlx::CommonDialogKind::Save:
        return DialogKind::Save;
    case qlx::CommonDialogKind::Font:
        return DialogKind::Font;
    case qlx::CommonDialogKind::Color:
        return DialogKind::Color;
    case qlx::CommonDialogKind::Printer:
        return DialogKind::Printer;
    }
    return DialogKind::Printer;
}

QString Describe(const DialogCall& call) {
    return QStringLiteral("%1 \"%2\" titled \"%3\"").arg(KindName(call.kind), call.text, call.title);
}

void Fail(const QString& message) {
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    else
        qWarning("%s", qPrintable(message));
}

} // namespace

ScriptedResponder::ScriptedResponder() : previous_(&qlx::CurrentDialogResponder()) {
    qlx::SetDialogResponder(this);
}

ScriptedResponder::~ScriptedResponder() {
    qlx::SetDialogResponder(previous_);
    // A test that already failed has said what went wrong; left-over answers would only add noise.
    if (!QTest::currentTestFailed())
        verifyAllAnswered();
}

void ScriptedResponder::expectMsgBox(int answer, std::function<void()> whileShown) {
    Answer a;
    a.button = answer;
    a.whileShown = std::move(whileShown);
    queue(a);
}

void ScriptedResponder::expectInput(const QString& text) {
    Answer a;
    a.kind = DialogKind::InputBox;
    a.text = text;
    queue(a);
}

void ScriptedResponder::expectOpen(const QString& path, int filterIndex) {
    expectOpen(QStringList{path}, filterIndex);
}

void ScriptedResponder::expectOpen(const QStringList& paths, int filterIndex) {
    Answer a;
    a.kind = DialogKind::Open;
    a.paths = paths;
    a.filterIndex = filterIndex;
    queue(a);
}

void ScriptedResponder::expectSave(const QString& path, int filterIndex) {
    Answer a;
    a.kind = DialogKind::Save;
    a.paths = QStringList{path};
    a.filterIndex = filterIndex;
    queue(a);
}

void ScriptedResponder::expectFont(const QFont& font) {
    Answer a;
    a.kind = DialogKind::Font;
    a.font = font;
    queue(a);
}

void ScriptedResponder::expectColor(const QColor& color) {
    Answer a;
    a.kind = DialogKind::Color;
    a.color = color;
    queue(a);
}

void ScriptedResponder::expectPrinter(const QString& pdfPath) {
    Answer a;
    a.kind = DialogKind::Printer;
    a.text = pdfPath;
    queue(a);
}

void ScriptedResponder::expectForm(std::function<void(QDialog&)> act) {
    Answer a;
    a.kind = DialogKind::Form;
    a.act = std::move(act);
    queue(a);
}

void ScriptedResponder::expectCancel(DialogKind kind) {
    Answer a;
    a.kind = kind;
    a.accept = false;
    a.button = qlx::vbCancel;
    queue(a);
}

bool ScriptedResponder::verifyAllAnswered() {
    if (answers_.isEmpty())
        return true;
    QStringList left;
    for (const Answer& answer : answers_)
        left.append(KindName(answer.kind));
    Fail(QStringLiteral("Scripted answers never asked for: %1").arg(left.join(QStringLiteral(", "))));
    answers_.clear();
    return false;
}

bool ScriptedResponder::take(const DialogCall& call, Answer* answer) {
    calls_.append(call);
    if (answers_.isEmpty()) {
        Fail(QStringLiteral("Unexpected %1: no answer queued").arg(Describe(call)));
        return false;
    }
    if (answers_.first().kind != call.kind) {
        Fail(QStringLiteral("Unexpected %1: the next answer is for a %2")
                 .arg(Describe(call), KindName(answers_.first().kind)));
        return false;
    }
    *answer = answers_.takeFirst();
    return true;
}

int ScriptedResponder::msgBox(const QString& text, int style, const QString& title) {
    DialogCall call;
    call.text = text;
    call.title = title;
    call.style = style;
    call.buttons = qlx::MsgBoxButtons(style);
    call.icon = qlx::MsgBoxIcon(style);
    call.defaultButton = qlx::MsgBoxDefaultButton(style);
    Answer answer;
    if (!take(call, &answer))
        return qlx::MsgBoxEscapeResult(style);
    if (answer.whileShown)
        answer.whileShown();
    if (!qlx::MsgBoxButtonResults(style).contains(qlx::MsgBoxResult(answer.button))) {
        Fail(QStringLiteral("Scripted answer %1 is not a button of the %2")
                 .arg(answer.button)
                 .arg(Describe(call)));
        return qlx::MsgBoxEscapeResult(style);
    }
    return answer.button;
}

bool ScriptedResponder::inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                 QString* text) {
    DialogCall call;
    call.kind = DialogKind::InputBox;
    call.text = prompt;
    call.title = title;
    call.defaultText = defaultText;
    Answer answer;
    if (!take(call, &answer) || !answer.accept)
        return false;
    *text = answer.text;
    return true;
}

bool ScriptedResponder::commonDialog(CommonDialog& dialog, qlx::CommonDialogKind kind) {
    DialogCall call;
    call.kind = KindOf(kind);
    call.title = dialog.DialogTitle;
    call.dialog = dialog;
    Answer answer;
    if (!take(call, &answer) || !answer.accept)
        return false;
    switch (call.kind) {
    case DialogKind::Open:
    case DialogKind::Save:
        applyFiles(dialog, answer, call.kind == DialogKind::Save);
        break;
    case DialogKind::Font:
        dialog.ChooseFont(answer.font);
        break;
    case DialogKind::Color:
        dialog.Color = answer.color;
        break;
    case DialogKind::Printer:
        dialog.Printer().setOutputFormat(QPrinter::PdfFormat);
        dialog.Printer().setOutputFileName(answer.text);
        break;
    case DialogKind::MsgBox:
    case DialogKind::InputBox:
    case DialogKind::Form:
        break;
    }
    return true;
}

int ScriptedResponder::form(QDialog& dialog) {
    DialogCall call;
    call.kind = DialogKind::Form;
    call.text = dialog.objectName();
    call.title = dialog.windowTitle();
    Answer answer;
    dialog.setResult(QDialog::Rejected);
    // Shown as the user would see it, so that its layout and focus are those of the real form.
    dialog.show();
    if (take(call, &answer) && answer.accept && answer.act)
        answer.act(dialog);
    dialog.hide();
    return dialog.result();
}

void ScriptedResponder::applyFiles(CommonDialog& dialog, const Answer& answer, bool save) {
    if (answer.filterIndex > qlx::ParseFileFilter(dialog.Filter).size())
        Fail(QStringLiteral("Scripted filter %1 is not offered by \"%2\"")
                 .arg(answer.filterIndex)
                 .arg(dialog.Filter));
    if (save)
        dialog.ChooseSaveFile(answer.paths.value(0), answer.filterIndex);
    else
        dialog.ChooseFiles(answer.paths, answer.filterIndex);
}
