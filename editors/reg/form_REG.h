// The registry-file window: a registry export file as a tree of hives and keys (TV) and, for the
// selected key, the list of its values (LV). Reads the file in two passes with progress, edits it
// through the registry Edit menu and its two dialogs, and writes it back in regular or expanded
// form.
#pragma once

#include "DocumentWindow.h"
#include "LineSource.h"
#include "RegFind.h"
#include "RegLines.h"
#include "RegNodes.h"
#include "RegTreeItem.h"
#include "RegValueTable.h"
#include "TextFormat.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QList>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class RegImport;
class TextPieces;

class form_REG : public DocumentWindow {
    Q_OBJECT
public:
    form_REG(Global& global, DocumentHost& host);

    void New() override { NewREG(); }
    OpenResult Open(const QString& path, const QString& title) override { return OpenREG(path, title); }
    // An empty document: the file node alone.
    void NewREG();
    // Fills the fresh document from the file, its file node named by the title.
    OpenResult OpenREG(const QString& path, const QString& title);

    // Saves in the form of the last save (regular until another was chosen): the close prompt's Yes.
    bool SaveFile() override;
    void FileSaveRegular() override;
    void FileSaveExpanded() override;
    void FileSaveAsRegular() override;
    void FileSaveAsExpanded() override;
    // Prints the expanded form; the document keeps its path, title and changed state.
    void PrintDoc(QPrinter* printer) override;

    void EditNewKey() override;
    void EditNewString() override;
    void EditNewDword() override;
    void EditNewBinary() override;
    void EditModify() override;
    void EditDelete() override;
    void EditRename() override;
    // Find asks what to look for and where; Find Next (F3) looks again, for the last search text.
    void SearchFind() override;
    void SearchAgain() override;
    // Selects and shows the key whose full path (as the location label shows it) the user types.
    void EditGoToKey() override;

    // What the window shows and holds, for the shell and for tests.
    RegTreeItem* FileNode() const { return fileNode_; }
    const RegValueTable& Values() const { return values_; }
    const RegNodes& Nodes() const { return nodes_; }
    // "TV" or "LV": the control last used, which the registry Edit menu follows.
    const QString& FocusIndicator() const { return focus_; }
    bool ExpandedSave() const { return expanded_; }

    // A key with its place under its parent.
    struct KeyPlace {
        QTreeWidgetItem* parent;
        int index;
        QTreeWidgetItem* item;
    };

    // The tree images in order: "closed", "open", "file", "reg_sz".
    const QList<QIcon> IL;
    QTreeWidget* TV;
    // Columns "Name", "Value", "Type", "NODE" (the owner's full path) and "Index" (the record).
    QTreeWidget* LV;
    QLabel* lbl_location;
    QProgressBar* PB;
    QProgressBar* PB2;
    // Hidden; holds the text while it prints.
    QTextEdit* RTFPrint2;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool AskSaveName(QString* path, QString* title) override;
    bool WriteFile(const QString& path) override;
    QString Place() const override;
    void GoTo(const QString& place) override;
    void Saved(const QString& title) override;

private:
    void InitRegWindow();
    void AddHiveNode(const QString& name);
    void MarkAltered(bool flag) { Altered(flag); }
    void LayoutControls();
    void ApplyColumnWidths();
    void SaveColumnWidths();
    // Sets the focus indicator and the registry Edit menu for it.
    void SetRegMenus(const QString& focus);
    void ShowValues(QTreeWidgetItem* node);
    void NodeClicked(QTreeWidgetItem* node);
    void AddValueOfType(const QString& type);
    void ModifyValue(QTreeWidgetItem* item);

    bool AcceptHeader();
    // Prepares the window and counts the lines after the header; what OpenREG returns when it stops
    // there, nothing when the import is to follow.
    std::optional<OpenResult> CountPass(const QString& path, qint64* count);
    // The counting pass over the lines after the header; false when the user stopped it.
    bool CountLines(RegLines& lines, qint64* count);
    void Import(RegLines& lines, const QString& title);
    // The pieces of the file, for the lines of a pass.
    static RegLines::Pieces Pieces(TextPieces& file);
    void ShowProgress(qint64 lines, int stage);
    void ReportErrors(const QString& errors);
    // True at most every 100 ms: time to let the window repaint.
    bool PaintDue();
    void Repaint();

    // What the window shows around an edit, shown again when the edit is undone or redone.
    struct View {
        QTreeWidgetItem* current;
        QTreeWidgetItem* listed;
        int row;
        QString focus;
    };
    View CurrentView() const;
    void ShowView(const View& view);
    // Takes an edit just made into the history; before is the view it started from.
    void Record(const View& before, std::function<void()> undo, std::function<void()> redo);
    // An edit of one value record: from the content it had to the one it has now.
    void RecordValue(const View& before, qsizetype index, const RegValueTable::Record& old);
    // An edit that put keys into the tree (in) or took them out.
    void RecordKeys(const View& before, std::vector<KeyPlace> places, bool in);

    // Looks for the next match after the selected key or value, offering to go on from the top.
    void FindNext();
    // The key at that path, its names compared without regard to case; nullptr when there is none.
    RegTreeItem* KeyAt(const QString& path) const;
    RegFind::Place SelectedPlace() const;
    // Selects the key found and shows it, and the value found in the list.
    void Reveal(const RegFind::Place& place);

    // Saves in the form given, asking for the name first when askName.
    bool SaveInForm(bool expanded, bool askName);
    // The file's lines in the form given.
    LineSource Lines(bool expanded) const;

    const std::shared_ptr<const RegTreeItem::Images> images_;
    RegNodes nodes_;
    RegValueTable values_;
    RegTreeItem* fileNode_ = nullptr;
    // The node whose values the list shows.
    QTreeWidgetItem* listed_ = nullptr;
    QString focus_ = QStringLiteral("TV");
    bool expanded_ = false;
    // How the file was read; written back so, always with CR LF. New documents: code page 1252.
    TextFormat format_;
    QElapsedTimer paintClock_;
    // What the last Find asked for.
    RegFind::Options find_;
};
