// Every way of getting a document into the main window: File New, the Open dialog, a command line,
// dropped files and text, the recent files and "Paste to new". Owns the slots' windows, the choice
// of editor for a file, the limit of five documents per type and the recent-files list.
#pragma once

#include "DocumentWindow.h"

#include <QString>

#include <functional>
#include <map>

class Global;
class mdform_QLEditor;

class Opener {
public:
    using Factory = std::function<DocumentWindow*(Global&)>;

    Opener(Global& global, mdform_QLEditor& main);

    // Which window class serves a document type.
    void RegisterEditor(DocType type, Factory factory);

    // Creates the window objects of every slot of every type that has an editor, not yet shown.
    void CreateWindows();
    // The lowest slot 0 to 4 whose window holds no document, creating the window; -1 when all are used.
    int FindFreeSlot(DocType type);
    // Tags the slot's window (slot -1: a free one) and prepares an empty document in it.
    DocumentWindow* NewDocument(DocType type, int slot);
    void ShowLimitMessage(const QString& name);

    // Shows the Open dialog, or opens the preset file when one is set.
    void OpenFileDialog();
    void PresetOpen(const QString& path, int kind);
    void OpenCommandLine(const QString& commandLine);
    // A new document of the type with the clipboard pasted into it, when a slot is free.
    void PasteToNew(DocType type);

    void ReadRecentFiles();
    void AddRecentFile(const QString& path);
    void RefreshRecentMenu();
    void OpenRecentFile(int entry);

    // Open kind of a file name: 1 INI, 2 REG, 3 text, 4 rich text.
    static int OpenKindOf(const QString& name, const QString& textFilter);
    static bool IsFullPath(const QString& name);

private:
    // The slot's window, created when it does not exist yet; nullptr for a type without an editor.
    DocumentWindow* Window(DocType type, int slot);
    void OpenByKind(int kind, const QString& path, const QString& title);
    void WriteRecentEntry(int entry);
    void RemoveRecentEntry(int entry);

    Global& g_;
    mdform_QLEditor& main_;
    std::map<DocType, Factory> factories_;
    struct {
        bool set = false;
        QString path;
        QString title;
        int kind = 0;
    } preset_;
    QString recent_[5];
};
