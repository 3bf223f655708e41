#include "form_TXT.h"

#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentHost.h"
#include "DocumentPlace.h"
#include "Global.h"
#include "TextPieces.h"
#include "WorkProgress.h"
#include "form_SR.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {
// The document separates blocks with the paragraph separator; the file separates lines with "\n".
QString WithLineEnds(QString raw) {
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw;
}

// The pad breaks its lines at these as it does at a line end, so a save would write them as one.
bool HasCharactersThePadBreaksAt(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
    });
}

// Pieces this small keep what is on its way into the document small beside it, and cost no time.
constexpr qsizetype kPieceBytes = 1 << 20;

// The pad lays a line out whole, in time and memory that grow faster than the line; past this many
// characters the user is asked first.
constexpr qint64 kLongestLineShownQuickly = 1000000;

bool MayOpenLongLine(qint64 characters) {
    return qlx::MsgBox(
               QStringLiteral("This file has a line of ") + QString::number(characters) +
                   QStringLiteral(" characters, too long to show quickly.  Opening it may take minutes "
                                  "and a lot of memory.  Open it anyway?"),
               qlx::vbYesNo + qlx::vbExclamation + qlx::vbDefaultButton2,
               QStringLiteral("Text Pad")) == qlx::vbYes;
}
} // namespace

form_TXT::form_TXT(Global& global, DocumentHost& host)
    : DocumentWindow(global, host, DocType::TXT), pad(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("form_TXT"));
    setWindowTitle(QStringLiteral("Text Pad"));
    pad->setObjectName(QStringLiteral("pad"));
    pad->setContextMenuPolicy(Qt::CustomContextMenu);
    pad->installEventFilter(this);
    setWidget(pad);
    ApplyWordWrap();
    connect(pad, &QPlainTextEdit::textChanged, this, [this] { Altered(true); });
    UsePadHistory(pad, pad->document());
    connect(pad, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { host_.EditMenu()->popup(pad->viewport()->mapToGlobal(at)); });
    connect(host_.WordWrap(), &QAction::toggled, this, &form_TXT::ApplyWordWrap);
}

void form_TXT::NewTXT() {
    ApplyFont();
    if (g_.settings.startEditorsMax)
        showMaximized();
    Altered(false);
}

OpenResult form_TXT::OpenTXT(const QString& path) {
    TextPieces file(path, kPieceBytes);
    if (std::optional<FileError> error = file.Open())
        return OpenResult::Failed(*error);
    if (file.LongestLine() > kLongestLineShownQuickly && !MayOpenLongLine(file.LongestLine()))
        return OpenResult::Cancelled();
    setWindowTitle(QFileInfo(path).fileName());
    bool breaks = false;
    if (!Load(file, &breaks))
        return OpenResult::Failed(*file.Error());
    format_ = file.Format();
    Altered(false);
    AddToRecentFiles(path);
    pad->setFocus();
    if (breaks)
        qlx::MsgBox(QStringLiteral("This file holds paragraph separators or other characters that the text "
                                   "window shows as line breaks.  The file stays as it is unless you save "
                                   "it; a save writes a line end in their place."),
                    qlx::vbOKOnly + qlx::vbExclamation, QStringLiteral("Text Pad"));
    return {};
}

bool form_TXT::Load(TextPieces& file, bool* breaks) {
    // The font goes first so that the text is laid out once.
    ApplyFont();
    QTextDocument* document = pad->document();
    {
        // The document is no edit of the user's while it comes in.
        const QSignalBlocker quiet(pad);
        pad->setPlainText(QString());
        document->setUndoRedoEnabled(false);
        // The pad shows the text as it comes; the bar below shows how far it is.
        WorkProgress progress(this, QStringLiteral("Opening"), file.Size());
        // A scroll bar that comes with the text would narrow the pad, which then gives every line a
        // layout of its own, in memory and time that rival the text's. (So would hiding the pad.)
        const Qt::ScrollBarPolicy bar = pad->verticalScrollBarPolicy();
        pad->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        QTextCursor end(document);
        for (QString piece; file.Next(&piece); progress.Step(file.Done())) {
            *breaks = *breaks || HasCharactersThePadBreaksAt(piece);
            end.insertText(piece);
        }
        pad->setVerticalScrollBarPolicy(bar);
    }
    document->setUndoRedoEnabled(true);
    if (file.Error()) {
        pad->setPlainText(QString());
        return false;
    }
    document->setModified(false);
    pad->setTextCursor(QTextCursor(document));
    return true;
}

void form_TXT::ApplyFont() {
    pad->setFont(QFont(g_.settings.txtDefaultFont, g_.settings.txtDefaultSize));
}

bool form_TXT::WordWrap() const {
    return host_.WordWrap()->isChecked();
}

void form_TXT::ApplyWordWrap() {
    pad->setLineWrapMode(WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void form_TXT::EditWW() {
    // Every text window follows the check through its toggled signal.
    QAction* check = host_.WordWrap();
    check->setChecked(!check->isChecked());
}

QString form_TXT::Text() const {
    QStringList lines;
    Lines([&lines](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines.join(QLatin1Char('\n'));
}

bool form_TXT::Lines(const LineSink& sink) const {
    // A block's own text is its raw text, which keeps non-breaking spaces (the plain-text view of
    // the document drops them). Block by block, the document is never copied whole.
    for (QTextBlock block = pad->document()->begin(); block.isValid(); block = block.next())
        if (!sink(block.text()))
            return false;
    return true;
}

bool form_TXT::AskSaveName(QString* path, QString* title) {
    return AskSaveNameWith(QStringLiteral("Save Text File"),
                           QStringLiteral("Text File|") + g_.settings.txtFileFilter, QStringLiteral(".TXT"),
                           path, title);
}

bool form_TXT::WriteFile(const QString& path) {
    // The format may turn into UTF-8 on the way.
    return WriteLinesWithProgress(
        path, [this](const LineSink& sink) { return Lines(sink); }, pad->blockCount(), &format_);
}

QString form_TXT::Place() const {
    return DocumentPlace::OfCaret(pad->textCursor());
}

void form_TXT::GoTo(const QString& place) {
    pad->setTextCursor(DocumentPlace::Caret(pad->document(), place));
    pad->ensureCursorVisible();
}

void form_TXT::PrintDoc(QPrinter* printer) {
    printer->setPrintRange(pad->textCursor().hasSelection() ? QPrinter::Selection : QPrinter::AllPages);
    pad->print(printer);
}

void form_TXT::EditCut() {
    EditCopy();
    EditDelete();
}

void form_TXT::EditCopy() {
    QGuiApplication::clipboard()->setText(WithLineEnds(pad->textCursor().selectedText()));
}

void form_TXT::EditPaste() {
    pad->insertPlainText(QGuiApplication::clipboard()->text());
}

void form_TXT::EditDelete() {
    QTextCursor cursor = pad->textCursor();
    cursor.removeSelectedText();
}

void form_TXT::EditSelectAll() {
    pad->selectAll();
}

void form_TXT::EditTimeDate() {
    pad->insertPlainText(TimeAndDate());
}

void form_TXT::SearchFind() {
    form_SR::Serve(g_, *this, SearchEntry::Find);
}

void form_TXT::SearchReplace() {
    form_SR::Serve(g_, *this, SearchEntry::Replace);
}

void form_TXT::SearchAgain() {
    form_SR::Serve(g_, *this, SearchEntry::Again);
}

bool form_TXT::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pad && event->type() == QEvent::FocusIn)
        form_SR::PadFocusIn(g_, *this);
    if (watched == pad && event->type() == QEvent::KeyPress &&
        HandleKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return DocumentWindow::eventFilter(watched, event);
}

bool form_TXT::HandleKey(const QKeyEvent& key) {
    // While the search dialog is shown, Enter, Tab and Escape belong to it.
    if (form_SR::PadKeyPress(g_, *this, key))
        return true;
    // The pad's own clipboard keys are replaced so that only plain text is ever pasted.
    if (key.matches(QKeySequence::Paste))
        EditPaste();
    else if (key.matches(QKeySequence::Copy))
        EditCopy();
    else if (key.matches(QKeySequence::Cut))
        EditCut();
    else if (key.matches(QKeySequence::InsertLineSeparator))
        // Shift+Enter is a hard return like Enter: a line end in the file, not a separator character.
        pad->insertPlainText(QStringLiteral("\n"));
    else
        return false;
    return true;
}
