// The contract between the shell and every document window: the named operations the menus call
// on the active document (empty unless the editor offers them), the slot tag, and the duties on
// activation and unload.
#pragma once

#include "DocType.h"
#include "TextFile.h"

#include <QMdiSubWindow>

#include <functional>

class DocumentDraft;
class DocumentHost;
class DocumentWatch;
class FileStamp;
class Global;
class QPrinter;
class QTextDocument;
class QUndoStack;

// What opening a file came to: read, declined by the user on the way, or not readable.
struct OpenResult {
    enum class State { Opened, Cancelled, Failed };
    State state = State::Opened;
    // Why the file could not be read.
    FileError error;

    static OpenResult Cancelled() { return {State::Cancelled, {}}; }
    static OpenResult Failed(FileError error) { return {State::Failed, std::move(error)}; }
};

class DocumentWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    DocumentWindow(Global& global, DocumentHost& host, DocType type);
    ~DocumentWindow() override;

    DocType Type() const { return type_; }
    // "INI", "REG", "RTF" or "TXT".
    static QString TypeName(DocType type);

    // The slot tag: the slot number as decimal text while the window holds a document, else empty.
    QString Tag;
    int Slot() const { return Tag.toInt(); }

    // Prepares an empty document; Open loads the file at path, shown under title. The opener has
    // given the slot that path and title; an open that fails leaves the file alone and says why.
    virtual void New() = 0;
    virtual OpenResult Open(const QString& path, const QString& title) = 0;

    // Runs the close logic as at exit; false when the user kept the document (Cancel, or a save
    // that did not happen), which stops the exit.
    virtual bool ExitForm();
    // Saves to the slot's file, or to one the user names when there is none; false when nothing
    // was written (dialog cancelled, write failed).
    virtual bool SaveFile() { return Save(false); }
    void SaveAs() { Save(true); }
    virtual void FileSaveRegular() {}
    virtual void FileSaveExpanded() {}
    virtual void FileSaveAsRegular() {}
    virtual void FileSaveAsExpanded() {}
    // Keeps the unsaved work in a draft, in the bytes a save would write (nothing when unchanged).
    void WriteDraft();
    // Asks the window to close: the close logic may offer to save, and may keep the window.
    virtual void FileClose();
    virtual void PrintDoc(QPrinter* printer);
    virtual void ResizeForm() {}
    // Shows the content of a file named relative to the current folder, as an untitled document.
    virtual void LoadFileByName(const QString&) {}

    // Each edit of the document is one step back and forth; returning to the state of the last
    // save (or of the reading) clears the changed mark, leaving it sets the mark again.
    virtual void EditUndo();
    virtual void EditRedo();
    virtual void EditCut() {}
    virtual void EditCopy() {}
    virtual void EditPaste() {}
    virtual void EditDelete() {}
    virtual void EditSelectAll() {}
    virtual void EditTimeDate() {}
    virtual void EditWW() {}
    virtual void EditPasteSpecialPlainText() {}
    virtual void SearchFind() {}
    virtual void SearchReplace() {}
    virtual void SearchAgain() {}
    virtual void FormatFont() {}
    virtual void FormatColor() {}
    virtual void FormatBold() {}
    virtual void FormatItalic() {}
    virtual void FormatUnderline() {}
    virtual void FormatBulleted() {}
    virtual void AddValue() {}
    virtual void DeleteValue() {}
    virtual void AddSection() {}
    virtual void DeleteSection() {}
    virtual void AddSectionToAll() {}
    virtual void DeleteAllNodes() {}
    virtual void PasteNewSection() {}
    virtual void ExpandAll() {}
    virtual void CollapseAll() {}
    virtual void EditModify() {}
    virtual void EditNewKey() {}
    virtual void EditNewString() {}
    virtual void EditNewDword() {}
    virtual void EditNewBinary() {}
    virtual void EditRename() {}
    virtual void EditGoToKey() {}

    virtual bool WordWrap() const { return false; }
    virtual bool Bulleted() const { return false; }

    // The changed state: the slot's flag, shown as the caption suffix " [CHANGED]".
    void Altered(bool changed);
    // Makes this the active document and sets the menus for its type; then looks whether another
    // program changed its file.
    void Activate();

    // Follows the slot's file from what was last read from or written to it.
    void FollowFile();
    // When another program changed the file since it was read or written, asks once per change
    // whether to reload it (a changed document keeps its edits on No, and the next save asks
    // before overwriting); a removed file is mentioned once, and the next save writes it anew.
    void CheckFile();
    // True while the file holds content another program wrote since it was read or written.
    bool ChangedElsewhere();
    // The document came back from a draft: changed, its file known by the content it was read
    // from (base), so that a save over a file changed since asks.
    void Recovered(const FileStamp& base);

    // A size where the document's content shows (a tree with its list, lines of text), within the
    // frame: a new window opens at it and cascading gives it. Tiling goes no smaller than the minimum.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // The editor's close logic: true when the window may go. The default asks "Save this file?"
    // for a changed document and saves on Yes; a save that did not happen keeps the window.
    virtual bool QueryClose();

    // Takes an edit already made into the history: undo and redo bring back the state before and
    // after it.
    void PushStep(std::function<void()> undo, std::function<void()> redo);
    // A new or freshly read document: no history, and the state that counts as saved.
    void ClearSteps();
    // For a text pad: its own history stands for the document's.
    void UsePadHistory(QWidget* pad, QTextDocument* document);
    bool CanUndo() const;
    bool CanRedo() const;
    // Enables the Undo and Redo items while this is the active document.
    void ShowUndoState();

    // The one save: to the slot's file, or (askName, or no file yet) to a file the user names. The
    // slot keeps its path and title until a file is written, so a cancel leaves them as they were.
    bool Save(bool askName);
    // The editor's steps of a save: its save dialog, and the writing of the document to a file
    // (false when nothing was written: the user declined on the way, or the write failed and was
    // reported). Saved follows a written file, once the slot has its path and title.
    virtual bool AskSaveName(QString* path, QString* title) = 0;
    virtual bool WriteFile(const QString& path) = 0;
    virtual void Saved(const QString& title);

    // Where the user is in the document (the caret, the selected key), so that a reload of the
    // file can go back there, or as near as what is left allows.
    virtual QString Place() const { return {}; }
    virtual void GoTo(const QString&) {}

    // Asks for the name to save under until the user picks a new file, agrees to overwrite an
    // existing one, or cancels; records the chosen folder as the last save folder. The main
    // window's common dialog keeps the chosen filter entry.
    bool AskSaveNameWith(const QString& dialogTitle, const QString& filter, const QString& defaultExt,
                         QString* path, QString* title);
    // Writes the lines (count of them, for the bar of a long write) through the save's questions and
    // reports; *format changes only when the file was written, and then as it was written.
    bool WriteLinesWithProgress(const QString& path, const LineSource& lines, qint64 count, TextFormat* format);
    // One Find Next of the tree windows: search(false) looks after the selection and shows what it
    // finds; at the end the user is asked whether to go on from the top (search(true)), and told when
    // the text is nowhere.
    static void FindWrapping(const QString& text, const std::function<bool(bool fromTop)>& search);
    // The tree windows' search text: the one given, else the one last stored under the editor's
    // settings key ("Last Search"); KeepSearch stores it there.
    QString SearchTextOr(const QString& text, const QString& settingsKey) const;
    void KeepSearch(const QString& text, const QString& settingsKey);
    // Find Next of the tree windows: with no search text yet, the one last stored under the editor's
    // settings key ("Last Search"); with none at all, the Find dialog.
    void RepeatSearch(QString* text, const QString& settingsKey, const std::function<void()>& findNext);
    // An opened file enters the recent files, unless the one-shot suppression says otherwise.
    void AddToRecentFiles(const QString& path);
    // What "Time and Date" inserts: the time, " - ", the date, in the system's short forms.
    static QString TimeAndDate();

    // The shell's entries for this window's slot.
    const QString& SlotPath() const;
    const QString& SlotTitle() const;
    bool& SlotChanged();

    void closeEvent(QCloseEvent* event) override;

    Global& g_;
    DocumentHost& host_;

private:
    // Reads the file again into this window, at the same place.
    void Reload();
    // False when the file changed elsewhere and the user would not overwrite it.
    bool MayOverwrite();

    DocType type_;
    QUndoStack* steps_;
    QWidget* pad_ = nullptr;
    QTextDocument* padDocument_ = nullptr;
    DocumentWatch* watch_;
    DocumentDraft* draft_;
};
