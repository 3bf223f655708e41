#include "form_RTF.h"

#include "CommonDialog.h"
#include "DocumentFile.h"
#include "DocumentPlace.h"
#include "FileBytes.h"
#include "Global.h"
#include "RtfPad.h"
#include "RtfPage.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "SelectionFormat.h"
#include "ToolbarIcons.h"
#include "WorkProgress.h"
#include "form_SR.h"
#include "DocumentHost.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPrinter>
#include <QTextBlock>
#include <QTextList>
#include <QToolBar>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace {
// The largest font size a rich-text box takes, in points.
constexpr qreal kLargestSize = 1638;
// A new bulleted paragraph is indented by one level of the toolkit's lists.
constexpr int kBulletIndent = 1;

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}
} // namespace

form_RTF::form_RTF(Global& global, DocumentHost& host) : DocumentWindow(global, host, DocType::RTF), pad(new RtfPad) {
    setObjectName(QStringLiteral("form_RTF"));
    setWindowTitle(QStringLiteral("RTF Pad"));
    auto* client = new QWidget;
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    Toolbar1 = BuildToolbar();
    layout->addWidget(Toolbar1);
    pad->setObjectName(QStringLiteral("pad"));
    pad->setContextMenuPolicy(Qt::CustomContextMenu);
    pad->installEventFilter(this);
    layout->addWidget(pad);
    setWidget(client);
    ApplyWordWrap();
    connect(pad, &QTextEdit::textChanged, this, &form_RTF::ChangeHandling);
    UsePadHistory(pad, pad->document());
    connect(pad, &RtfPad::KeyReleased, this, &form_RTF::KeyReleased);
    connect(pad, &RtfPad::MousePressed, this, &form_RTF::ShowSelectionFormat);
    connect(pad, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        host_.EditMenu()->popup(pad->viewport()->mapToGlobal(at));
    });
    connect(host_.WordWrap(), &QAction::toggled, this, &form_RTF::ApplyWordWrap);
    // The Format menu's checks follow the active window's selection.
    connect(this, &QMdiSubWindow::aboutToActivate, this, &form_RTF::ShowSelectionFormat);
}

QToolBar* form_RTF::BuildToolbar() {
    auto* toolbar = new QToolBar;
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setIconSize(QSize(16, 16));
    bold_ = AddButton(toolbar, QStringLiteral("bold"), QStringLiteral("Bold"), true);
    italic_ = AddButton(toolbar, QStringLiteral("italic"), QStringLiteral("Italic"), true);
    underline_ = AddButton(toolbar, QStringLiteral("underline"), QStringLiteral("Underline"), true);
    toolbar->addSeparator();
    AddButton(toolbar, QStringLiteral("color"), QStringLiteral("Font Color"), false);
    AddButton(toolbar, QStringLiteral("FD"), QStringLiteral("Decrease Font Size"), false);
    AddButton(toolbar, QStringLiteral("FU"), QStringLiteral("Increase Font Size"), false);
    toolbar->addSeparator();
    AddButton(toolbar, QStringLiteral("cut"), QStringLiteral("Cut"), false);
    AddButton(toolbar, QStringLiteral("copy"), QStringLiteral("Copy"), false);
    AddButton(toolbar, QStringLiteral("paste"), QStringLiteral("Paste"), false);
    toolbar->addSeparator();
    list_ = AddButton(toolbar, QStringLiteral("list"), QStringLiteral("Bullets"), true);
    return toolbar;
}

QAction* form_RTF::AddButton(QToolBar* toolbar, const QString& tag, const QString& tip, bool checkable) {
    QAction* button = toolbar->addAction(ToolbarIcons::ForTag(tag), tip);
    button->setObjectName(tag);
    button->setData(tag);
    button->setCheckable(checkable);
    connect(button, &QAction::triggered, this, [this, tag] { Toolbar1_ButtonClick(tag); });
    return button;
}

void form_RTF::NewRTF() {
    pad->setTextCursor(QTextCursor(pad->document()));
    if (g_.settings.startEditorsMax)
        showMaximized();
    Altered(false);
}

OpenResult form_RTF::OpenRTF(const QString& path) {
    QByteArray bytes;
    if (std::optional<FileError> error = FileBytes::Read(path, &bytes))
        return OpenResult::Failed(*error);
    Load(bytes);
    setWindowTitle(QFileInfo(path).fileName());
    Altered(false);
    AddToRecentFiles(path);
    pad->setFocus();
    return {};
}

void form_RTF::LoadFileByName(const QString& name) {
    QByteArray bytes;
    if (std::optional<FileError> error = FileBytes::Read(name, &bytes)) {
        DocumentFile::ShowOpenError(name, *error);
        close();
        return;
    }
    Load(bytes);
    Altered(false);
    pad->setFocus();
}

void form_RTF::Load(const QByteArray& bytes) {
    // The pad is not painted while the document is half built; the bar over it is.
    WorkProgress progress(this, QStringLiteral("Opening"), bytes.size());
    pad->viewport()->setUpdatesEnabled(false);
    rich_ = RtfReader::Read(bytes, pad->document(), [&progress](qsizetype done) { progress.Step(done); });
    pad->viewport()->setUpdatesEnabled(true);
    if (!rich_) {
        DecodedText decoded = TextFile::Decode(bytes);
        pad->setPlainText(decoded.text);
        format_ = std::move(decoded.format);
    }
    pad->setTextCursor(QTextCursor(pad->document()));
}


bool form_RTF::WordWrap() const {
    return host_.WordWrap()->isChecked();
}

void form_RTF::ApplyWordWrap() {
    pad->setLineWrapMode(WordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void form_RTF::EditWW() {
    // Every text window follows the check through its toggled signal.
    QAction* check = host_.WordWrap();
    check->setChecked(!check->isChecked());
}

bool form_RTF::Lines(const LineSink& sink) const {
    for (QTextBlock block = pad->document()->begin(); block.isValid(); block = block.next()) {
        const QString text = RtfPad::PlainText(block.text());
        for (QStringView line : QStringView(text).split(QLatin1Char('\n')))
            if (!sink(line))
                return false;
    }
    return true;
}

bool form_RTF::AskSaveName(QString* path, QString* title) {
    const QString filter = QStringLiteral("RTF File|") + g_.settings.rtfFileFilter + QStringLiteral("|TXT File|") +
                           g_.settings.txtFileFilter;
    if (!AskSaveNameWith(QStringLiteral("Save RTF File"), filter, QStringLiteral(".RTF"), path, title))
        return false;
    // The second entry of the filter is plain text.
    chosenRich_ = host_.Dialog().FilterIndex != 2;
    return true;
}

bool form_RTF::WriteFile(const QString& path) {
    // Without the dialog the file is written as it was read: rich text, or plain text for a file
    // that was none. The format becomes the document's only once written.
    const bool rich = std::exchange(chosenRich_, std::nullopt).value_or(rich_);
    if (!(rich ? WriteRich(path) : WritePlain(path)))
        return false;
    rich_ = rich;
    return true;
}

QString form_RTF::Place() const {
    return DocumentPlace::OfCaret(pad->textCursor());
}

void form_RTF::GoTo(const QString& place) {
    pad->setTextCursor(DocumentPlace::Caret(pad->document(), place));
    pad->ensureCursorVisible();
}

bool form_RTF::WriteRich(const QString& path) const {
    // Rich text is 7-bit: as code-page text with "\n" line ends it reaches the file byte for
    // byte, through the same atomic write and error report as plain text.
    TextFormat ascii;
    ascii.lineEnd = TextFormat::LineEnd::LF;
    return DocumentFile::Save(path, QString::fromLatin1(RtfWriter::Write(*pad->document())), &ascii);
}

bool form_RTF::WritePlain(const QString& path) {
    // The format may turn into UTF-8 on the way; it is kept only when the file was written so.
    TextFormat format = format_;
    if (!DocumentFile::Save(
            path, [this](const LineSink& sink) { return Lines(sink); }, &format))
        return false;
    format_ = std::move(format);
    return true;
}

void form_RTF::PrintDoc(QPrinter* printer) {
    // Pages as the document was laid out for, when it said so.
    if (const RtfPage page = RtfPage::Of(*pad->document()); page.given)
        printer->setPageLayout(page.Layout());
    printer->setPrintRange(pad->textCursor().hasSelection() ? QPrinter::Selection : QPrinter::AllPages);
    pad->print(printer);
}

void form_RTF::EditCut() {
    EditCopy();
    EditDelete();
}

void form_RTF::EditCopy() {
    pad->CopySelection();
}

void form_RTF::EditPaste() {
    pad->paste();
}

void form_RTF::EditPasteSpecialPlainText() {
    pad->insertPlainText(QGuiApplication::clipboard()->text());
}

void form_RTF::EditDelete() {
    QTextCursor cursor = pad->textCursor();
    cursor.removeSelectedText();
}

void form_RTF::EditSelectAll() {
    pad->selectAll();
}

void form_RTF::EditTimeDate() {
    pad->insertPlainText(TimeAndDate());
}

void form_RTF::SearchFind() {
    form_SR::Serve(g_, *this, SearchEntry::Find);
}

void form_RTF::SearchReplace() {
    form_SR::Serve(g_, *this, SearchEntry::Replace);
}

void form_RTF::SearchAgain() {
    form_SR::Serve(g_, *this, SearchEntry::Again);
}

void form_RTF::FormatFont() {
    CommonDialog& dialog = host_.Dialog();
    dialog.DialogTitle = QStringLiteral("Select Font and Attributes");
    dialog.Flags = qlx::CF_BOTH;
    // The dialog starts from the font the caret types with.
    dialog.ChooseFont(pad->currentCharFormat().font().resolve(pad->document()->defaultFont()));
    if (!dialog.ShowFont())
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{dialog.FontName});
    if (dialog.FontSize > 0)
        format.setFontPointSize(dialog.FontSize);
    format.setFontWeight(dialog.FontBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(dialog.FontItalic);
    format.setFontUnderline(dialog.FontUnderline);
    format.setFontStrikeOut(dialog.FontStrikethru);
    MergeFormat(format);
}

void form_RTF::FormatColor() {
    CommonDialog& dialog = host_.Dialog();
    dialog.DialogTitle = QStringLiteral("Choose Color for Font");
    dialog.Color = pad->textColor();
    if (!dialog.ShowColor())
        return;
    QTextCharFormat format;
    format.setForeground(dialog.Color);
    MergeFormat(format);
}

void form_RTF::FormatBold() {
    QTextCharFormat format;
    format.setFontWeight(SelectionFormat(pad->textCursor()).Bold() ? QFont::Normal : QFont::Bold);
    MergeFormat(format);
}

void form_RTF::FormatItalic() {
    QTextCharFormat format;
    format.setFontItalic(!SelectionFormat(pad->textCursor()).Italic());
    MergeFormat(format);
}

void form_RTF::FormatUnderline() {
    QTextCharFormat format;
    format.setFontUnderline(!SelectionFormat(pad->textCursor()).Underline());
    MergeFormat(format);
}

void form_RTF::FormatBulleted() {
    SetBulleted(!Bulleted());
    ShowSelectionFormat();
}

bool form_RTF::Bulleted() const {
    return SelectionFormat(pad->textCursor()).Bulleted();
}

void form_RTF::MergeFormat(const QTextCharFormat& format) {
    // Without a selection the format is the caret's for the next characters typed.
    pad->mergeCurrentCharFormat(format);
    ShowSelectionFormat();
}

void form_RTF::SetBulleted(bool bulleted) {
    QTextCursor cursor = pad->textCursor();
    cursor.beginEditBlock();
    if (bulleted) {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(kBulletIndent);
        cursor.createList(list);
    } else {
        const QTextDocument* document = pad->document();
        const QTextBlock last = document->findBlock(cursor.selectionEnd());
        for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            format.setObjectIndex(-1);
            QTextCursor(block).setBlockFormat(format);
            if (block == last)
                break;
        }
    }
    cursor.endEditBlock();
}

void form_RTF::StepFontSize(int step) {
    const qreal size = SelectionFormat(pad->textCursor()).FontSize().value_or(fallbackSize_);
    // A size below 1 point is none; the largest size ends the growth.
    if ((step < 0 && size < 3) || size + step > kLargestSize)
        return;
    QTextCharFormat format;
    format.setFontPointSize(size + step);
    MergeFormat(format);
}

void form_RTF::Toolbar1_ButtonClick(const QString& tag) {
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"bold", [this] { FormatBold(); }},
        {"italic", [this] { FormatItalic(); }},
        {"underline", [this] { FormatUnderline(); }},
        {"color", [this] { FormatColor(); }},
        {"FD", [this] { StepFontSize(-2); }},
        {"FU", [this] { StepFontSize(2); }},
        {"cut", [this] { EditCut(); }},
        {"copy", [this] { EditCopy(); }},
        {"paste", [this] { EditPaste(); }},
        {"list", [this] { FormatBulleted(); }},
    };
    for (const auto& [name, action] : actions) {
        if (tag == QLatin1String(name)) {
            action();
            return;
        }
    }
}

void form_RTF::ShowSelectionFormat() {
    const SelectionFormat selection(pad->textCursor());
    const struct {
        const char* menu;
        QAction* button;
        bool on;
    } shown[] = {
        {"menu_FormatBold", bold_, selection.Bold()},
        {"menu_FormatItalic", italic_, selection.Italic()},
        {"menu_FormatUnderline", underline_, selection.Underline()},
        {"menu_FormatBulleted", list_, selection.Bulleted()},
    };
    DocumentHost& menus = host_;
    for (const auto& item : shown) {
        menus.MenuItem(QString::fromLatin1(item.menu))->setChecked(item.on);
        item.button->setChecked(item.on);
    }
}

void form_RTF::ChangeHandling() {
    Altered(true);
    ShowSelectionFormat();
}

void form_RTF::KeyReleased(const QKeyEvent& key) {
    // Typing has marked the document changed already; a key that changed nothing (a modifier,
    // a move, Ctrl+S, Ctrl+C) leaves the mark as it is.
    ShowSelectionFormat();
    // A new bulleted paragraph starts with a blank after its bullet.
    if (IsEnter(key) && std::exchange(paragraphStarted_, false) && Bulleted())
        pad->insertPlainText(QStringLiteral(" "));
}

bool form_RTF::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pad && event->type() == QEvent::FocusIn)
        form_SR::PadFocusIn(g_, *this);
    if (watched == pad && event->type() == QEvent::KeyPress && HandleKey(static_cast<const QKeyEvent&>(*event)))
        return true;
    return DocumentWindow::eventFilter(watched, event);
}

bool form_RTF::HandleKey(const QKeyEvent& key) {
    // While the search dialog is shown, Enter, Tab and Escape belong to it.
    if (form_SR::PadKeyPress(g_, *this, key))
        return true;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (!IsEnter(key) || (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier))
        return false;
    // Enter and Shift+Enter are both a hard return that keeps the paragraph's format and the
    // caret's, also on an empty line, where the toolkit's own Enter would drop them.
    QTextCursor cursor = pad->textCursor();
    cursor.insertBlock();
    pad->setTextCursor(cursor);
    pad->ensureCursorVisible();
    paragraphStarted_ = true;
    return true;
}
