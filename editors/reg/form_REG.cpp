#include "form_REG.h"

#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentFile.h"
#include "DocumentPlace.h"
#include "NestedLoop.h"
#include "Global.h"
#include "RegImport.h"
#include "RegLine.h"
#include "RegLines.h"
#include "RegWorkFolder.h"
#include "RegWriter.h"
#include "TextFile.h"
#include "TextPieces.h"
#include "Twips.h"
#include "form_AddHK.h"
#include "form_TreeFind.h"
#include "form_REGEdit.h"
#include "DocumentHost.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextEdit>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace {
const QString kTV = QStringLiteral("TV");
const QString kLV = QStringLiteral("LV");
const QString kSettingsKey = QStringLiteral("REG Editor");
// Kept as the pad search keeps its own, under the editor's key.
constexpr int kPaintIntervalMs = 100;
constexpr int kLargeFile = 500;
constexpr int kStages = 8;
constexpr int kIndexColumn = 4;
// Registry lines are short: small pieces keep what a pass holds of the file small.
constexpr qsizetype kPieceBytes = 1 << 20;

// The classic value dialog's three layouts, in twips.
struct EditLayout {
    int formHeight;
    int valueHeight;
    int buttonTop;
};
constexpr EditLayout kOneLine{2325, 375, 1320};
constexpr EditLayout kByteList{4365, 2415, 3360};

QList<QIcon> ImageList(const QStyle& style) {
    return {style.standardIcon(QStyle::SP_DirClosedIcon), style.standardIcon(QStyle::SP_DirOpenIcon),
            style.standardIcon(QStyle::SP_FileIcon), style.standardIcon(QStyle::SP_FileDialogDetailedView)};
}

// "closed", shown as "open" while its node is selected; "file" for the file node.
std::shared_ptr<const RegTreeItem::Images> TreeImages(const QList<QIcon>& images) {
    QIcon folder;
    for (const QSize& size : {QSize(16, 16), QSize(32, 32)}) {
        folder.addPixmap(images.at(0).pixmap(size), QIcon::Normal);
        folder.addPixmap(images.at(1).pixmap(size), QIcon::Selected);
    }
    return std::make_shared<const RegTreeItem::Images>(RegTreeItem::Images{folder, images.at(2)});
}

void Apply(form_REGEdit& dialog, const EditLayout& layout) {
    dialog.SetHeights(layout.formHeight, layout.valueHeight, layout.buttonTop);
}

bool IsAncestorOrSelf(const QTreeWidgetItem* node, const QTreeWidgetItem* of) {
    for (; of; of = of->parent()) {
        if (of == node)
            return true;
    }
    return false;
}

// Closes the key and every open key below it, from the top down. The view keeps each open key as a
// persistent index and, when keys leave the tree, looks up from each one for the keys leaving: a key
// open ten thousand levels deep would take that many look-ups of that many levels.
void Collapse(QTreeWidgetItem* top) {
    std::vector<QTreeWidgetItem*> pending{top};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (item->isExpanded())
            item->setExpanded(false);
        for (int i = item->childCount() - 1; i >= 0; --i)
            pending.push_back(item->child(i));
    }
}

// Keys an edit put into the tree or took out of it, each with its place. While out of the tree they
// belong to the step that holds them.
class Grafts {
public:
    using Place = form_REG::KeyPlace;
    Grafts(std::vector<Place> places, bool in) : places_(std::move(places)), in_(in) {}
    ~Grafts() {
        if (!in_) {
            for (const Place& place : places_)
                delete place.item;
        }
    }
    Grafts(const Grafts&) = delete;
    Grafts& operator=(const Grafts&) = delete;

    void PutIn() {
        for (const Place& place : places_)
            place.parent->insertChild(place.index, place.item);
        in_ = true;
    }
    void TakeOut() {
        for (auto place = places_.rbegin(); place != places_.rend(); ++place)
            place->parent->takeChild(place->index);
        in_ = false;
    }

private:
    std::vector<Place> places_;
    bool in_;
};

// Names and strings stand between quotes in the file; the value dialog shows them as the user types
// them. A text the user leaves as it was shown keeps its escapes as they stand in the file.
QString Shown(const QString& stored, bool quoted) {
    return quoted ? RegLine::Unescaped(stored) : stored;
}

QString Stored(const QString& typed, const QString& stored, bool quoted) {
    return quoted && typed == Shown(stored, true) ? stored : RegLine::Escaped(typed);
}
} // namespace

form_REG::form_REG(Global& global, DocumentHost& host)
    : DocumentWindow(global, host, DocType::REG), IL(ImageList(*style())), TV(new QTreeWidget), LV(new QTreeWidget),
      lbl_location(new QLabel), PB(new QProgressBar), PB2(new QProgressBar), RTFPrint2(new QTextEdit),
      images_(TreeImages(IL)),
      nodes_([&resources = global.resources](int now) { return resources.UniqueID(now); }) {
    setObjectName(QStringLiteral("form_REG"));
    setWindowTitle(QStringLiteral("Registry File"));
    auto* form = new QWidget(this);
    form->setObjectName(QStringLiteral("form"));
    setWidget(form);
    form->installEventFilter(this);
    for (QWidget* control : std::initializer_list<QWidget*>{TV, LV, lbl_location, PB, PB2, RTFPrint2})
        control->setParent(form);

    TV->setObjectName(QStringLiteral("TV"));
    TV->setHeaderHidden(true);
    TV->installEventFilter(this);
    TV->viewport()->installEventFilter(this);
    connect(TV, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node) { ShowValues(node); });
    connect(TV, &QTreeWidget::itemClicked, this, &form_REG::NodeClicked);

    LV->setObjectName(QStringLiteral("LV"));
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Value"), QStringLiteral("Type"),
                         QStringLiteral("NODE"), QStringLiteral("Index")});
    const QStringList keys = {QStringLiteral("name"), QStringLiteral("value"), QStringLiteral("type"),
                              QStringLiteral("node"), QStringLiteral("index")};
    for (int column = 0; column < keys.size(); ++column)
        LV->headerItem()->setData(column, Qt::UserRole, keys.at(column));
    LV->viewport()->installEventFilter(this);
    connect(LV, &QTreeWidget::itemClicked, this, [this] { SetRegMenus(kLV); });
    connect(LV, &QTreeWidget::itemDoubleClicked, this, &form_REG::ModifyValue);
    LV->header()->setSectionsClickable(true);
    // "NODE" has no width at all.
    LV->header()->setMinimumSectionSize(0);
    connect(LV->header(), &QHeaderView::sectionClicked, this, &form_REG::SaveColumnWidths);

    lbl_location->setObjectName(QStringLiteral("lbl_location"));
    PB->setObjectName(QStringLiteral("PB"));
    PB2->setObjectName(QStringLiteral("PB2"));
    PB->hide();
    PB2->hide();
    RTFPrint2->setObjectName(QStringLiteral("RTFPrint2"));
    RTFPrint2->hide();
    // Data is shown and printed as the characters of the file: "ff" in hex data is no ligature.
    QFont unshaped = font();
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    setFont(unshaped);
}

// ---- The document ----

void form_REG::InitRegWindow() {
    if (g_.exiting)
        return;
    values_.Clear();
    PB->hide();
    LayoutControls();
}

void form_REG::NewREG() {
    InitRegWindow();
    TV->clear();
    LV->clear();
    listed_ = nullptr;
    fileNode_ = new RegTreeItem(images_, QStringLiteral("New Registry File"));
    nodes_.SetUpFileNode(fileNode_);
    TV->addTopLevelItem(fileNode_);
    if (g_.settings.startEditorsMax)
        showMaximized();
    MarkAltered(false);
    ClearSteps();
    TV->setCurrentItem(fileNode_);
    ShowValues(fileNode_);
}

void form_REG::AddHiveNode(const QString& name) {
    TV->setCurrentItem(fileNode_);
    nodes_.Add(fileNode_, name, RegNodes::HiveTag(), name);
}

// ---- Layout and column widths ----

void form_REG::LayoutControls() {
    const QSize inner = widget()->size();
    const auto x = [this](double twips) { return Twips::ToPixelsX(twips, *this); };
    const auto y = [this](double twips) { return Twips::ToPixelsY(twips, *this); };
    const int width = std::max(0, inner.width() - x(100));
    const int treeHeight = std::max(0, inner.height() / 2 - y(200));
    TV->setGeometry(0, 0, width, treeHeight);
    const int listTop = treeHeight + y(100);
    LV->setGeometry(0, listTop, width, std::max(0, inner.height() - listTop - y(800)));
    const int below = LV->geometry().bottom() + 1;
    lbl_location->setGeometry(0, below + y(40), width, y(240));
    const int barWidth = std::max(0, inner.width() - x(200));
    PB->setGeometry(0, below + y(300), barWidth, y(200));
    PB2->setGeometry(0, below + y(540), barWidth, y(200));
    ApplyColumnWidths();
}

void form_REG::ApplyColumnWidths() {
    const Settings& settings = g_.settings;
    const QStringList saved = {settings.Read(QStringLiteral("LVC1"), kSettingsKey),
                               settings.Read(QStringLiteral("LVC2"), kSettingsKey),
                               settings.Read(QStringLiteral("LVC3"), kSettingsKey)};
    double name, value, type;
    if (std::none_of(saved.begin(), saved.end(), [](const QString& width) { return width.isEmpty(); })) {
        name = saved.at(0).toDouble();
        value = saved.at(1).toDouble();
        type = saved.at(2).toDouble();
    } else {
        const double list = Twips::FromPixelsX(LV->width(), *this);
        type = 1065.6;
        name = (list - type) * 0.34;
        value = list - type - name - 60;
    }
    const double widths[] = {name, value, type};
    for (int column = 0; column < 3; ++column)
        LV->setColumnWidth(column, std::max(0, Twips::ToPixelsX(widths[column], *this)));
    LV->setColumnWidth(3, 0);
}

void form_REG::SaveColumnWidths() {
    for (int column = 0; column < 3; ++column)
        g_.settings.Write(QStringLiteral("lvc%1").arg(column + 1),
                          QString::number(Twips::FromPixelsX(LV->columnWidth(column), *this)), kSettingsKey);
}

// ---- Focus, menus and the value list ----

void form_REG::SetRegMenus(const QString& focus) {
    focus_ = focus;
    const bool tree = focus == kTV;
    DocumentHost& menus = host_;
    const auto show = [&menus](std::initializer_list<const char*> names, bool visible) {
        for (const char* name : names)
            menus.MenuItem(QString::fromLatin1(name))->setVisible(visible);
    };
    show({"menu_EditModify", "sep_EditRegModify"}, !tree);
    show({"menu_EditNew", "sep_EditRegDelete", "menu_EditDelete"}, true);
    menus.MenuItem(QStringLiteral("menu_EditNewKey"))->setEnabled(tree);
    show({"sep_EditNewValues", "menu_EditNewString", "Menu_EditNewDword", "menu_EditNewBinary"}, !tree);
    show({"sep_EditRegRename", "menu_EditRename"}, tree);
}

void form_REG::NodeClicked(QTreeWidgetItem* node) {
    // A click that made the node current has listed it already.
    if (node == listed_)
        SetRegMenus(kTV);
    else
        ShowValues(node);
}

void form_REG::ShowValues(QTreeWidgetItem* node) {
    if (!node)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SetRegMenus(kTV);
    // The file node has no values: the list keeps what it showed.
    if (node != fileNode_) {
        LV->clear();
        listed_ = node;
        const RegTreeItem* key = RegTreeItem::Of(node);
        lbl_location->setText(RegNodes::KeyPath(key));
        const QString owner = RegNodes::FullPath(key);
        QList<QTreeWidgetItem*> items;
        for (const qsizetype index : values_.Of(RegNodes::Id(key))) {
            const RegValueTable::Record& record = values_.At(index);
            items.append(
                new QTreeWidgetItem({record.name, record.data, record.type, owner, QString::number(index)}));
        }
        LV->addTopLevelItems(items);
    }
    QApplication::restoreOverrideCursor();
}

bool form_REG::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == widget() && !isMinimized())
            LayoutControls();
        break;
    case QEvent::FocusIn:
        if (watched == TV)
            SetRegMenus(kTV);
        break;
    case QEvent::MouseButtonRelease: {
        const bool tree = watched == TV->viewport();
        if (!tree && watched != LV->viewport())
            break;
        if (!tree)
            SaveColumnWidths();
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            SetRegMenus(tree ? kTV : kLV);
            host_.RegistryMenu()->popup(QCursor::pos());
        }
        break;
    }
    default:
        break;
    }
    return DocumentWindow::eventFilter(watched, event);
}

// ---- Undo and redo ----

form_REG::View form_REG::CurrentView() const {
    return {TV->currentItem(), listed_, LV->indexOfTopLevelItem(LV->currentItem()), focus_};
}

void form_REG::ShowView(const View& view) {
    if (view.listed) {
        ShowValues(view.listed);
    } else {
        LV->clear();
        listed_ = nullptr;
    }
    {
        const QSignalBlocker blocker(TV);
        TV->setCurrentItem(view.current);
    }
    if (view.row >= 0 && view.row < LV->topLevelItemCount())
        LV->setCurrentItem(LV->topLevelItem(view.row));
    SetRegMenus(view.focus);
}

void form_REG::Record(const View& before, std::function<void()> undo, std::function<void()> redo) {
    MarkAltered(true);
    const View after = CurrentView();
    // The tree changes without the list following every current key on the way.
    PushStep(
        [this, before, undo = std::move(undo)] {
            {
                const QSignalBlocker blocker(TV);
                undo();
            }
            ShowView(before);
        },
        [this, after, redo = std::move(redo)] {
            {
                const QSignalBlocker blocker(TV);
                redo();
            }
            ShowView(after);
        });
}

void form_REG::RecordValue(const View& before, qsizetype index, const RegValueTable::Record& old) {
    const RegValueTable::Record now = values_.At(index);
    Record(
        before, [this, index, old] { values_.Restore(index, old); },
        [this, index, now] { values_.Restore(index, now); });
}

void form_REG::RecordKeys(const View& before, std::vector<KeyPlace> places, bool in) {
    if (places.empty())
        return;
    const auto grafts = std::make_shared<Grafts>(std::move(places), in);
    const auto putIn = [grafts] { grafts->PutIn(); };
    const auto takeOut = [grafts] { grafts->TakeOut(); };
    if (in)
        Record(before, takeOut, putIn);
    else
        Record(before, putIn, takeOut);
}

// ---- Editing ----

void form_REG::EditNewKey() {
    if (focus_ != kTV)
        return;
    MarkAltered(true);
    RegTreeItem* node = RegTreeItem::Of(TV->currentItem());
    if (!node)
        return;
    const QString tag = RegNodes::Tag(node);
    const View before = CurrentView();
    if (tag == RegNodes::FileTag()) {
        const int hives = fileNode_->childCount();
        form_AddHK dialog(this);
        for (int i = 0; i < fileNode_->ChildCount(); ++i) {
            const RegNode* child = fileNode_->Child(i);
            if (QCheckBox* box = dialog.Box(child->Text());
                box && RegNodes::Tag(child) == RegNodes::HiveTag())
                box->setEnabled(false);
        }
        qlx::ShowForm(dialog);
        // The order the hives have always been added in.
        for (const char* hive : {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                 "HKEY_DYN_DATA", "HKEY_LOCAL_MACHINE", "HKEY_USERS"}) {
            if (dialog.Box(QString::fromLatin1(hive))->isChecked())
                AddHiveNode(QString::fromLatin1(hive));
        }
        TV->setCurrentItem(fileNode_);
        fileNode_->setExpanded(true);
        std::vector<KeyPlace> added;
        for (int i = hives; i < fileNode_->childCount(); ++i)
            added.push_back({fileNode_, i, fileNode_->child(i)});
        RecordKeys(before, std::move(added), true);
        return;
    }
    if (tag != RegNodes::HiveTag() && tag != RegNodes::BranchTag())
        return;
    const QString name = RegLine::TrimSpaces(
        qlx::InputBox(QStringLiteral("Enter Desired Branch Name:"), QStringLiteral("Add Branch / Key")));
    if (name.isEmpty())
        return;
    if (RegNode* existing = RegNodes::ChildByText(node, name)) {
        TV->setCurrentItem(RegTreeItem::Of(existing));
        return;
    }
    RegTreeItem* added = RegTreeItem::Of(nodes_.Add(node, name, RegNodes::BranchTag()));
    node->setExpanded(true);
    RecordKeys(before, {{node, node->indexOfChild(added), added}}, true);
}

void form_REG::EditNewString() {
    AddValueOfType(RegValueTable::RegSz());
}

void form_REG::EditNewDword() {
    AddValueOfType(RegValueTable::Dword());
}

void form_REG::EditNewBinary() {
    AddValueOfType(RegValueTable::Hex());
}

void form_REG::AddValueOfType(const QString& type) {
    RegTreeItem* node = RegTreeItem::Of(TV->currentItem());
    if (!node)
        return;
    if (type == RegValueTable::RegSz() && RegNodes::Tag(node) != RegNodes::BranchTag() &&
        RegNodes::Tag(node) != RegNodes::HiveTag()) {
        qlx::MsgBox(
            QStringLiteral("You can not add values to this section of the registry. You can only add values "
                           "to the hives or the branches."),
            qlx::vbOKOnly, QStringLiteral("Can't Add Value"));
        return;
    }
    form_REGEdit dialog(this);
    if (type == RegValueTable::Hex()) {
        dialog.setWindowTitle(QStringLiteral("Add New Binary Value"));
        Apply(dialog, kByteList);
        dialog.txt_value->setFont(QFont(QStringLiteral("COURIER NEW")));
    } else {
        dialog.setWindowTitle(type == RegValueTable::RegSz() ? QStringLiteral("Add New StringValue")
                                                             : QStringLiteral("Add New DWORD Value"));
        Apply(dialog, kOneLine);
    }
    if (node == fileNode_)
        return;
    qlx::ShowForm(dialog);
    const QString typed = dialog.txt_name->text();
    if (typed == QLatin1String("CANCEL") || typed.isEmpty())
        return;
    MarkAltered(true);
    const int owner = RegNodes::Id(node);
    const QString name = RegLine::Escaped(typed);
    if (values_.Contains(owner, name)) {
        qlx::MsgBox(
            QStringLiteral("This value already exists in this key.  Please edit the existing value instead."),
            qlx::vbOKOnly, QStringLiteral("Already Exists"));
        return;
    }
    const QString data = dialog.txt_value->toPlainText();
    const View before = CurrentView();
    const qsizetype index =
        values_.Append(owner, type, name, type == RegValueTable::RegSz() ? RegLine::Escaped(data) : data);
    ShowValues(node);
    RecordValue(before, index, {});
}

void form_REG::ModifyValue(QTreeWidgetItem* item) {
    const qsizetype index = item->text(kIndexColumn).toLongLong();
    const RegValueTable::Record record = values_.At(index);
    const QString& type = record.type;
    form_REGEdit dialog(this);
    if (RegValueTable::IsBinary(type)) {
        Apply(dialog, kByteList);
        dialog.txt_value->setFont(QFont(QStringLiteral("COURIER"), 12));
        // Long byte lists wrap 300 twips short of the box's right edge.
        dialog.txt_value->setLineWrapMode(QTextEdit::FixedPixelWidth);
        dialog.txt_value->setLineWrapColumnOrWidth(dialog.txt_value->width() - Twips::ToPixelsX(300, dialog));
        dialog.setWindowTitle(QStringLiteral("Edit Binary Value"));
    } else {
        Apply(dialog, kOneLine);
        dialog.setWindowTitle(type == RegValueTable::Dword() ? QStringLiteral("Edit DWORD Value")
                                                             : QStringLiteral("Edit String Value"));
    }
    const bool quotedData = type == RegValueTable::RegSz() && !record.unquoted;
    dialog.txt_name->setText(Shown(record.name, true));
    dialog.txt_value->setPlainText(Shown(record.data, quotedData));
    qlx::ShowForm(dialog);
    const QString typed = dialog.txt_name->text();
    if (typed == QLatin1String("CANCEL"))
        return;
    const QString name = Stored(typed, record.name, true);
    const QString value = dialog.txt_value->toPlainText();
    // A deletion entry has no data to keep.
    const QString data = type == RegValueTable::Deletion() ? QString()
                         : type == RegValueTable::RegSz()  ? Stored(value, record.data, quotedData)
                                                           : value;
    const View before = CurrentView();
    values_.Change(index, name, data);
    ShowValues(listed_);
    RecordValue(before, index, record);
}

void form_REG::EditModify() {
    if (focus_ != kLV)
        return;
    if (QTreeWidgetItem* item = LV->currentItem())
        ModifyValue(item);
    MarkAltered(true);
}

void form_REG::EditDelete() {
    const bool list = focus_ == kLV;
    const QString what =
        list ? QStringLiteral("this value?")
             : QStringLiteral("this branch, all branches under it, and all values associated with "
                              "this branch and all branches under it?");
    if (qlx::MsgBox(QStringLiteral("Are you sure you want to permanently delete ") + what,
                    qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Deletion Confirmation")) != qlx::vbYes)
        return;
    const View before = CurrentView();
    if (list) {
        QTreeWidgetItem* item = LV->currentItem();
        if (!item)
            return;
        const qsizetype index = item->text(kIndexColumn).toLongLong();
        const RegValueTable::Record old = values_.At(index);
        values_.Delete(index);
        ShowValues(listed_);
        RecordValue(before, index, old);
        return;
    }
    QTreeWidgetItem* node = TV->currentItem();
    if (!node || node == fileNode_)
        return;
    // The list must not go on showing values of a key that is gone.
    if (IsAncestorOrSelf(node, listed_)) {
        LV->clear();
        listed_ = nullptr;
    }
    // The key leaves the tree whole, its values filed under it, so that undo can put it back.
    Collapse(node);
    QTreeWidgetItem* parent = node->parent();
    const int index = parent->indexOfChild(node);
    parent->takeChild(index);
    RecordKeys(before, {{parent, index, node}}, false);
}

void form_REG::EditRename() {
    QTreeWidgetItem* node = TV->currentItem();
    if (!node)
        return;
    const QString name =
        qlx::InputBox(QStringLiteral("Rename this Key"), QStringLiteral("Branch Rename"), node->text(0));
    if (name.isEmpty())
        return;
    const QString old = node->text(0);
    node->setText(0, name);
    Record(
        CurrentView(), [node, old] { node->setText(0, old); }, [node, name] { node->setText(0, name); });
}

// ---- Find ----

void form_REG::SearchFind() {
    RegFind::Options options = find_;
    options.text = SearchTextOr(options.text, kSettingsKey);
    form_TreeFind dialog(options.text,
                         {{"cb_Keys", QStringLiteral("&Keys"), options.keys},
                          {"cb_Values", QStringLiteral("&Values"), options.values},
                          {"cb_Data", QStringLiteral("&Data"), options.data}},
                         options.matchCase, options.wholeString, this);
    if (qlx::ShowForm(dialog) != QDialog::Accepted)
        return;
    find_ = {dialog.Text(),      dialog.Checked("cb_Keys"), dialog.Checked("cb_Values"), dialog.Checked("cb_Data"),
             dialog.MatchCase(), dialog.WholeString()};
    KeepSearch(find_.text, kSettingsKey);
    FindNext();
}

void form_REG::SearchAgain() {
    RepeatSearch(&find_.text, kSettingsKey, [this] { FindNext(); });
}

void form_REG::FindNext() {
    const RegFind find(values_, find_);
    FindWrapping(find_.text, [&](bool fromTop) {
        const std::optional<RegFind::Place> hit = find.After(fromTop ? RegFind::Place{fileNode_, -1} : SelectedPlace());
        if (hit)
            Reveal(*hit);
        return hit.has_value();
    });
}

RegFind::Place form_REG::SelectedPlace() const {
    RegTreeItem* node = RegTreeItem::Of(TV->currentItem());
    if (!node)
        return {fileNode_, -1};
    // The list keeps its selected value while the key is selected again in the tree.
    const QTreeWidgetItem* value = LV->currentItem();
    if (value && node == listed_)
        return {node, value->text(kIndexColumn).toLongLong()};
    return {node, -1};
}

void form_REG::Reveal(const RegFind::Place& place) {
    RegTreeItem* node = RegTreeItem::Of(place.node);
    for (QTreeWidgetItem* above = node->parent(); above; above = above->parent())
        above->setExpanded(true);
    TV->setCurrentItem(node);
    if (listed_ != node)
        ShowValues(node);
    TV->scrollToItem(node);
    // The keyboard goes where the match is, so that Find Next goes on from there.
    if (place.value < 0) {
        TV->setFocus();
        return;
    }
    for (int row = 0; row < LV->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = LV->topLevelItem(row);
        if (item->text(kIndexColumn).toLongLong() == place.value) {
            LV->setCurrentItem(item);
            LV->scrollToItem(item);
            LV->setFocus();
            SetRegMenus(kLV);
            return;
        }
    }
}

void form_REG::EditGoToKey() {
    const QString path = RegLine::TrimSpaces(
        qlx::InputBox(QStringLiteral("Enter the full path of the key:"), QStringLiteral("Go to Key"),
                      lbl_location->text()));
    if (path.isEmpty())
        return;
    if (RegTreeItem* key = KeyAt(path)) {
        Reveal({key, -1});
        return;
    }
    qlx::MsgBox(QStringLiteral("Couldn't find the key \"") + path + QLatin1Char('"'),
                qlx::vbOKOnly + qlx::vbInformation, QStringLiteral("Go to Key"));
}

RegTreeItem* form_REG::KeyAt(const QString& path) const {
    RegNode* node = fileNode_;
    for (const QString& name : path.split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        RegNode* parent = node;
        node = nullptr;
        for (int i = 0; i < parent->ChildCount() && !node; ++i) {
            if (parent->Child(i)->Text().compare(name, Qt::CaseInsensitive) == 0)
                node = parent->Child(i);
        }
        if (!node)
            return nullptr;
    }
    return node == fileNode_ ? nullptr : RegTreeItem::Of(node);
}

// ---- Reading ----

OpenResult form_REG::OpenREG(const QString& path, const QString& title) {
    // Each pass reads the file anew, a piece at a time, and the counting pass is over before the
    // import begins: neither the file's bytes nor its text are ever held whole beside the document.
    qint64 count = 0;
    if (std::optional<OpenResult> stopped = CountPass(path, &count))
        return *stopped;
    TextPieces imported(path, kPieceBytes);
    if (std::optional<FileError> error = imported.Open()) {
        lbl_location->clear();
        return OpenResult::Failed(*error);
    }
    PB->setMaximum(int(std::min<qint64>(count, INT_MAX)));
    PB->show();
    PB2->show();
    AddToRecentFiles(path);
    format_ = imported.Format();
    format_.lineEnd = TextFormat::LineEnd::CRLF;
    format_.mixedLineEnds.clear();
    // Every value takes a line at least.
    values_.Reserve(count);
    RegLines lines(Pieces(imported));
    Import(lines, title);
    // A file changed between the passes.
    if (imported.Error())
        return OpenResult::Failed(*imported.Error());
    return {};
}

std::optional<OpenResult> form_REG::CountPass(const QString& path, qint64* count) {
    TextPieces counted(path, kPieceBytes);
    if (std::optional<FileError> error = counted.Open())
        return OpenResult::Failed(*error);
    InitRegWindow();
    lbl_location->setText(QStringLiteral("Gathering File Information"));
    for (QProgressBar* bar : {PB, PB2}) {
        bar->setMinimum(0);
        bar->setValue(0);
    }
    PB2->setMaximum(kStages);

    RegLines lines(Pieces(counted));
    QStringView header;
    if ((!lines.Next(&header) || header != u"REGEDIT4") && !AcceptHeader()) {
        MarkAltered(false);
        FileClose();
        return OpenResult::Cancelled();
    }
    const bool counting = CountLines(lines, count);
    if (counting && !counted.Error())
        return std::nullopt;
    lbl_location->clear();
    return counted.Error() ? OpenResult::Failed(*counted.Error()) : OpenResult::Cancelled();
}

RegLines::Pieces form_REG::Pieces(TextPieces& file) {
    return [&file](QString* piece) { return file.Next(piece); };
}

bool form_REG::AcceptHeader() {
    return qlx::MsgBox(
               QStringLiteral("This file does not have the correct header definitions required for registry "
                              "files.  Do you wish to attemp to open this file anyway?"),
               qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Error in File Type")) == qlx::vbYes;
}

bool form_REG::CountLines(RegLines& lines, qint64* count) {
    const auto showCount = [this, count] {
        if (*count > kLargeFile)
            lbl_location->setText(QStringLiteral("Information Count: ") + QString::number(*count) +
                                  QStringLiteral(" lines."));
    };
    paintClock_.start();
    QStringView line;
    while (lines.Next(&line)) {
        if (++*count == kLargeFile &&
            qlx::MsgBox(
                QStringLiteral("This file is very large, and processing could take a while. Do you wish to "
                               "continue?"),
                qlx::vbYesNo, QStringLiteral("Large Registry File")) != qlx::vbYes)
            return false;
        if (PaintDue()) {
            showCount();
            Repaint();
        }
    }
    showCount();
    Repaint();
    return true;
}

void form_REG::Import(RegLines& lines, const QString& title) {
    TV->setCurrentItem(fileNode_);
    fileNode_->setText(0, title);
    TV->hide();
    // Built apart from the view, the tree costs nothing to show until it is put back.
    TV->takeTopLevelItem(0);
    lbl_location->setText(QStringLiteral("Importing Data:"));
    RegImport import(nodes_, values_, fileNode_);
    QStringView line;
    if (lines.Next(&line)) {
        ShowProgress(lines.Taken(), 1);
        Repaint();
        import.Handle(line, lines);
    }
    paintClock_.start();
    while (lines.Next(&line)) {
        if (!line.isEmpty())
            import.Handle(line, lines);
        if (PaintDue()) {
            ShowProgress(lines.Taken(), import.Stage());
            Repaint();
        }
    }
    ShowProgress(lines.Taken(), import.Stage());
    PB->hide();
    PB2->hide();
    lbl_location->clear();
    TV->addTopLevelItem(fileNode_);
    TV->setCurrentItem(fileNode_);
    setWindowTitle(title);
    ClearSteps();
    TV->show();
    if (!import.Errors().isEmpty())
        ReportErrors(import.Errors());
}

void form_REG::ShowProgress(qint64 lines, int stage) {
    PB->setValue(int(std::min<qint64>(lines, PB->maximum())));
    PB2->setValue(stage);
}

bool form_REG::PaintDue() {
    if (paintClock_.elapsed() < kPaintIntervalMs)
        return false;
    paintClock_.restart();
    return true;
}

void form_REG::Repaint() {
    // Paints, without taking the user's input in the middle of the work.
    const qlx::NestedLoop loop;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void form_REG::ReportErrors(const QString& errors) {
    const QString path = RegWorkFolder::File(g_.applicationPath, QStringLiteral("REG_ERR.QLX"));
    TextFile::Write(path,
                    TextFile::Encode(QStringLiteral("The following entries could not be processed:\n\n") +
                                         errors + QLatin1Char('\n'),
                                     format_));
    qlx::MsgBox(QStringLiteral("Errors were reported during inport.  Please see ") + path +
                    QStringLiteral("  for details."),
                qlx::vbOKOnly + qlx::vbInformation, QStringLiteral("Errors:"));
}


// ---- Writing, printing ----

bool form_REG::SaveFile() {
    return SaveInForm(expanded_, false);
}

void form_REG::FileSaveRegular() {
    SaveInForm(false, false);
}

void form_REG::FileSaveExpanded() {
    SaveInForm(true, false);
}

void form_REG::FileSaveAsRegular() {
    SaveInForm(false, true);
}

void form_REG::FileSaveAsExpanded() {
    SaveInForm(true, true);
}

bool form_REG::SaveInForm(bool expanded, bool askName) {
    expanded_ = expanded;
    lbl_location->setText(expanded_ ? QStringLiteral("Saving File with Expanded Structure")
                                    : QStringLiteral("Saving File"));
    return Save(askName);
}

bool form_REG::AskSaveName(QString* path, QString* title) {
    return AskSaveNameWith(QStringLiteral("Save Registry File"), QStringLiteral("Registry File|*.REG"),
                           QStringLiteral(".REG"), path, title);
}

bool form_REG::WriteFile(const QString& path) {
    // The format may turn into UTF-8 on the way. A key takes its line and a blank one.
    return WriteLinesWithProgress(path, Lines(expanded_), values_.Size() + 2 * qint64(nodes_.Made()), &format_);
}

LineSource form_REG::Lines(bool expanded) const {
    // Written straight into the file, line by line: the document is never one text in memory.
    return [this, expanded](const LineSink& sink) {
        return RegWriter::Lines(fileNode_, values_, expanded, sink);
    };
}

QString form_REG::Place() const {
    return DocumentPlace::OfTree(*TV);
}

void form_REG::GoTo(const QString& place) {
    DocumentPlace::GoTo(*TV, place);
}

void form_REG::Saved(const QString&) {
    lbl_location->clear();
}

void form_REG::PrintDoc(QPrinter* printer) {
    const QString caption = windowTitle();
    const bool changed = SlotChanged();
    expanded_ = true;
    lbl_location->setText(QStringLiteral("Saving File with Expanded Structure"));
    // The print file holds any character; the document's own format stays as it is.
    const QString file = RegWorkFolder::File(g_.applicationPath, QStringLiteral("~REGPRNT.TMP"));
    TextFormat format;
    format.encoding = TextFormat::Encoding::Utf8;
    DecodedText printed;
    if (DocumentFile::Save(file, Lines(true), &format) && !TextFile::Read(file, &printed)) {
        RTFPrint2->show();
        RTFPrint2->clear();
        RTFPrint2->setPlainText(printed.text);
        printer->setPrintRange(QPrinter::AllPages);
        RTFPrint2->print(printer);
        RTFPrint2->hide();
    }
    lbl_location->clear();
    setWindowTitle(caption);
    MarkAltered(changed);
}
