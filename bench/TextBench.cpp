#include "TextBench.h"

#include "Answers.h"
#include "BareToolkit.h"
#include "BenchShell.h"
#include "DocumentWindow.h"
#include "EventQueue.h"
#include "TextInput.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

bool FoundLastWord(const QPlainTextEdit& pad) {
    return pad.textCursor().selectedText() == QLatin1String(TextInput::kLastWord);
}

// The search dialog's Find Next for the last word; negative when it did not select it.
double FindOurs(DocumentWindow* window) {
    // The word lies below the caret at the top, so no question comes; one would be a failure.
    const Answers none(qlx::vbNo);
    window->SearchFind();
    QWidget* main = window->window();
    main->findChild<QLineEdit*>(QStringLiteral("txt_SearchString"))->setText(TextInput::kLastWord);
    EventQueue::ServeUntilIdle();
    QPushButton* findNext = main->findChild<QPushButton*>(QStringLiteral("cmd_FindNext"));
    const double milliseconds = EventQueue::TimedUntilIdle([&] { findNext->click(); });
    const auto* pad = window->findChild<QPlainTextEdit*>(QStringLiteral("pad"));
    return none.Asked() == 0 && FoundLastWord(*pad) ? milliseconds : -1;
}

} // namespace

void TextBench::Ours(const ChildRun::Record& record) const {
    BenchShell shell(folder_);
    DocumentWindow* window = shell.OpenCopy(input_, folder_ + "/ours.txt", DocType::TXT, record);
    record(EventQueue::TimedUntilIdle([&] { window->SaveFile(); }));
    record(FindOurs(window));
}

void TextBench::Bare(const ChildRun::Record& record) const {
    QPlainTextEdit pad;
    BareToolkit::ShowAsPad(pad);
    record(EventQueue::TimedUntilIdle([&] { pad.setPlainText(BareToolkit::Read(input_)); }));
    record(EventQueue::TimedUntilIdle(
        [&] { BareToolkit::Write(folder_ + "/saved-bare.txt", pad.toPlainText()); }));
    record(EventQueue::TimedUntilIdle([&] {
        pad.setTextCursor(pad.document()->find(TextInput::kLastWord, 0));
        pad.ensureCursorVisible();
    }));
}
