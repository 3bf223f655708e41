#include "GlobalMenus.h"

#include "DocumentWindow.h"
#include "Global.h"
#include "RecentFiles.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
using Operation = void (DocumentWindow::*)();

// Items that call one operation of the active document.
struct Routed {
    const char* name;
    Operation operation;
};

const Routed kRouted[] = {
    {"menu_FileSaveRegular", &DocumentWindow::FileSaveRegular},
    {"menu_FileSaveExpanded", &DocumentWindow::FileSaveExpanded},
    {"Menu_FileSaveAsRegular", &DocumentWindow::FileSaveAsRegular},
    {"menu_FileSaveAsExpanded", &DocumentWindow::FileSaveAsExpanded},
    {"menu_FileSaveAs", &DocumentWindow::SaveAs},
    {"menu_FileClose", &DocumentWindow::FileClose},
    {"menu_EditUndo", &DocumentWindow::EditUndo},
    {"menu_EditRedo", &DocumentWindow::EditRedo},
    {"menu_EditRegUndo", &DocumentWindow::EditUndo},
    {"menu_EditRegRedo", &DocumentWindow::EditRedo},
    {"menu_EditCut", &DocumentWindow::EditCut},
    {"menu_EditCopy", &DocumentWindow::EditCopy},
    {"menu_EditPaste", &DocumentWindow::EditPaste},
    {"menu_EditDeleteSelection", &DocumentWindow::EditDelete},
    {"menu_EditSelectAll", &DocumentWindow::EditSelectAll},
    {"menu_EditTimeDate", &DocumentWindow::EditTimeDate},
    {"menu_EditWordWrap", &DocumentWindow::EditWW},
    {"menu_EditAddKeyValue", &DocumentWindow::AddValue},
    {"menu_EditAddKeyAll", &DocumentWindow::AddSectionToAll},
    {"menu_EditDeleteValue", &DocumentWindow::DeleteValue},
    {"menu_EditDeleteAllNodes", &DocumentWindow::DeleteAllNodes},
    {"menu_EditSectionsAdd", &DocumentWindow::AddSection},
    {"menu_SectionsDelete", &DocumentWindow::DeleteSection},
    {"menu_EditModify", &DocumentWindow::EditModify},
    {"menu_EditNewKey", &DocumentWindow::EditNewKey},
    {"menu_EditNewString", &DocumentWindow::EditNewString},
    {"Menu_EditNewDword", &DocumentWindow::EditNewDword},
    {"menu_EditNewBinary", &DocumentWindow::EditNewBinary},
    {"menu_EditDelete", &DocumentWindow::EditDelete},
    {"menu_EditRename", &DocumentWindow::EditRename},
    {"menu_EditGoToKey", &DocumentWindow::EditGoToKey},
    {"menu_SearchFind", &DocumentWindow::SearchFind},
    {"menu_SearchAgain", &DocumentWindow::SearchAgain},
    {"menu_SearchReplace", &DocumentWindow::SearchReplace},
    {"menu_FormatFont", &DocumentWindow::FormatFont},
    {"menu_FormatColor", &DocumentWindow::FormatColor},
    {"menu_FormatBold", &DocumentWindow::FormatBold},
    {"menu_FormatItalic", &DocumentWindow::FormatItalic},
    {"menu_FormatUnderline", &DocumentWindow::FormatUnderline},
    {"menu_FormatBulleted", &DocumentWindow::FormatBulleted},
    {"menu_ViewExpandAll", &DocumentWindow::ExpandAll},
    {"menu_ViewCollapseAll", &DocumentWindow::CollapseAll},
};

// One entry of the menu bar: a submenu (with its items up to the matching End), an action, or a
// separator. Names of separators start with "sep".
struct Item {
    const char* name;
    const char* caption;
    const char* shortcut;
    bool submenu;
};

constexpr Item End{nullptr, nullptr, nullptr, false};

const Item kBar[] = {
    {"menu_File", "&File", nullptr, true},
    {"menu_FileNew", "&New", "Ctrl+N", false},
    {"sep_File1", nullptr, nullptr, false},
    {"menu_FileOpen", "&Open", "Ctrl+O", false},
    {"menu_FileSave", "&Save", "Ctrl+S", false},
    {"menu_FileRegSave", "&Save", nullptr, true},
    {"menu_FileSaveRegular", "&Regular", nullptr, false},
    {"menu_FileSaveExpanded", "&Expanded", nullptr, false},
    End,
    {"menu_FileSaveAs", "Save &As", nullptr, false},
    {"menu_FileRegSaveAs", "Save &As", nullptr, true},
    {"Menu_FileSaveAsRegular", "&Regular", nullptr, false},
    {"menu_FileSaveAsExpanded", "&Expanded", nullptr, false},
    End,
    {"menu_FileSaveAll", "Save A&ll", "Ctrl+W", false},
    {"menu_FileClose", "&Close File", nullptr, false},
    {"menu_FileCloseAll", "C&lose All Files", nullptr, false},
    {"sep_FilePrint", nullptr, nullptr, false},
    {"menu_FilePrint", "&Print", nullptr, false},
    {"sep_FileRecent", nullptr, nullptr, false},
    {"menu_FileRecent1", "1", nullptr, false},
    {"menu_FileRecent2", "2", nullptr, false},
    {"menu_FileRecent3", "3", nullptr, false},
    {"menu_FileRecent4", "4", nullptr, false},
    {"sep_FileExit", nullptr, nullptr, false},
    {"menu_FileExit", "E&xit QLX", nullptr, false},
    End,
    {"menu_New", "New", nullptr, true},
    {"menu_NewINI", "&INI File", nullptr, false},
    {"menu_NewTXT", "Te&xt File", nullptr, false},
    {"menu_NewRTF", "&RTF File", nullptr, false},
    {"menu_NewREG", "Re&gistry File", nullptr, false},
    End,
    {"menu_EditMDI", "&Edit", nullptr, true},
    {"menu_MDIPasteNewRTF", "Paste to new &RTF", nullptr, false},
    {"menu_MDIPasteNewTXT", "Paste to new &TXT", nullptr, false},
    End,
    {"menu_Edit", "&Edit", nullptr, true},
    {"menu_EditUndo", "&Undo", "Ctrl+Z", false},
    {"menu_EditRedo", "&Redo", "Ctrl+Y", false},
    {"sep_EditUndo", nullptr, nullptr, false},
    {"menu_EditCut", "&Cut", nullptr, false},
    {"menu_EditCopy", "C&opy", nullptr, false},
    {"menu_EditPaste", "&Paste", nullptr, false},
    {"menu_EditPasteAs", "Paste &As", nullptr, true},
    {"menu_EditPasteAsPlain", "Plain &Text", nullptr, false},
    End,
    {"menu_EditPasteShell", "Paste &Shell", nullptr, true},
    {"menu_EditPasteNewRTF", "Paste to new &RTF", nullptr, false},
    {"menu_EditPasteNewTXT", "Paste to new &TXT", nullptr, false},
    End,
    {"sep_EditDelete", nullptr, nullptr, false},
    {"menu_EditDeleteSelection", "&Delete Selection", "Del", false},
    {"sep_EditSelectAll", nullptr, nullptr, false},
    {"menu_EditSelectAll", "Select &All", "Ctrl+A", false},
    {"sep_EditTimeDate", nullptr, nullptr, false},
    {"menu_EditTimeDate", "&Time and Date", "F5", false},
    {"sep_EditWordWrap", nullptr, nullptr, false},
    {"menu_EditWordWrap", "&Word Wrap", nullptr, false},
    {"sep_EditKeyValue", nullptr, nullptr, false},
    {"menu_EditKeyValue", "Key / &Value", nullptr, true},
    {"menu_EditAddKeyValue", "&Add Key / Value", nullptr, false},
    {"menu_EditAddKeyAll", "Add &Key to All Sections", nullptr, false},
    {"menu_EditDeleteValue", "&Delete Key / Value", nullptr, false},
    {"menu_EditDeleteAllNodes", "Delete Key / &Value from all Sections", nullptr, false},
    End,
    {"menu_EditSections", "&Sectons", nullptr, true},
    {"menu_EditSectionsAdd", "&Add Section", nullptr, false},
    {"menu_SectionsDelete", "&Delete Sections", nullptr, false},
    End,
    End,
    {"menu_EditReg", "&Edit", nullptr, true},
    {"menu_EditRegUndo", "&Undo", "Ctrl+Z", false},
    {"menu_EditRegRedo", "&Redo", "Ctrl+Y", false},
    {"sep_EditRegUndo", nullptr, nullptr, false},
    {"menu_EditModify", "&Modify", nullptr, false},
    {"sep_EditRegModify", nullptr, nullptr, false},
    {"menu_EditNew", "&New", nullptr, true},
    {"menu_EditNewKey", "&Key", nullptr, false},
    {"sep_EditNewValues", nullptr, nullptr, false},
    {"menu_EditNewString", "&String Value", nullptr, false},
    {"Menu_EditNewDword", "&DWORD Value", nullptr, false},
    {"menu_EditNewBinary", "&Binary Value", nullptr, false},
    End,
    {"sep_EditRegDelete", nullptr, nullptr, false},
    {"menu_EditDelete", "Delete", "Ctrl+D", false},
    {"sep_EditRegRename", nullptr, nullptr, false},
    {"menu_EditRename", "&Rename", "Ctrl+R", false},
    {"sep_EditRegGoTo", nullptr, nullptr, false},
    {"menu_EditGoToKey", "&Go to Key", "Ctrl+L", false},
    End,
    {"menu_Search", "&Search", nullptr, true},
    {"menu_SearchFind", "&Find", "Ctrl+F", false},
    {"menu_SearchAgain", "Find &Again", "F3", false},
    {"menu_SearchReplace", "&Replace", "Ctrl+H", false},
    End,
    {"menu_Format", "&Format", nullptr, true},
    {"menu_FormatFont", "&Font", nullptr, false},
    {"menu_FormatColor", "&Color", nullptr, false},
    {"sep_Format1", nullptr, nullptr, false},
    {"menu_FormatBold", "&Bold", nullptr, false},
    {"menu_FormatItalic", "&Italic", nullptr, false},
    {"menu_FormatUnderline", "&Underline", nullptr, false},
    {"sep_Format2", nullptr, nullptr, false},
    {"menu_FormatBulleted", "Bulleted", nullptr, false},
    End,
    {"menu_View", "&View", nullptr, true},
    {"menu_ViewExpandAll", "&Expand All", nullptr, false},
    {"menu_ViewCollapseAll", "&Collapse All", nullptr, false},
    End,
    {"menu_Tools", "&Tools", nullptr, true},
    {"menu_ToolsDirList", "Gather &DIR list", nullptr, false},
    {"menu_ToolsSysedit", "&SYSEDIT", nullptr, false},
    {"menu_ToolsEnvVars", "Gather &Environmental Variables", nullptr, false},
    {"sep_Tools", nullptr, nullptr, false},
    {"menu_ToolsOptions", "&Options...", nullptr, false},
    End,
    {"menu_Window", "&Window", nullptr, true},
    {"menu_WindowCascade", "&Cascade", nullptr, false},
    {"menu_WindowTileH", "Tile &Horizontally", nullptr, false},
    {"menu_WindowTileV", "Tile &Vertically", nullptr, false},
    {"menu_WindowArrange", "Arrange &Icons", nullptr, false},
    End,
    {"menu_Help", "&Help", nullptr, true},
    {"menu_HelpAbout", "&About", nullptr, false},
    End,
};

// Items whose check mark shows a state of the active document.
const char* const kCheckable[] = {"menu_EditWordWrap", "menu_FormatBold", "menu_FormatItalic",
                                  "menu_FormatUnderline", "menu_FormatBulleted"};
} // namespace

GlobalMenus::GlobalMenus(Global& global, QMainWindow& window) : QObject(&window), g_(global), window_(window) {
    Build();
}

void GlobalMenus::Build() {
    QList<QMenu*> open;
    for (const Item& item : kBar) {
        if (!item.name) {
            open.removeLast();
            continue;
        }
        const QString name = QString::fromLatin1(item.name);
        QAction* action = nullptr;
        if (item.submenu) {
            QMenu* menu = new QMenu(QString::fromLatin1(item.caption), &window_);
            menu->setObjectName(name);
            menus_.insert(name, menu);
            action = menu->menuAction();
            if (open.isEmpty())
                window_.menuBar()->addMenu(menu);
            else
                open.last()->addMenu(menu);
            open.append(menu);
        } else if (name.startsWith(QLatin1String("sep"))) {
            action = open.last()->addSeparator();
        } else {
            action = open.last()->addAction(QString::fromLatin1(item.caption));
            if (item.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
        }
        action->setObjectName(name);
        actions_.insert(name, action);
    }
    // The pop-up of File "New" is never a menu of the bar.
    Menu(QStringLiteral("menu_New"))->menuAction()->setVisible(false);
    for (const char* name : kCheckable)
        Action(QString::fromLatin1(name))->setCheckable(true);
    for (const Routed& routed : kRouted) {
        QAction* action = Action(QString::fromLatin1(routed.name));
        connect(action, &QAction::triggered, this, [this, routed, action] {
            // A check mark shows the document's state: the document's operation sets it, not the click.
            if (action->isCheckable())
                action->setChecked(!action->isChecked());
            if (g_.activeDocument)
                (g_.activeDocument->*routed.operation)();
        });
    }
}

QAction* GlobalMenus::Action(const QString& objectName) const {
    QAction* action = actions_.value(objectName);
    if (!action)
        qFatal("No menu item is named %s", qPrintable(objectName));
    return action;
}

QMenu* GlobalMenus::Menu(const QString& objectName) const {
    QMenu* menu = menus_.value(objectName);
    if (!menu)
        qFatal("No menu is named %s", qPrintable(objectName));
    return menu;
}

bool GlobalMenus::AnyDocumentOpen() const {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        for (DocType type : {DocType::INI, DocType::TXT, DocType::RTF, DocType::REG}) {
            const DocumentSlot& entry = g_.Slot(type, slot);
            if (entry.window && !entry.window->Tag.isEmpty())
                return true;
        }
    }
    return false;
}

void GlobalMenus::Show(std::initializer_list<const char*> names, bool visible) const {
    for (const char* name : names)
        Action(QString::fromLatin1(name))->setVisible(visible);
}

void GlobalMenus::SetState(const QString& typeName) {
    if (AnyDocumentOpen()) {
        Show({"menu_FileSave", "menu_FileSaveAs", "menu_FileSaveAll", "menu_FileClose", "menu_FilePrint",
              "sep_FilePrint", "menu_EditDeleteSelection", "sep_EditRegDelete"},
             true);
        Show({"menu_ToolsSysedit", "menu_EditMDI", "menu_Edit", "menu_EditReg"}, false);
        Show({"menu_FileCloseAll"}, true);
    } else {
        Show({"menu_EditMDI", "menu_MDIPasteNewRTF", "menu_MDIPasteNewTXT"}, true);
        Show({"menu_FileSave", "menu_FileSaveAs", "menu_FileRegSave", "menu_FileRegSaveAs", "menu_FileSaveAll",
              "menu_FileClose", "menu_FileCloseAll", "menu_FilePrint", "sep_FilePrint", "menu_Edit",
              "menu_Search", "menu_Format", "menu_EditReg", "menu_View"},
             false);
        Show({"menu_ToolsSysedit"}, true);
    }
    QAction* pasteAs = Action(QStringLiteral("menu_EditPasteAsPlain"));
    const bool txt = typeName == QLatin1String("TXT");
    const bool rtf = typeName == QLatin1String("RTF");
    if (txt || rtf) {
        Show({"menu_FileRegSave", "menu_FileRegSaveAs"}, false);
        Show({"menu_Edit", "menu_EditCut", "menu_EditCopy", "menu_EditPaste", "menu_EditSelectAll",
              "sep_EditSelectAll", "menu_EditTimeDate", "sep_EditTimeDate", "menu_EditWordWrap",
              "sep_EditWordWrap", "sep_EditDelete"},
             true);
        WordWrap()->setChecked(g_.activeDocument && g_.activeDocument->WordWrap());
        Show({"menu_Search", "menu_SearchReplace"}, true);
        Action(QStringLiteral("menu_SearchFind"))->setText(QStringLiteral("&Find"));
        Action(QStringLiteral("menu_SearchAgain"))->setText(QStringLiteral("Find &Again"));
        Show({"menu_EditKeyValue", "menu_EditSections", "sep_EditKeyValue", "menu_EditReg", "menu_View"}, false);
        Show({"menu_EditPasteAs"}, rtf);
        Show({"menu_Format"}, rtf);
        if (rtf) {
            pasteAs->setText(QStringLiteral("Plain &Text"));
            Action(QStringLiteral("menu_FormatBulleted"))
                ->setChecked(g_.activeDocument && g_.activeDocument->Bulleted());
        }
    } else if (typeName == QLatin1String("INI")) {
        pasteAs->setText(QStringLiteral("New Section"));
        Show({"menu_FileRegSave", "menu_FileRegSaveAs"}, false);
        Show({"menu_Edit", "menu_EditCut", "menu_EditCopy", "menu_EditPaste", "menu_EditPasteAs",
              "menu_EditDeleteSelection", "sep_EditDelete", "menu_EditKeyValue", "sep_EditKeyValue",
              "menu_EditSections"},
             true);
        Show({"menu_EditSelectAll", "sep_EditSelectAll", "menu_EditTimeDate", "sep_EditTimeDate",
              "menu_EditWordWrap", "sep_EditWordWrap", "menu_Format", "menu_EditMDI", "menu_EditReg"},
             false);
        Show({"menu_View"}, true);
        ShowTreeSearch();
    } else if (typeName == QLatin1String("REG")) {
        Show({"menu_FileRegSave", "menu_FileRegSaveAs"}, true);
        Show({"menu_FileSave", "menu_FileSaveAs", "menu_Edit", "menu_Format", "menu_View"}, false);
        Show({"menu_EditReg"}, true);
        ShowTreeSearch();
    }
    // Ctrl+Z and Ctrl+Y belong to the one Edit menu the document shows.
    const bool reg = typeName == QLatin1String("REG");
    Show({"menu_EditUndo", "menu_EditRedo", "sep_EditUndo"}, !reg);
    Show({"menu_EditRegUndo", "menu_EditRegRedo", "sep_EditRegUndo"}, reg);
}

void GlobalMenus::ShowTreeSearch() const {
    // The tree windows find lines, keys and values; they replace nothing.
    Show({"menu_Search"}, true);
    Show({"menu_SearchReplace"}, false);
    Action(QStringLiteral("menu_SearchFind"))->setText(QStringLiteral("&Find\u2026"));
    Action(QStringLiteral("menu_SearchAgain"))->setText(QStringLiteral("Find &Next"));
}

bool GlobalMenus::PasteAsIsPlainText() const {
    return Action(QStringLiteral("menu_EditPasteAsPlain"))->text().remove(QLatin1Char('&')) ==
           QLatin1String("Plain Text");
}

void GlobalMenus::DrawRecentFiles(const RecentFiles& files) {
    bool anyEntry = false;
    for (int entry = 1; entry <= RecentFiles::kEntries; ++entry) {
        QAction* item = Action(QStringLiteral("menu_FileRecent%1").arg(entry));
        const QString& path = files.Entry(entry);
        anyEntry = anyEntry || !path.isEmpty();
        const bool shown = !path.isEmpty() && g_.resources.ValidateMRU(path);
        item->setVisible(shown);
        if (shown)
            item->setText(QFileInfo(path).fileName().replace(QLatin1Char('&'), QLatin1String("&&")));
    }
    Action(QStringLiteral("sep_FileExit"))->setVisible(anyEntry);
}
