#include "DocumentWindow.h"

#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentDraft.h"
#include "DocumentFile.h"
#include "DocumentHost.h"
#include "DocumentWatch.h"
#include "Global.h"
#include "NestedLoop.h"
#include "Twips.h"
#include "UndoStep.h"
#include "WorkProgress.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QTextDocument>
#include <QTime>
#include <QUndoStack>

namespace {
const QString kChanged = QStringLiteral(" [CHANGED]");
const QString kFileChanged = QStringLiteral("File Changed");
// "1": a document without changes follows its file without asking.
const QString kReloadUnchanged = QStringLiteral("Reload Unchanged Files");
const QString kLastSearch = QStringLiteral("Last Search");

// Outer sizes in twips: the registry window holds a tree above a list, the rich-text window a
// toolbar above its pad.
QSize ContentTwips(DocType type) {
    switch (type) {
    case DocType::INI:
        return {6800, 4800};
    case DocType::REG:
        return {9600, 6600};
    case DocType::RTF:
        return {9000, 6000};
    case DocType::TXT:
        break;
    }
    return {7200, 4800};
}
} // namespace

DocumentWindow::DocumentWindow(Global& global, DocumentHost& host, DocType type)
    : g_(global), host_(host), type_(type), steps_(new QUndoStack(this)), watch_(new DocumentWatch(this)),
      draft_(new DocumentDraft(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    connect(steps_, &QUndoStack::indexChanged, this, &DocumentWindow::ShowUndoState);
    // Not while a prompt or an import is under way, which may hold the document half made.
    connect(draft_, &DocumentDraft::due, this,
            [this] { qlx::NestedLoop::WhenIdle(this, [this] { WriteDraft(); }); });
    // Only the document in front asks at once; the others ask when they come to the front.
    connect(watch_, &DocumentWatch::touched, this, [this] {
        if (g_.activeDocument == this && QGuiApplication::applicationState() == Qt::ApplicationActive)
            qlx::NestedLoop::WhenIdle(this, [this] { CheckFile(); });
    });
    // The frame's own menu closes by Ctrl+W as well, which belongs to Save All of the program.
    for (QAction* action : systemMenu()->actions())
        action->setShortcut(QKeySequence());
}

DocumentWindow::~DocumentWindow() {
    // The history goes with the window, which no longer shows its state.
    steps_->disconnect(this);
}

QString DocumentWindow::TypeName(DocType type) {
    switch (type) {
    case DocType::INI:
        return QStringLiteral("INI");
    case DocType::REG:
        return QStringLiteral("REG");
    case DocType::RTF:
        return QStringLiteral("RTF");
    case DocType::TXT:
        break;
    }
    return QStringLiteral("TXT");
}

const QString& DocumentWindow::SlotPath() const {
    return g_.Slot(type_, Slot()).path;
}

const QString& DocumentWindow::SlotTitle() const {
    return g_.Slot(type_, Slot()).title;
}

bool& DocumentWindow::SlotChanged() {
    return g_.Slot(type_, Slot()).changed;
}

void DocumentWindow::Altered(bool changed) {
    SlotChanged() = changed;
    // Saved, discarded or read anew: no unsaved work left to keep.
    if (changed)
        draft_->Due();
    else
        draft_->Remove();
    QString caption = windowTitle();
    if (!changed && caption.endsWith(kChanged))
        caption.chop(kChanged.size());
    else if (changed && !caption.endsWith(kChanged))
        caption += kChanged;
    setWindowTitle(caption);
}

void DocumentWindow::Activate() {
    g_.activeDocument = this;
    host_.SetMenuState(TypeName(type_));
    ShowUndoState();
    // A window activated while a prompt is up asks once the prompt has returned.
    qlx::NestedLoop::WhenIdle(this, [this] { CheckFile(); });
}

void DocumentWindow::EditUndo() {
    if (pad_) {
        QMetaObject::invokeMethod(pad_, "undo");
        return;
    }
    steps_->undo();
    Altered(!steps_->isClean());
}

void DocumentWindow::EditRedo() {
    if (pad_) {
        QMetaObject::invokeMethod(pad_, "redo");
        return;
    }
    steps_->redo();
    Altered(!steps_->isClean());
}

void DocumentWindow::UsePadHistory(QWidget* pad, QTextDocument* document) {
    pad_ = pad;
    padDocument_ = document;
    connect(document, &QTextDocument::undoAvailable, this, &DocumentWindow::ShowUndoState);
    connect(document, &QTextDocument::redoAvailable, this, &DocumentWindow::ShowUndoState);
}

void DocumentWindow::PushStep(std::function<void()> undo, std::function<void()> redo) {
    steps_->push(new UndoStep(std::move(undo), std::move(redo)));
}

void DocumentWindow::ClearSteps() {
    steps_->clear();
}

bool DocumentWindow::CanUndo() const {
    return padDocument_ ? padDocument_->isUndoAvailable() : steps_->canUndo();
}

bool DocumentWindow::CanRedo() const {
    return padDocument_ ? padDocument_->isRedoAvailable() : steps_->canRedo();
}

void DocumentWindow::ShowUndoState() {
    if (g_.activeDocument != this)
        return;
    for (const char* name : {"menu_EditUndo", "menu_EditRegUndo"})
        host_.MenuItem(QString::fromLatin1(name))->setEnabled(CanUndo());
    for (const char* name : {"menu_EditRedo", "menu_EditRegRedo"})
        host_.MenuItem(QString::fromLatin1(name))->setEnabled(CanRedo());
}

void DocumentWindow::FollowFile() {
    watch_->Follow(SlotPath(), FileStamp::Last(SlotPath()));
}

void DocumentWindow::Recovered(const FileStamp& base) {
    watch_->Follow(SlotPath(), base);
    Altered(true);
}

void DocumentWindow::WriteDraft() {
    if (!SlotChanged() || Tag.isEmpty())
        return;
    // A text its file's encoding cannot hold keeps no draft: asking would interrupt the user.
    const DocumentFile::Quiet quiet;
    Draft info;
    info.type = type_;
    info.path = SlotPath();
    info.title = SlotTitle();
    info.base = watch_->Known();
    draft_->Write([this](const QString& bytesPath) { return WriteFile(bytesPath); }, info);
}

void DocumentWindow::CheckFile() {
    const DocumentWatch::State state = watch_->Check();
    if (state == DocumentWatch::State::Same || Tag.isEmpty() || !watch_->FirstAsk())
        return;
    if (state == DocumentWatch::State::Removed) {
        qlx::MsgBox(QStringLiteral("This file was removed by another program.  Saving the document writes it "
                                   "anew.\r") +
                        SlotPath(),
                    qlx::vbOKOnly + qlx::vbExclamation, QStringLiteral("File Removed"));
        return;
    }
    // Edits are kept unless the user says otherwise.
    const bool edited = SlotChanged();
    if (!edited && Settings::IsOn(g_.settings.Read(kReloadUnchanged))) {
        Reload();
        return;
    }
    const QString question = edited
                                 ? QStringLiteral("This file was changed by another program.  Reload it and "
                                                  "lose your changes?\r")
                                 : QStringLiteral("This file was changed by another program.  Reload it?\r");
    const int style =
        edited ? qlx::vbYesNo + qlx::vbExclamation + qlx::vbDefaultButton2 : qlx::vbYesNo + qlx::vbQuestion;
    if (qlx::MsgBox(question + SlotPath(), style, kFileChanged) == qlx::vbYes)
        Reload();
}

bool DocumentWindow::ChangedElsewhere() {
    return watch_->Check() == DocumentWatch::State::Changed;
}

void DocumentWindow::Reload() {
    const QString place = Place();
    const Qt::WindowStates state = windowState();
    // The file is already in the recent files; reading it again does not move it.
    g_.suppressRecent = true;
    New();
    setWindowState(state);
    const OpenResult result = Open(SlotPath(), SlotTitle());
    g_.suppressRecent = false;
    if (result.state == OpenResult::State::Failed)
        DocumentFile::ShowOpenError(SlotPath(), result.error);
    GoTo(place);
    FollowFile();
}

bool DocumentWindow::MayOverwrite() {
    if (!ChangedElsewhere())
        return true;
    return qlx::MsgBox(QStringLiteral("This file was changed by another program since it was read or saved.  "
                                      "Overwrite it?\r") +
                           SlotPath(),
                       qlx::vbYesNo + qlx::vbExclamation, kFileChanged) == qlx::vbYes;
}

QSize DocumentWindow::sizeHint() const {
    const QSize twips = ContentTwips(type_);
    QSize size = Twips::ToPixels(twips, *this);
    if (const QMdiArea* area = mdiArea())
        size = size.boundedTo(area->viewport()->size());
    return size.expandedTo(minimumSizeHint());
}

QSize DocumentWindow::minimumSizeHint() const {
    return Twips::ToPixels(QSize(3600, 2400), *this).expandedTo(QMdiSubWindow::minimumSizeHint());
}

bool DocumentWindow::QueryClose() {
    if (!SlotChanged()) {
        Altered(false);
        return true;
    }
    switch (qlx::MsgBox(QStringLiteral("Save this file?\r") + SlotPath(),
                        qlx::vbYesNoCancel + qlx::vbQuestion, QStringLiteral("Document Changed"))) {
    case qlx::vbYes:
        // A save that did not happen (dialog cancelled, write failed) keeps the document.
        if (!SaveFile())
            return false;
        Altered(false);
        return true;
    case qlx::vbNo:
        Altered(false);
        return true;
    default:
        return false;
    }
}

bool DocumentWindow::ExitForm() {
    return QueryClose();
}

void DocumentWindow::FileClose() {
    if (!g_.exiting)
        close();
}

void DocumentWindow::PrintDoc(QPrinter*) {}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    // During exit the shell has already dealt with every document.
    if (g_.exiting) {
        event->accept();
        return;
    }
    if (!QueryClose()) {
        event->ignore();
        host_.SetMenuState(TypeName(type_));
        return;
    }
    Tag.clear();
    event->accept();
    host_.SetMenuState(QStringLiteral("MDI"));
}

bool DocumentWindow::Save(bool askName) {
    QString path = askName ? QString() : SlotPath();
    QString title = SlotTitle();
    if (path.isEmpty() && !AskSaveName(&path, &title))
        return false;
    if (path == SlotPath() && !MayOverwrite())
        return false;
    if (!WriteFile(path))
        return false;
    DocumentSlot& entry = g_.Slot(type_, Slot());
    entry.path = path;
    entry.title = title;
    Saved(title);
    setWindowTitle(title);
    steps_->setClean();
    Altered(false);
    FollowFile();
    return true;
}

void DocumentWindow::Saved(const QString&) {}

bool DocumentWindow::AskSaveNameWith(const QString& dialogTitle, const QString& filter,
                                     const QString& defaultExt, QString* path, QString* title) {
    CommonDialog& dialog = host_.Dialog();
    for (;;) {
        dialog.InitDir = g_.settings.LastSaveFolder(QString());
        dialog.DialogTitle = dialogTitle;
        dialog.Filter = filter;
        dialog.FilterIndex = 1;
        dialog.DefaultExt = defaultExt;
        dialog.FileName.clear();
        dialog.Flags = qlx::OFN_HIDEREADONLY;
        if (!dialog.ShowSave() || dialog.FileName.isEmpty())
            return false;
        if (!QFileInfo(dialog.FileName).isFile())
            break;
        const int answer = qlx::MsgBox(QStringLiteral("Overwrite existing file?"),
                                       qlx::vbYesNoCancel + qlx::vbQuestion, QStringLiteral("File Exists"));
        if (answer == qlx::vbYes)
            break;
        if (answer != qlx::vbNo)
            return false;
    }
    *path = dialog.FileName;
    *title = dialog.FileTitle;
    g_.settings.LastSaveFolder(QFileInfo(*path).absolutePath());
    return true;
}

bool DocumentWindow::WriteLinesWithProgress(const QString& path, const LineSource& lines, qint64 count,
                                            TextFormat* format) {
    WorkProgress progress(this, QStringLiteral("Saving"), count);
    const LineSource stepped = [&](const LineSink& sink) {
        qint64 done = 0;
        return lines([&](QStringView line) {
            progress.Step(++done);
            return sink(line);
        });
    };
    TextFormat written = *format;
    if (!DocumentFile::Save(path, stepped, &written))
        return false;
    *format = std::move(written);
    return true;
}

void DocumentWindow::FindWrapping(const QString& text, const std::function<bool(bool fromTop)>& search) {
    if (search(false))
        return;
    const QString caption = QStringLiteral("Find");
    const QString notFound = QStringLiteral("Couldn't find \"") + text + QLatin1Char('"');
    if (qlx::MsgBox(notFound + QStringLiteral("\r\rContinue ") + caption + QStringLiteral(" from the top?"),
                    qlx::vbYesNo + qlx::vbQuestion, caption) == qlx::vbYes &&
        !search(true))
        qlx::MsgBox(notFound, qlx::vbOKOnly + qlx::vbInformation, caption);
}

QString DocumentWindow::SearchTextOr(const QString& text, const QString& settingsKey) const {
    return text.isEmpty() ? g_.settings.Read(kLastSearch, settingsKey) : text;
}

void DocumentWindow::KeepSearch(const QString& text, const QString& settingsKey) {
    g_.settings.Write(kLastSearch, text, settingsKey);
}

void DocumentWindow::RepeatSearch(QString* text, const QString& settingsKey,
                                  const std::function<void()>& findNext) {
    *text = SearchTextOr(*text, settingsKey);
    if (text->isEmpty())
        SearchFind();
    else
        findNext();
}

QString DocumentWindow::TimeAndDate() {
    const QLocale locale = QLocale::system();
    return locale.toString(QTime::currentTime(), QLocale::ShortFormat) + QStringLiteral(" - ") +
           locale.toString(QDate::currentDate(), QLocale::ShortFormat);
}

void DocumentWindow::AddToRecentFiles(const QString& path) {
    if (g_.suppressRecent) {
        g_.suppressRecent = false;
        return;
    }
    host_.FileOpened(path);
}
