// What a document window needs of the window that holds it: the menus it sets and pops up, the
// one common dialog, and word of a file it opened. The main window implements it and hands it to
// each document window when that is made, so that the editors know nothing else of the main window.
#pragma once

#include <QString>

class CommonDialog;
class QAction;
class QMenu;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Shows the menu items for "TXT", "RTF", "INI", "REG", or "MDI" (no particular document).
    virtual void SetMenuState(const QString& typeName) = 0;
    // A menu item by its name; a name the bar does not have is a fault of the program and ends it.
    virtual QAction* MenuItem(const QString& name) const = 0;
    // The document Edit menu, also the pop-up of the text, rich-text and INI windows.
    virtual QMenu* EditMenu() const = 0;
    // The registry window's pop-up.
    virtual QMenu* RegistryMenu() const = 0;
    // The word-wrap check, the word-wrap state of every text and rich-text window.
    virtual QAction* WordWrap() const = 0;

    // The one common dialog every editor configures and shows.
    virtual CommonDialog& Dialog() = 0;
    // A document was read from the file: it enters the recent files.
    virtual void FileOpened(const QString& path) = 0;

protected:
    DocumentHost() = default;
    DocumentHost(const DocumentHost&) = default;
    DocumentHost& operator=(const DocumentHost&) = default;
};
