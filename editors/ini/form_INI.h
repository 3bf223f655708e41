// The INI document window. The document is a tree of nodes (IniNode): the file as root, its
// sections under it, each section's key and comment lines under the section. Reading builds it,
// writing walks it; the tree TV shows it, one item per node, and the operations change the nodes
// first and the items after them (IniView). The text format, encoding and line ends of the file
// are kept.
#pragma once

#include "DocumentWindow.h"
#include "IniFind.h"
#include "IniReader.h"
#include "TextFormat.h"

#include <array>
#include <memory>
#include <vector>

class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

class form_INI : public DocumentWindow {
    Q_OBJECT
public:
    form_INI(Global& global, DocumentHost& host);
    ~form_INI() override;

    void New() override { NewINI(); }
    OpenResult Open(const QString& path, const QString& title) override { return OpenINI(path, title); }
    void NewINI();
    // Reads the file, its root named by the title; a file that cannot be read whole leaves the
    // window as it was.
    OpenResult OpenINI(const QString& path, const QString& title);

    // Prints the whole document as text.
    void PrintDoc(QPrinter* printer) override;

    void EditCut() override;
    void EditCopy() override;
    // Reads the clipboard's text into the tree at the selected node.
    void EditPaste() override;
    void EditDelete() override;
    void AddValue() override;
    void DeleteValue() override;
    void AddSection() override;
    void DeleteSection() override;
    void AddSectionToAll() override;
    void DeleteAllNodes() override;
    void PasteNewSection() override;
    void ExpandAll() override;
    // Find asks what to look for and where; Find Next (F3) looks again, for the last search text.
    void SearchFind() override;
    void SearchAgain() override;
    void CollapseAll() override;
    // The Edit button: change the selected line or rename the selected section.
    void Edit();

    QTreeWidget* Tree() const { return TV; }
    // The document as it is written to a file, lines joined by "\n".
    QString Text() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool AskSaveName(QString* path, QString* title) override;
    bool WriteFile(const QString& path) override;
    QString Place() const override;
    void GoTo(const QString& place) override;
    void Saved(const QString& title) override;

private:
    enum Button { AddSectionButton, DeleteSectionButton, AddValueButton, DeleteValueButton, EditButton };

    QTreeWidgetItem* Root() const;
    // From the selected node on; at the end, the question whether to go on from the top.
    void FindNext();
    QTreeWidgetItem* Selected() const;
    // Programmatic selection and removal, which leave the buttons as they are.
    void Select(QTreeWidgetItem* item);
    void Remove(QTreeWidgetItem* item);
    void ClearTree(const QString& rootText);
    // Adds a line under a section as a key line or, when it begins with ";", a comment; sorts.
    QTreeWidgetItem* AddLine(QTreeWidgetItem* section, const QString& text);
    // The same in the nodes alone; the items follow later.
    IniNode* AddLineNode(IniNode* section, const QString& text);
    // Makes the keys of new section nodes.
    IniReader::KeyMaker KeyMaker() const;
    bool SectionExists(const QString& name) const;
    bool HasSection() const;

    // The buttons and their menu items follow the kind of the node the user picks.
    void NodeClick(QTreeWidgetItem* item);
    void ShowButtons(bool hidden);
    void Enable(Button button, bool enabled);
    void SetButtons(bool addSection, bool deleteSection, bool addValue, bool deleteValue, bool edit);
    void LayOut();
    void SetWidthTwips(int twips);

    // Pastes lines at the selected node.
    void Paste(const QStringList& lines);
    // Selects and expands the node a reading ended on, and sets the window's width again.
    void EndReading(QTreeWidgetItem* selected);
    bool AskReplaceSection() const;
    bool ConfirmDeletion(const QString& kindWord, const QTreeWidgetItem* item) const;
    void DeleteSectionNode(bool confirm);
    void DeleteLine(bool confirm);
    // Takes the key lines of the key out of the document, under the root and in every section.
    IniNode::Taken TakeKeyLines(const QString& key);
    // Makes the change to the nodes and brings the items in step while the document is out of the
    // view: in the shown tree each change would cost time in proportion to all its expanded
    // sections. The root and the sections keep their expansion.
    void FollowOffView(const std::function<void()>& change);
    void EditLine(QTreeWidgetItem* line);
    void RenameSection(QTreeWidgetItem* section);
    void EditComment(QTreeWidgetItem* comment);
    void Replace(QTreeWidgetItem* old, QTreeWidgetItem* replacement);

    // What an edit may change: the text and children (with their texts) of some nodes, and the
    // selected node. Undo and redo put a shape back.
    struct Branch {
        IniNode* node;
        QString text;
        QList<IniNode*> children;
        QStringList texts;
    };
    struct Shape {
        std::vector<Branch> branches;
        IniNode* selected;
    };
    Shape ShapeOf(const QList<IniNode*>& nodes) const;
    void Restore(const Shape& shape);
    // Takes an edit of the nodes into the history, from their shape before it.
    void Record(const QList<IniNode*>& nodes, const Shape& before);
    // The root and every section: the nodes an edit of all sections changes.
    QList<IniNode*> AllSections() const;
    // The section the selected node is or is in, with the root: the nodes a paste changes.
    QList<IniNode*> PasteTargets() const;
    // Nodes that left the document stay until its history goes, for undo to put them back.
    void Retire(std::unique_ptr<IniNode> node);
    void Retire(IniNode::Taken nodes);
    // A new or freshly read document: no history, and the nodes kept for it go.
    void Forget();
    void FreeRetired();

    // The items of TV show its nodes.
    std::unique_ptr<IniNode> document_;
    QTreeWidget* TV;
    // What the last Find asked for.
    IniFind::Options find_;
    std::array<QPushButton*, 5> buttons_;
    QTextEdit* RTFPrintBox;
    // How the file was written; a new document is written as CR LF in code page 1252.
    TextFormat format_;
    // Nodes taken out of the document; those without a parent are freed with the history.
    std::vector<IniNode*> retired_;
};
