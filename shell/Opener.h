// Every way of getting a document into the main window: File New, the Open dialog, a command line,
// dropped files and text, the recent files and "Paste to new". Owns the slots' windows, the choice
// of editor for a file and the limit of five documents per type.
#pragma once

#include "DocumentWindow.h"

#include <QString>

#include <functional>
#include <map>

class DocumentHost;
class Global;
class QMdiArea;
class RecentFiles;

class Opener {
public:
    using Factory = std::function<DocumentWindow*(Global&, DocumentHost&)>;

    // Document windows are made for the host and shown in the area.
    Opener(Global& global, DocumentHost& host, QMdiArea& area, RecentFiles& recent);

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
    void PresetOpen(const QString& path, DocType type);
    void OpenCommandLine(const QString& commandLine);
    // A new document of the type with the clipboard pasted into it, when a slot is free.
    void PasteToNew(DocType type);

    void OpenRecentFile(int entry);

    // The editor for a file name: INI and REG by the extension, text when the text filter names
    // it, else rich text.
    static DocType TypeOfName(const QString& name, const QString& textFilter);
    static bool IsFullPath(const QString& name);

private:
    // The slot's window, created when it does not exist yet; nullptr for a type without an editor.
    DocumentWindow* Window(DocType type, int slot);
    void OpenAs(DocType type, const QString& path, const QString& title);
    void Cascade();

    Global& g_;
    DocumentHost& host_;
    QMdiArea& area_;
    RecentFiles& recent_;
    std::map<DocType, Factory> factories_;
    struct {
        bool set = false;
        QString path;
        QString title;
        DocType type = DocType::INI;
    } preset_;
};
