// The main window's one menu bar: every item a named action, the visible set following the type
// of the active document, and every document command routed to the active document.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <initializer_list>

class Global;
class QAction;
class QMainWindow;
class QMenu;
class RecentFiles;

class GlobalMenus : public QObject {
    Q_OBJECT
public:
    GlobalMenus(Global& global, QMainWindow& window);

    // Shows the items for "TXT", "RTF", "INI", "REG", or "MDI" (no particular document).
    void SetState(const QString& typeName);

    // An item by its name; a name the bar does not have is a fault of the program and ends it.
    QAction* Action(const QString& objectName) const;
    QMenu* Menu(const QString& objectName) const;

    // The word-wrap check is the word-wrap state of every text and rich-text window.
    QAction* WordWrap() const { return Action(QStringLiteral("menu_EditWordWrap")); }
    // The document Edit menu, also the pop-up of the text and rich-text pads.
    QMenu* EditMenu() const { return Menu(QStringLiteral("menu_Edit")); }
    QMenu* RegistryMenu() const { return Menu(QStringLiteral("menu_EditReg")); }

    // The recent-file items: a file that no longer exists is not shown, and the separator before
    // Exit only while the list has an entry.
    void DrawRecentFiles(const RecentFiles& files);

    // "Paste As" pastes plain text in a rich-text document, a new section in an INI document.
    bool PasteAsIsPlainText() const;

private:
    void Build();
    void Show(std::initializer_list<const char*> names, bool visible) const;
    bool AnyDocumentOpen() const;
    // The Search menu of the INI and registry windows: Find and Find Next.
    void ShowTreeSearch() const;

    Global& g_;
    QMainWindow& window_;
    // Built once with the bar: the menus ask for items by name on every change of state.
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
};
