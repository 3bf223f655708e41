// The INI document window. The document is a tree of nodes (IniNode): the file as root, its
// sections under it, each section's key and comment lines under the section. Reading builds it,
// writing walks it; the tree TV shows it, one item per node, and the operations change the nodes
// first and the items after them (IniView). The text format, encoding and line ends of the file
// are kept.
#pragma once

#include "DocumentWindow.h"
#include "IniReader.h"
#include "TextFormat.h"

#include <array>
#include <memory>

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
    QTreeWidgetItem* Selected() const;
    // Programmatic selection and removal, which leave the buttons as they are.
    void Select(QTreeWidgetItem* item);
    void Remove(QTreeWidgetItem* item);
    void ClearTree(const QString& rootText);
    // Adds a line under a section as a key line or, when it begins with ";", a comment; sorts.
    QTreeWidgetItem* AddLine(QTreeWidgetItem* section, const QString& text);
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
    // The root and the sections that are expanded.
    QList<QTreeWidgetItem*> ExpandedNodes() const;
    void EditLine(QTreeWidgetItem* line);
    void RenameSection(QTreeWidgetItem* section);
    void EditComment(QTreeWidgetItem* comment);
    void Replace(QTreeWidgetItem* old, QTreeWidgetItem* replacement);

    // The items of TV show its nodes.
    std::unique_ptr<IniNode> document_;
    QTreeWidget* TV;
    std::array<QPushButton*, 5> buttons_;
    QTextEdit* RTFPrintBox;
    // How the file was written; a new document is written as CR LF in code page 1252.
    TextFormat format_;
};
