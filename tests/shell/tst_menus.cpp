#include "ShellFixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {
QStringList Visible(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions) {
        if (action->isVisible() && !action->isSeparator())
            names << action->objectName();
    }
    return names;
}

QStringList Bar(ShellFixture& f) {
    return Visible(f.main.menuBar()->actions());
}

QStringList Items(ShellFixture& f, const char* menu) {
    return Visible(f.main.Menus().Menu(QString::fromLatin1(menu))->actions());
}

DocumentWindow* NewDoc(ShellFixture& f, DocType type) {
    DocumentWindow* window = f.main.DocumentOpener().NewDocument(type, -1);
    f.main.MDIArea()->setActiveSubWindow(window);
    window->Activate();
    return window;
}

// An action's shortcut is live when it and every menu that holds it can be reached.
bool Reachable(const QAction* action) {
    if (!action->isVisible() || !action->isEnabled())
        return false;
    for (const QObject* holder : action->associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(holder); menu && !Reachable(menu->menuAction()))
            return false;
    }
    return true;
}

const QStringList kDocFile = {"menu_FileNew", "menu_FileOpen", "menu_FileSave", "menu_FileSaveAs",
                              "menu_FileSaveAll", "menu_FileClose", "menu_FileCloseAll", "menu_FilePrint",
                              "menu_FileExit"};
} // namespace

class tst_menus : public QObject {
    Q_OBJECT

private slots:
    // In every menu state each letter opens one item of a menu, so Alt+F, P prints; the pairs the
    // program has always had are the exceptions.
    void mnemonicsAreUniqueInEachMenu() {
        ShellFixture f;
        for (DocType type : Global::kWalkOrder) {
            NewDoc(f, type);
            for (const QMenu* menu : f.main.findChildren<QMenu*>()) {
                QHash<QChar, QString> seen;
                for (const QAction* action : menu->actions()) {
                    const qsizetype amp = action->text().indexOf(u'&');
                    if (!Reachable(action) || amp < 0 || amp + 1 >= action->text().size())
                        continue;
                    const QChar letter = action->text().at(amp + 1).toLower();
                    const QString other = seen.value(letter);
                    const QStringList pair{other, action->text()};
                    const bool kept = pair == QStringList{"Save A&ll", "C&lose All Files"} ||
                                      pair == QStringList{"Paste &Shell", "&Sectons"} ||
                                      pair == QStringList{"Paste &As", "Select &All"};
                    QVERIFY2(other.isEmpty() || kept, qPrintable(other + " / " + action->text()));
                    seen.insert(letter, action->text());
                }
            }
        }
    }

    // In every menu state, with the document's own frame in focus, no key is bound twice.
    void noShortcutIsBoundTwice() {
        ShellFixture f;
        for (DocType type : Global::kWalkOrder) {
            DocumentWindow* window = NewDoc(f, type);
            QHash<QKeySequence, QString> seen;
            QSet<QAction*> actions;
            for (QAction* action : f.main.findChildren<QAction*>() + window->systemMenu()->actions())
                actions.insert(action);
            for (const QAction* action : std::as_const(actions)) {
                if (action->shortcut().isEmpty() || !Reachable(action))
                    continue;
                const QString other = seen.value(action->shortcut());
                QVERIFY2(other.isEmpty(), qPrintable(action->shortcut().toString() + ": " + other + ", " +
                                                     action->objectName() + " " + action->text()));
                seen.insert(action->shortcut(), action->objectName() + " " + action->text());
            }
        }
    }

    void noDocument() {
        ShellFixture f;
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_EditMDI", "menu_Tools", "menu_Window", "menu_Help"}));
        QCOMPARE(Items(f, "menu_File"), QStringList({"menu_FileNew", "menu_FileOpen", "menu_FileExit"}));
        QCOMPARE(Items(f, "menu_EditMDI"), QStringList({"menu_MDIPasteNewRTF", "menu_MDIPasteNewTXT"}));
        QVERIFY(Items(f, "menu_Tools").contains("menu_ToolsSysedit"));
        QCOMPARE(f.main.Menus().Action("menu_FileNew")->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(f.main.Menus().Action("menu_EditSections")->text(), QStringLiteral("&Sectons"));
    }

    void textDocument() {
        ShellFixture f;
        NewDoc(f, DocType::TXT);
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_Edit", "menu_Search", "menu_Tools", "menu_Window",
                                      "menu_Help"}));
        QCOMPARE(Items(f, "menu_File"), kDocFile);
        QCOMPARE(Items(f, "menu_Edit"),
                 QStringList({"menu_EditUndo", "menu_EditRedo", "menu_EditCut", "menu_EditCopy", "menu_EditPaste", "menu_EditPasteShell",
                              "menu_EditDeleteSelection", "menu_EditSelectAll", "menu_EditTimeDate",
                              "menu_EditWordWrap"}));
        QVERIFY(!Items(f, "menu_Tools").contains("menu_ToolsSysedit"));
    }

    void richTextDocument() {
        ShellFixture f;
        auto* doc = static_cast<FakeDocument*>(f.main.DocumentOpener().NewDocument(DocType::RTF, -1));
        doc->bulleted = true;
        doc->Activate();
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_Edit", "menu_Search", "menu_Format", "menu_Tools",
                                      "menu_Window", "menu_Help"}));
        QVERIFY(Items(f, "menu_Edit").contains("menu_EditPasteAs"));
        QCOMPARE(f.main.Menus().Action("menu_EditPasteAsPlain")->text().remove('&'), QStringLiteral("Plain Text"));
        QVERIFY(f.main.Menus().Action("menu_FormatBulleted")->isChecked());
        f.main.Menus().Action("menu_EditPasteAsPlain")->trigger();
        QCOMPARE(doc->calls.last(), QStringLiteral("PastePlain"));
    }

    void iniDocumentThenRichTextAgain() {
        ShellFixture f;
        DocumentWindow* ini = NewDoc(f, DocType::INI);
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_Edit", "menu_Search", "menu_View", "menu_Tools",
                                      "menu_Window", "menu_Help"}));
        QCOMPARE(Items(f, "menu_Search"), QStringList({"menu_SearchFind", "menu_SearchAgain"}));
        QCOMPARE(Items(f, "menu_Edit"),
                 QStringList({"menu_EditUndo", "menu_EditRedo", "menu_EditCut", "menu_EditCopy", "menu_EditPaste", "menu_EditPasteAs",
                              "menu_EditPasteShell", "menu_EditDeleteSelection", "menu_EditKeyValue",
                              "menu_EditSections"}));
        QCOMPARE(f.main.Menus().Action("menu_EditPasteAsPlain")->text(), QStringLiteral("New Section"));
        f.main.Menus().Action("menu_EditPasteAsPlain")->trigger();
        QCOMPARE(static_cast<FakeDocument*>(ini)->calls.last(), QStringLiteral("PasteNewSection"));
        NewDoc(f, DocType::RTF);
        QCOMPARE(f.main.Menus().Action("menu_EditPasteAsPlain")->text().remove('&'), QStringLiteral("Plain Text"));
    }

    void registryDocument() {
        ShellFixture f;
        NewDoc(f, DocType::REG);
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_EditReg", "menu_Search", "menu_Tools", "menu_Window",
                                      "menu_Help"}));
        QCOMPARE(Items(f, "menu_Search"), QStringList({"menu_SearchFind", "menu_SearchAgain"}));
        QCOMPARE(Items(f, "menu_File"),
                 QStringList({"menu_FileNew", "menu_FileOpen", "menu_FileRegSave", "menu_FileRegSaveAs",
                              "menu_FileSaveAll", "menu_FileClose", "menu_FileCloseAll", "menu_FilePrint",
                              "menu_FileExit"}));
        QCOMPARE(f.main.Menus().Action("menu_EditDelete")->shortcut(), QKeySequence("Ctrl+D"));
    }

    void closingOneOfTwoGivesTheNoTypeState() {
        ShellFixture f;
        DocumentWindow* first = NewDoc(f, DocType::TXT);
        DocumentWindow* second = NewDoc(f, DocType::TXT);
        second->close();
        // A document is still open, so saving stays offered, but no editor menu until it is activated.
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_Search", "menu_Tools", "menu_Window", "menu_Help"}));
        QVERIFY(Items(f, "menu_File").contains("menu_FileSave"));
        first->Activate();
        QVERIFY(Bar(f).contains("menu_Edit"));
        first->close();
        QCOMPARE(Bar(f), QStringList({"menu_File", "menu_EditMDI", "menu_Tools", "menu_Window", "menu_Help"}));
    }

    void commandsGoToTheActiveDocument() {
        ShellFixture f;
        auto* a = static_cast<FakeDocument*>(NewDoc(f, DocType::TXT));
        auto* b = static_cast<FakeDocument*>(NewDoc(f, DocType::TXT));
        f.main.Menus().Action("menu_EditCut")->trigger();
        a->Activate();
        f.main.Menus().Action("menu_FileSave")->trigger();
        QCOMPARE(b->calls, QStringList({"New", "EditCut"}));
        QCOMPARE(a->calls, QStringList({"New", "SaveFile"}));
    }

    void wordWrapCheckFollowsTheActiveDocument() {
        ShellFixture f;
        auto* doc = static_cast<FakeDocument*>(f.main.DocumentOpener().NewDocument(DocType::TXT, -1));
        doc->wordWrap = true;
        doc->Activate();
        QVERIFY(f.main.Menus().WordWrap()->isChecked());
    }
};

QTEST_MAIN(tst_menus)
#include "tst_menus.moc"
