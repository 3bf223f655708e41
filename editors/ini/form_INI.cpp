#include "form_INI.h"

#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentFile.h"
#include "DocumentPlace.h"
#include "Global.h"
#include "IniItem.h"
#include "IniReader.h"
#include "IniView.h"
#include "IniWriter.h"
#include "TextFile.h"
#include "Twips.h"
#include "WorkProgress.h"
#include "form_ADE.h"
#include "form_INIAddValue.h"
#include "form_TreeFind.h"
#include "DocumentHost.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>

namespace {
// Where the last search text is kept, as the pads keep theirs.
const QString kSettingsKey = QStringLiteral("INI Editor");
using Kind = IniItem::Kind;

const QString kCrLf = QStringLiteral("\r\n");
constexpr int kWidthTwips = 6800;
// The window's height as designed; the width is set again by New and after every reading.
constexpr int kHeightTwips = 4800;

struct ButtonSpec {
    const char* name;
    const char* caption;
    // The main window's menu item that follows the button; none for Edit.
    const char* menu;
};

const ButtonSpec kButtons[] = {
    {"cmd_AddSection", "Add Section", "menu_EditSectionsAdd"},
    {"cmd_DeleteSection", "Delete Section", "menu_SectionsDelete"},
    {"cmd_AddValue", "&Add Value", "menu_EditAddKeyValue"},
    {"cmd_DeleteValue", "&Delete Value", "menu_EditDeleteValue"},
    {"cmd_Edit", "&Edit", nullptr},
};

// Spaces only, as the classic Trim removed them; tabs stay.
QString TrimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

// The hourglass for the length of an operation over the whole document.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
} // namespace

form_INI::form_INI(Global& global, DocumentHost& host)
    : DocumentWindow(global, host, DocType::INI), TV(new QTreeWidget), RTFPrintBox(new QTextEdit) {
    setObjectName(QStringLiteral("form_INI"));
    setWindowTitle(QStringLiteral("INI File"));
    auto* content = new QWidget(this);
    TV->setParent(content);
    TV->setObjectName(QStringLiteral("TV"));
    TV->setColumnCount(1);
    TV->setHeaderHidden(true);
    TV->setUniformRowHeights(true);
    TV->setContextMenuPolicy(Qt::CustomContextMenu);
    RTFPrintBox->setParent(content);
    RTFPrintBox->setObjectName(QStringLiteral("RTFPrintBox"));
    RTFPrintBox->hide();
    for (int b = 0; b < int(buttons_.size()); ++b) {
        buttons_[b] = new QPushButton(QString::fromLatin1(kButtons[b].caption), content);
        buttons_[b]->setObjectName(QString::fromLatin1(kButtons[b].name));
    }
    setWidget(content);
    resize(Twips::ToPixels(QSize(kWidthTwips, kHeightTwips), *this));

    connect(buttons_[AddSectionButton], &QPushButton::clicked, this, &form_INI::AddSection);
    connect(buttons_[DeleteSectionButton], &QPushButton::clicked, this, &form_INI::DeleteSection);
    connect(buttons_[AddValueButton], &QPushButton::clicked, this, &form_INI::AddValue);
    connect(buttons_[DeleteValueButton], &QPushButton::clicked, this, &form_INI::DeleteValue);
    connect(buttons_[EditButton], &QPushButton::clicked, this, &form_INI::Edit);
    // The user's picks only: the operations select nodes through Select, which stays silent.
    connect(TV, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            NodeClick(item);
    });
    connect(TV, &QTreeWidget::itemClicked, this, &form_INI::NodeClick);
    connect(TV, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (IniItem::Is(item, Kind::Value))
            Edit();
    });
    connect(TV, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        host_.EditMenu()->popup(TV->viewport()->mapToGlobal(at));
    });
}

form_INI::~form_INI() {
    // The items go before the nodes they show.
    const QSignalBlocker blocker(TV);
    TV->clear();
    FreeRetired();
}

void form_INI::SearchFind() {
    IniFind::Options options = find_;
    options.text = SearchTextOr(options.text, kSettingsKey);
    form_TreeFind dialog(options.text,
                         {{"cb_Sections", QStringLiteral("&Sections"), options.sections},
                          {"cb_Keys", QStringLiteral("&Keys"), options.keys},
                          {"cb_Values", QStringLiteral("&Values"), options.values},
                          {"cb_Comments", QStringLiteral("C&omments"), options.comments}},
                         options.matchCase, options.wholeString, this);
    if (qlx::ShowForm(dialog) != QDialog::Accepted)
        return;
    find_ = {dialog.Text(),
             dialog.Checked("cb_Sections"),
             dialog.Checked("cb_Keys"),
             dialog.Checked("cb_Values"),
             dialog.Checked("cb_Comments"),
             dialog.MatchCase(),
             dialog.WholeString()};
    KeepSearch(find_.text, kSettingsKey);
    FindNext();
}

void form_INI::SearchAgain() {
    RepeatSearch(&find_.text, kSettingsKey, [this] { FindNext(); });
}

void form_INI::FindNext() {
    const IniFind find(find_);
    FindWrapping(find_.text, [&](bool fromTop) {
        IniNode* hit = find.After(fromTop ? document_.get() : IniItem::NodeOf(Selected()));
        if (!hit)
            return false;
        QTreeWidgetItem* item = IniView::ItemOf(Root(), hit);
        for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent())
            parent->setExpanded(true);
        TV->setCurrentItem(item);
        TV->scrollToItem(item);
        return true;
    });
}

QTreeWidgetItem* form_INI::Root() const {
    return TV->topLevelItem(0);
}

QTreeWidgetItem* form_INI::Selected() const {
    QTreeWidgetItem* item = TV->currentItem();
    return item ? item : Root();
}

void form_INI::Select(QTreeWidgetItem* item) {
    const QSignalBlocker blocker(TV);
    TV->setCurrentItem(item);
}

void form_INI::Remove(QTreeWidgetItem* item) {
    IniNode* node = IniItem::NodeOf(item);
    {
        const QSignalBlocker blocker(TV);
        delete item;
    }
    Retire(node->Parent()->Take(node));
}

void form_INI::ClearTree(const QString& rootText) {
    {
        const QSignalBlocker blocker(TV);
        TV->clear();
        document_ = std::make_unique<IniNode>(Kind::File, rootText, IniNode::kPrimary);
        TV->addTopLevelItem(new IniItem(document_.get()));
    }
    Select(Root());
}

IniNode* form_INI::AddLineNode(IniNode* section, const QString& text) {
    auto* line = new IniNode(text.startsWith(QLatin1Char(';')) ? Kind::Comment : Kind::Value, text);
    section->Add(line);
    section->SortChildren();
    return line;
}

QTreeWidgetItem* form_INI::AddLine(QTreeWidgetItem* section, const QString& text) {
    IniNode* line = AddLineNode(IniItem::NodeOf(section), text);
    IniView::Follow(section);
    return IniView::ItemOf(section, line);
}

IniReader::KeyMaker form_INI::KeyMaker() const {
    // The day is taken once per operation: asking the clock for every section of a large file
    // would cost more than the rest of its reading.
    const int day = int(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    return [this, day] { return g_.resources.UniqueID(day); };
}

bool form_INI::SectionExists(const QString& name) const {
    const QTreeWidgetItem* root = Root();
    for (int i = 0; i < root->childCount(); ++i) {
        const QTreeWidgetItem* child = root->child(i);
        if (IniItem::Is(child, Kind::Section) && child->text(0) == name)
            return true;
    }
    return false;
}

QString form_INI::Text() const {
    return IniWriter::Document(document_.get(), u"\n");
}

// --- Undo and redo ---

form_INI::Shape form_INI::ShapeOf(const QList<IniNode*>& nodes) const {
    Shape shape{{}, IniItem::NodeOf(Selected())};
    shape.branches.reserve(size_t(nodes.size()));
    for (IniNode* node : nodes) {
        QStringList texts;
        texts.reserve(node->Children().size());
        for (const IniNode* child : node->Children())
            texts.append(child->Text());
        shape.branches.push_back({node, node->Text(), node->Children(), texts});
    }
    return shape;
}

void form_INI::Restore(const Shape& shape) {
    FollowOffView([this, &shape] {
        for (const Branch& branch : shape.branches) {
            branch.node->SetText(branch.text);
            const QSet<IniNode*> staying(branch.children.begin(), branch.children.end());
            for (IniNode* child : branch.node->Children()) {
                if (!staying.contains(child))
                    retired_.push_back(child);
            }
            branch.node->SetChildren(branch.children);
            for (qsizetype i = 0; i < branch.children.size(); ++i)
                branch.children.at(i)->SetText(branch.texts.at(i));
        }
    });
    QTreeWidgetItem* selected = IniView::ItemOf(Root(), shape.selected);
    Select(selected);
    NodeClick(selected);
}

void form_INI::Record(const QList<IniNode*>& nodes, const Shape& before) {
    PushStep([this, before] { Restore(before); }, [this, after = ShapeOf(nodes)] { Restore(after); });
}

QList<IniNode*> form_INI::AllSections() const {
    QList<IniNode*> nodes{document_.get()};
    for (IniNode* child : document_->Children()) {
        if (IniNode::Is(child, Kind::Section))
            nodes.append(child);
    }
    return nodes;
}

QList<IniNode*> form_INI::PasteTargets() const {
    IniNode* selected = IniItem::NodeOf(Selected());
    if (IniNode::Is(selected, Kind::Value))
        selected = selected->Parent();
    QList<IniNode*> nodes{document_.get()};
    if (IniNode::Is(selected, Kind::Section))
        nodes.append(selected);
    return nodes;
}

void form_INI::Retire(std::unique_ptr<IniNode> node) {
    retired_.push_back(node.release());
}

void form_INI::Retire(IniNode::Taken nodes) {
    for (std::unique_ptr<IniNode>& node : nodes)
        Retire(std::move(node));
}

void form_INI::Forget() {
    ClearSteps();
    FreeRetired();
}

void form_INI::FreeRetired() {
    // A node back in the document, or under another retired node, goes with its parent.
    std::vector<IniNode*> loose;
    for (IniNode* node : retired_) {
        if (!node->Parent() && node != document_.get())
            loose.push_back(node);
    }
    std::sort(loose.begin(), loose.end());
    loose.erase(std::unique(loose.begin(), loose.end()), loose.end());
    for (IniNode* node : loose)
        delete node;
    retired_.clear();
}

// --- Buttons and layout ---

void form_INI::NodeClick(QTreeWidgetItem* item) {
    const Kind kind = IniItem::KindOf(item);
    const bool line = kind == Kind::Value || kind == Kind::Comment;
    SetButtons(true, kind == Kind::Section, kind != Kind::File, line, kind != Kind::File);
    host_.MenuItem(QStringLiteral("menu_EditDeleteAllNodes"))->setEnabled(kind == Kind::Value);
}

void form_INI::ShowButtons(bool hidden) {
    for (QPushButton* button : buttons_)
        button->setVisible(!hidden);
}

void form_INI::Enable(Button button, bool enabled) {
    buttons_[button]->setEnabled(enabled);
    if (const char* menu = kButtons[button].menu)
        host_.MenuItem(QString::fromLatin1(menu))->setEnabled(enabled);
}

void form_INI::SetButtons(bool addSection, bool deleteSection, bool addValue, bool deleteValue, bool edit) {
    Enable(AddSectionButton, addSection);
    Enable(DeleteSectionButton, deleteSection);
    Enable(AddValueButton, addValue);
    Enable(DeleteValueButton, deleteValue);
    Enable(EditButton, edit);
}

void form_INI::resizeEvent(QResizeEvent* event) {
    DocumentWindow::resizeEvent(event);
    if (!isMinimized())
        LayOut();
}

void form_INI::LayOut() {
    // The window's outer size sets the places, as the classic form measured it.
    TV->setGeometry(0, 0, qMax(0, width() - Twips::ToPixelsX(100, *this)),
                    qMax(0, height() - Twips::ToPixelsY(1250, *this)));
    const int top = height() - Twips::ToPixelsY(1000, *this);
    int left = 0;
    for (QPushButton* button : buttons_) {
        const QSize size = button->sizeHint();
        const int buttonWidth = qMax(size.width(), Twips::ToPixelsX(1200, *this));
        button->setGeometry(left, top, buttonWidth, size.height());
        left += buttonWidth + Twips::ToPixelsX(60, *this);
    }
}

void form_INI::SetWidthTwips(int twips) {
    resize(Twips::ToPixelsX(twips, *this), height());
    LayOut();
}

// --- New, open, reading ---

void form_INI::NewINI() {
    TV->show();
    ShowButtons(false);
    SetButtons(true, false, false, false, false);
    Forget();
    ClearTree(QStringLiteral("New INI File"));
    SetWidthTwips(kWidthTwips);
    if (g_.settings.startEditorsMax)
        showMaximized();
    Altered(false);
}

OpenResult form_INI::OpenINI(const QString& path, const QString& title) {
    // In parts of a hundred: the file read, its lines into the document, the document into the tree.
    WorkProgress progress(this, QStringLiteral("Opening"), 100);
    DecodedText decoded;
    if (std::optional<FileError> error = TextFile::Read(path, &decoded))
        return OpenResult::Failed(*error);
    const QStringList lines = IniReader::FileLines(decoded.text);
    progress.Step(20);
    Forget();
    TV->show();
    ShowButtons(false);
    SetButtons(true, true, false, false, false);
    AddToRecentFiles(path);
    format_ = std::move(decoded.format);

    QTreeWidgetItem* root = Root();
    Select(root);
    root->setText(0, title);
    setWindowTitle(QFileInfo(path).fileName());
    {
        const QSignalBlocker blocker(TV);
        IniReader reader(document_.get(), KeyMaker(), [this] { return AskReplaceSection(); });
        const qsizetype count = std::max<qsizetype>(1, lines.size());
        reader.SetProgress([&](qsizetype read) { progress.Step(20 + 40 * read / count); });
        reader.ReadFile(lines);
        IniView::Follow(root, [&progress](int done, int of) { progress.Step(60 + 40 * done / of); });
    }
    EndReading(root);
    return {};
}

bool form_INI::AskReplaceSection() const {
    return qlx::MsgBox(
               QStringLiteral("You have asked to paste a section into this INI file, but that section "
                              "already exists.  Would you like to overwrite the existing section with "
                              "the clipboard data?"),
               qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Duplicate Section")) == qlx::vbYes;
}

void form_INI::EndReading(QTreeWidgetItem* selected) {
    Select(selected);
    selected->setExpanded(true);
    if (!isMinimized() && !isMaximized())
        SetWidthTwips(kWidthTwips);
    else
        LayOut();
}

void form_INI::Paste(const QStringList& lines) {
    const QList<IniNode*> targets = PasteTargets();
    const Shape before = ShapeOf(targets);
    IniReader::Pasted pasted;
    {
        const QSignalBlocker blocker(TV);
        pasted = IniReader(document_.get(), KeyMaker(), [this] {
                     return AskReplaceSection();
                 }).Paste(lines, IniItem::NodeOf(Selected()));
        IniView::Follow(Root());
    }
    EndReading(IniView::ItemOf(Root(), pasted.selected));
    Retire(std::move(pasted.replaced));
    // A paste that went unmarked would be lost without a question on closing.
    if (pasted.changed) {
        Record(targets, before);
        Altered(true);
    }
}

void form_INI::EditPaste() {
    Paste(IniReader::PasteLines(QGuiApplication::clipboard()->text()));
}

void form_INI::PasteNewSection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QStringList lines = IniReader::PasteLines(clipboard->text());
    if (!lines.first().startsWith(QLatin1Char('[')))
        return;
    const QString name = qlx::InputBox(QStringLiteral("Enter New Section Name"),
                                       QStringLiteral("Paste as New Section"), QString());
    if (name.isEmpty())
        return;
    // The old header gives way to the new name; every other line goes as it was.
    QString text = QLatin1Char('[') + name + QLatin1Char(']') + kCrLf;
    for (qsizetype i = 1; i < lines.size(); ++i)
        text += lines.at(i) + kCrLf;
    clipboard->setText(text);
    EditPaste();
    Altered(true);
}

// --- Saving and printing ---

bool form_INI::AskSaveName(QString* path, QString* title) {
    return AskSaveNameWith(QStringLiteral("Save File"), QStringLiteral("INI File|*.INI"), QStringLiteral(".INI"),
                           path, title);
}

bool form_INI::WriteFile(const QString& path) {
    TextFormat format = format_;
    // The lines written are no longer those read: all end as the file's first line did.
    format.mixedLineEnds.clear();
    if (!DocumentFile::Save(path, Text(), &format))
        return false;
    format_ = std::move(format);
    return true;
}

QString form_INI::Place() const {
    return DocumentPlace::OfTree(*TV);
}

void form_INI::GoTo(const QString& place) {
    DocumentPlace::GoTo(*TV, place);
}

void form_INI::Saved(const QString& title) {
    Select(Root());
    Root()->setText(0, title);
}

void form_INI::PrintDoc(QPrinter* printer) {
    Select(Root());
    EditCopy();
    RTFPrintBox->clear();
    RTFPrintBox->setPlainText(QGuiApplication::clipboard()->text());
    printer->setPrintRange(QPrinter::AllPages);
    RTFPrintBox->print(printer);
}

// --- Clipboard ---

void form_INI::EditCopy() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QTreeWidgetItem* item = Selected();
    switch (IniItem::KindOf(item)) {
    case Kind::File:
        clipboard->setText(IniWriter::Document(IniItem::NodeOf(item), kCrLf));
        break;
    case Kind::Section:
        clipboard->setText(IniWriter::Section(IniItem::NodeOf(item), kCrLf));
        break;
    case Kind::Value:
        clipboard->setText(item->text(0));
        break;
    case Kind::Comment:
        break;
    }
}

void form_INI::EditCut() {
    EditCopy();
    QTreeWidgetItem* item = Selected();
    switch (IniItem::KindOf(item)) {
    case Kind::Value:
        DeleteLine(false);
        break;
    case Kind::Section:
        DeleteSectionNode(false);
        break;
    case Kind::File:
        if (HasSection()) {
            const Shape before = ShapeOf({document_.get()});
            Retire(document_->TakeIf([](const IniNode*) { return true; }));
            {
                const QSignalBlocker blocker(TV);
                IniView::Follow(item);
            }
            Select(item);
            Record({document_.get()}, before);
            Altered(true);
        }
        break;
    case Kind::Comment:
        break;
    }
}

bool form_INI::HasSection() const {
    const QTreeWidgetItem* root = Root();
    for (int i = 0; i < root->childCount(); ++i) {
        if (IniItem::Is(root->child(i), Kind::Section))
            return true;
    }
    return false;
}

// --- Deleting ---

bool form_INI::ConfirmDeletion(const QString& kindWord, const QTreeWidgetItem* item) const {
    return qlx::MsgBox(QStringLiteral("Are you sure you want to delete ") + kindWord + QLatin1Char(' ') +
                           item->text(0) + QLatin1Char('?'),
                       qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Deletion Confirmation")) == qlx::vbYes;
}

void form_INI::EditDelete() {
    const Kind kind = IniItem::KindOf(Selected());
    if (kind == Kind::File || kind == Kind::Section)
        DeleteSection();
    else
        DeleteValue();
}

void form_INI::DeleteSection() {
    DeleteSectionNode(true);
}

void form_INI::DeleteSectionNode(bool confirm) {
    QTreeWidgetItem* item = Selected();
    if (IniItem::Is(item, Kind::File)) {
        qlx::MsgBox(QStringLiteral("You must first select (highlight) a section before you can delete it."),
                    qlx::vbOKOnly, QStringLiteral("Section Deletion"));
        return;
    }
    if (!IniItem::Is(item, Kind::Section) || (confirm && !ConfirmDeletion(QStringLiteral("Section"), item)))
        return;
    const Shape before = ShapeOf({document_.get()});
    Remove(item);
    Select(Root());
    if (Root()->childCount() == 0)
        Enable(DeleteSectionButton, false);
    Enable(AddValueButton, false);
    Enable(DeleteValueButton, false);
    Enable(EditButton, false);
    Record({document_.get()}, before);
    Altered(true);
}

void form_INI::DeleteValue() {
    DeleteLine(true);
}

void form_INI::DeleteLine(bool confirm) {
    QTreeWidgetItem* item = Selected();
    const bool comment = IniItem::Is(item, Kind::Comment);
    if (!comment && !IniItem::Is(item, Kind::Value))
        return;
    if (confirm &&
        !ConfirmDeletion(comment ? QStringLiteral("Comment") : QStringLiteral("Key / Value"), item))
        return;
    Enable(DeleteValueButton, false);
    QTreeWidgetItem* section = item->parent();
    const Shape before = ShapeOf({IniItem::NodeOf(section)});
    Remove(item);
    Select(section);
    Record({IniItem::NodeOf(section)}, before);
    Altered(true);
}

void form_INI::DeleteAllNodes() {
    const QTreeWidgetItem* item = Selected();
    if (!IniItem::Is(item, Kind::Value))
        return;
    const WaitCursor wait;
    const QList<IniNode*> sections = AllSections();
    const Shape before = ShapeOf(sections);
    TV->hide();
    const QString key = IniNode::KeyName(item->text(0));
    FollowOffView([this, &key] { Retire(TakeKeyLines(key)); });
    Select(Root());
    Record(sections, before);
    Altered(true);
    TV->show();
}

void form_INI::FollowOffView(const std::function<void()>& change) {
    QTreeWidgetItem* root = Root();
    // By node: the items of sections that leave go with the change.
    QSet<const IniNode*> expanded;
    if (root->isExpanded())
        expanded.insert(IniItem::NodeOf(root));
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->isExpanded())
            expanded.insert(IniItem::NodeOf(root->child(i)));
    }
    const QSignalBlocker blocker(TV);
    TV->takeTopLevelItem(0);
    change();
    IniView::Follow(root);
    TV->addTopLevelItem(root);
    root->setExpanded(expanded.contains(IniItem::NodeOf(root)));
    for (int i = 0; i < root->childCount(); ++i)
        root->child(i)->setExpanded(expanded.contains(IniItem::NodeOf(root->child(i))));
}

IniNode::Taken form_INI::TakeKeyLines(const QString& key) {
    const auto keyLine = [&key](const IniNode* node) {
        return IniNode::Is(node, Kind::Value) && IniNode::KeyName(node->Text()) == key;
    };
    IniNode::Taken taken = document_->TakeIf(keyLine);
    for (IniNode* section : document_->Children()) {
        for (std::unique_ptr<IniNode>& line : section->TakeIf(keyLine))
            taken.push_back(std::move(line));
    }
    return taken;
}

// --- Adding and editing ---

void form_INI::AddSection() {
    const QString title = QStringLiteral("Add New Section");
    QString name = qlx::InputBox(QStringLiteral("Enter the name for the new section."), title, QString());
    while (!name.isEmpty() && SectionExists(name))
        name =
            qlx::InputBox(QStringLiteral("This name already exists in the INI file.  Please enter a unique "
                                         "name for the new section."),
                          title, name);
    if (name.isEmpty())
        return;
    const Shape before = ShapeOf({document_.get()});
    document_->Add(new IniNode(Kind::Section, name, KeyMaker()()));
    document_->SortChildren();
    IniView::Follow(Root());
    Root()->setExpanded(true);
    Record({document_.get()}, before);
    Altered(true);
}

void form_INI::AddValue() {
    QTreeWidgetItem* item = Selected();
    QTreeWidgetItem* section = IniItem::Is(item, Kind::Section) ? item
                               : IniItem::Is(item, Kind::Value) ? item->parent()
                                                                : nullptr;
    if (!section)
        return;
    form_ADE dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add Key/Value to section ") + section->text(0));
    dialog.HideDelete();
    qlx::ShowForm(dialog);
    const QString key = dialog.Key();
    if (key.isEmpty() || key == form_ADE::kCancel)
        return;
    const Shape before = ShapeOf({IniItem::NodeOf(section)});
    AddLine(section, key + QLatin1Char('=') + dialog.Value());
    section->setExpanded(true);
    Record({IniItem::NodeOf(section)}, before);
    Altered(true);
}

void form_INI::AddSectionToAll() {
    form_INIAddValue dialog(this);
    qlx::ShowForm(dialog);
    const QString key = dialog.Key();
    if (key.isEmpty())
        return;
    const QString text = key + QLatin1Char('=') + dialog.Value();
    QTreeWidgetItem* root = Root();
    const QList<IniNode*> sections = AllSections();
    const Shape before = ShapeOf(sections);
    const WaitCursor wait;
    FollowOffView([this, &sections, &text] {
        for (IniNode* section : sections.mid(1))
            AddLineNode(section, text);
    });
    for (int i = 0; i < root->childCount(); ++i) {
        if (IniItem::Is(root->child(i), Kind::Section))
            root->child(i)->setExpanded(true);
    }
    Select(root);
    Record(sections, before);
    Altered(true);
}

void form_INI::Edit() {
    QTreeWidgetItem* item = Selected();
    switch (IniItem::KindOf(item)) {
    case Kind::Value:
        EditLine(item);
        break;
    case Kind::Section:
        RenameSection(item);
        break;
    case Kind::Comment:
        EditComment(item);
        break;
    case Kind::File:
        break;
    }
}

void form_INI::EditLine(QTreeWidgetItem* line) {
    QTreeWidgetItem* section = line->parent();
    const QString text = line->text(0);
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    form_ADE dialog(this);
    dialog.SetEntry(equals < 0 ? text : text.left(equals), equals < 0 ? QString() : text.mid(equals + 1));
    dialog.setWindowTitle(QStringLiteral("Edit ") + section->text(0) + QStringLiteral(" Section"));
    qlx::ShowForm(dialog);
    const QString key = dialog.Key();
    if (key == form_ADE::kCancel)
        return;
    IniNode* sectionNode = IniItem::NodeOf(section);
    const Shape before = ShapeOf({sectionNode});
    if (key.isEmpty() || key == form_ADE::kDelete) {
        const bool remove =
            key.isEmpty()
                ? qlx::MsgBox(QStringLiteral("There is no value listed for the Key.  Delete this entry?"),
                              qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Entry Delete")) == qlx::vbYes
                : ConfirmDeletion(QStringLiteral("Key / Value"), line);
        if (remove) {
            Remove(line);
            Select(section);
            Record({sectionNode}, before);
            Altered(true);
        }
        return;
    }
    const QString trimmedKey = TrimSpaces(key);
    const QString newText = trimmedKey + QLatin1Char('=') + TrimSpaces(dialog.Value());
    if (trimmedKey.startsWith(QLatin1Char(';')))
        Replace(line, AddLine(section, newText));
    else
        line->setText(0, newText);
    Record({sectionNode}, before);
    Altered(true);
}

void form_INI::RenameSection(QTreeWidgetItem* section) {
    const QString name = qlx::InputBox(QStringLiteral("New name for this section"),
                                       QStringLiteral("Section Name Change"), section->text(0));
    if (name.isEmpty())
        return;
    const Shape before = ShapeOf({IniItem::NodeOf(section)});
    section->setText(0, name);
    Record({IniItem::NodeOf(section)}, before);
    Altered(true);
}

void form_INI::EditComment(QTreeWidgetItem* comment) {
    const QString text =
        qlx::InputBox(QStringLiteral("Alter the comment:"), QStringLiteral("Comments"), comment->text(0));
    if (text.isEmpty())
        return;
    IniNode* parent = IniItem::NodeOf(comment->parent());
    const Shape before = ShapeOf({parent});
    if (text.startsWith(QLatin1Char(';')))
        comment->setText(0, text);
    else
        Replace(comment, AddLine(comment->parent(), text));
    Record({parent}, before);
    Altered(true);
}

void form_INI::Replace(QTreeWidgetItem* old, QTreeWidgetItem* replacement) {
    // The line changed its kind: the new node takes the old one's place as the user's pick.
    Remove(old);
    Select(replacement);
    NodeClick(replacement);
}

void form_INI::ExpandAll() {
    TV->expandAll();
}

void form_INI::CollapseAll() {
    TV->collapseAll();
    Root()->setExpanded(true);
}
