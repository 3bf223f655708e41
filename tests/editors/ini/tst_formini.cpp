#include "EditorShell.h"
#include "Global.h"
#include "IniItem.h"
#include "ProgressProbe.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "form_INI.h"
#include "mdform_QLEditor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <memory>

namespace {
using Kind = IniItem::Kind;
const QString kChanged = QStringLiteral(" [CHANGED]");
const char* const kButtons[] = {"cmd_AddSection", "cmd_DeleteSection", "cmd_AddValue", "cmd_DeleteValue",
                                "cmd_Edit"};
const char* const kMenus[] = {"menu_EditSectionsAdd", "menu_SectionsDelete", "menu_EditAddKeyValue",
                              "menu_EditDeleteValue"};

using Shell = EditorShell<form_INI, DocType::INI>;

// "A" is a section, "A/k=1" a line of it, "" the root.
QTreeWidgetItem* Item(form_INI* w, const QString& path) {
    QTreeWidgetItem* item = w->Tree()->topLevelItem(0);
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        QTreeWidgetItem* parent = item;
        item = nullptr;
        for (int i = 0; i < parent->childCount() && !item; ++i)
            item = parent->child(i)->text(0) == part ? parent->child(i) : nullptr;
        if (!item)
            return nullptr;
    }
    return item;
}

QStringList Children(form_INI* w, const QString& path) {
    QStringList texts;
    for (int i = 0; i < Item(w, path)->childCount(); ++i)
        texts << Item(w, path)->child(i)->text(0);
    return texts;
}

// A mouse click on the node, as the user picks it.
void Pick(form_INI* w, const QString& path) {
    QTreeWidgetItem* item = Item(w, path);
    QVERIFY(item);
    w->Tree()->scrollToItem(item);
    QTest::mouseClick(w->Tree()->viewport(), Qt::LeftButton, {}, w->Tree()->visualItemRect(item).center());
    QCOMPARE(w->Tree()->currentItem(), item);
}

QList<bool> ButtonStates(form_INI* w) {
    QList<bool> states;
    for (const char* name : kButtons)
        states << w->findChild<QPushButton*>(name)->isEnabled();
    return states;
}

// What a dialog showed before the test answered it.
struct Seen {
    QString title;
    QString key;
    QString value;
    bool deleteShown = false;
};

// Answers the next form: fills the boxes named and clicks the button.
std::shared_ptr<Seen> Answer(ScriptedResponder& r, const QList<std::pair<QString, QString>>& boxes,
                             const QString& button) {
    auto seen = std::make_shared<Seen>();
    r.expectForm([=](QDialog& dialog) {
        seen->title = dialog.windowTitle();
        if (auto* key = dialog.findChild<QLineEdit*>("txt_Key")) {
            seen->key = key->text();
            seen->value = dialog.findChild<QLineEdit*>("txt_Value")->text();
            seen->deleteShown = !dialog.findChild<QPushButton*>("cmd_Delete")->isHidden();
        }
        for (const auto& [name, text] : boxes)
            dialog.findChild<QLineEdit*>(name)->setText(text);
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    });
    return seen;
}

void CheckQuestion(const DialogCall& call, const QString& text, const QString& title, int style) {
    QCOMPARE(call.text, text);
    QCOMPARE(call.title, title);
    QCOMPARE(call.style, style);
}
} // namespace

class tst_formini : public QObject {
    Q_OBJECT

private slots:
    void newAndOpenedDocuments() {
        Shell s;
        form_INI* fresh = s.New();
        QCOMPARE(fresh->windowTitle(), QStringLiteral("New INI File"));
        QTreeWidgetItem* root = Item(fresh, "");
        QCOMPARE(root->text(0), QStringLiteral("New INI File"));
        QCOMPARE(root->data(0, IniItem::TagRole).toString(), QStringLiteral("OPENEDFILE"));
        QCOMPARE(root->data(0, IniItem::KeyRole).toString(), QStringLiteral("Primary"));
        QCOMPARE(fresh->Tree()->currentItem(), root);
        QCOMPARE(fresh->Tree()->objectName(), QStringLiteral("TV"));
        const QStringList captions = {"Add Section", "Delete Section", "&Add Value", "&Delete Value",
                                      "&Edit"};
        for (int b = 0; b < 5; ++b)
            QCOMPARE(fresh->findChild<QPushButton*>(kButtons[b])->text(), captions.at(b));
        QCOMPARE(ButtonStates(fresh), QList<bool>({true, false, false, false, false}));
        QCOMPARE(fresh->width(), qRound(6800 * fresh->logicalDpiX() / 1440.0));
        QVERIFY(fresh->findChild<QWidget*>("RTFPrintBox")->isHidden());
        QVERIFY(!s.slot(fresh).changed);

        form_INI* w = s.OpenBytes("win.ini", "[b]\r\nk=1\r\n[a]\r\n");
        QCOMPARE(w->windowTitle(), QStringLiteral("win.ini"));
        QCOMPARE(Item(w, "")->text(0), QStringLiteral("WIN.INI"));
        QCOMPARE(Children(w, ""), QStringList({"a", "b"}));
        QVERIFY(Item(w, "")->isExpanded());
        QCOMPARE(ButtonStates(w), QList<bool>({true, true, false, false, false}));
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(s.g.settings.Read("mru1", "MRU"), s.env.path("win.ini"));

        form_INI* empty = s.OpenBytes("empty.ini", "");
        QCOMPARE(Item(empty, "")->childCount(), 0);
        QVERIFY(s.r.calls().isEmpty());
    }

    void savesInTheFormatItWasRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("cp1252 CR LF") << QByteArray(";c\r\n[A]\r\nk=caf\xE9\r\n\r\n") << QByteArray();
        QTest::newRow("UTF-8 BOM LF") << QByteArray("\xEF\xBB\xBF[A]\nk=\xC3\xA9\n\n") << QByteArray();
        QTest::newRow("UTF-16LE BOM CR") << QByteArray("\xFF\xFE[\0A\0]\0\r\0\r\0", 12) << QByteArray();
        QTest::newRow("mixed, unsorted")
            << QByteArray("[b]\r\nx=1\n\n[a]\n") << QByteArray("[a]\r\n\r\n[b]\r\nx=1\r\n\r\n");
    }

    void savesInTheFormatItWasRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, saved);
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", bytes);
        QVERIFY(w->SaveFile());
        QCOMPARE(ReadAll(s.env.path("a.ini")), saved.isEmpty() ? bytes : saved);
        QVERIFY(s.r.calls().isEmpty());
    }

    void longOpenServesEventsUnderABar() {
        Shell s;
        const ProgressProbe probe(&s.main);
        form_INI* w = s.OpenBytes("a.ini", "[b]\r\n" + QByteArray("k=1\r\n").repeated(5000) + "[a]\r\nk=2\r\n");
        QVERIFY(probe.served && probe.barShown);
        QVERIFY(!w->findChild<QWidget*>(WorkProgress::BarName()));
        QCOMPARE(Children(w, ""), QStringList({"a", "b"}));
        QCOMPARE(Item(w, "b")->childCount(), 5000);
    }

    void unreadableFileIsAnOpenFailure() {
        Shell s;
        QDir().mkpath(s.env.path("folder.ini"));
        s.r.expectMsgBox(qlx::vbOK);
        QPointer<form_INI> w = s.Open(s.env.path("folder.ini"));
        QVERIFY(s.r.calls().at(0).title.startsWith("QLX Open Error: "));
        QCOMPARE(s.r.calls().at(0).icon, int(qlx::vbCritical));
        QTRY_VERIFY(w.isNull());
        QVERIFY(s.g.Slot(DocType::INI, 0).path.isEmpty());
    }

    void duplicateSectionWhileOpening() {
        Shell s;
        s.r.expectMsgBox(qlx::vbNo);
        form_INI* w = s.OpenBytes("d.ini", "[A]\r\nx=1\r\n[A]\r\ny=1\r\n");
        CheckQuestion(
            s.r.calls().at(0),
            "You have asked to paste a section into this INI file, but that section already exists.  Would "
            "you like to overwrite the existing section with the clipboard data?",
            "Duplicate Section", qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(w->Text(), QStringLiteral("[A]\nx=1\n\n[A]\ny=1\n\n"));
    }

    void newDocumentSaveAsksForAName() {
        Shell s;
        ScriptedResponder& r = s.r;
        const QString taken = s.env.path("taken.ini");
        WriteAll(taken, "old");
        form_INI* w = s.New();
        r.expectInput("B");
        w->AddSection();
        r.expectInput("A");
        w->AddSection();
        QCOMPARE(w->windowTitle(), "New INI File" + kChanged);
        r.expectSave(taken);
        r.expectMsgBox(qlx::vbNo);
        r.expectSave(taken);
        r.expectMsgBox(qlx::vbYes);
        QVERIFY(w->SaveFile());
        const DialogCall& dialog = r.calls().at(2);
        QCOMPARE(dialog.title, QStringLiteral("Save File"));
        QCOMPARE(dialog.dialog.Filter, QStringLiteral("INI File|*.INI"));
        QCOMPARE(dialog.dialog.DefaultExt, QStringLiteral(".INI"));
        QCOMPARE(dialog.dialog.Flags, 4);
        CheckQuestion(r.calls().at(3), "Overwrite existing file?", "File Exists",
                      qlx::vbYesNoCancel + qlx::vbQuestion);
        QCOMPARE(r.calls().at(4).kind, DialogKind::Save);
        QCOMPARE(ReadAll(taken), QByteArray("[A]\r\n\r\n[B]\r\n\r\n"));
        QCOMPARE(w->windowTitle(), QStringLiteral("taken.ini"));
        QCOMPARE(Item(w, "")->text(0), QStringLiteral("taken.ini"));
        QVERIFY(!s.slot(w).changed);
    }

    void closeKeepsAChangedDocumentUnlessSavedOrDiscarded() {
        Shell s;
        QPointer<form_INI> w = s.New();
        s.r.expectInput("A");
        w->AddSection();
        s.r.expectMsgBox(qlx::vbYes);
        s.r.expectCancel(DialogKind::Save);
        w->FileClose();
        CheckQuestion(s.r.calls().at(1), "Save this file?\r", "Document Changed",
                      qlx::vbYesNoCancel + qlx::vbQuestion);
        QVERIFY(w && !w->Tag.isEmpty() && s.slot(w).changed);
        s.r.expectMsgBox(qlx::vbNo);
        w->FileClose();
        QTRY_VERIFY(w.isNull());
    }

    void buttonsFollowThePickedNode_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QList<bool>>("buttons");
        QTest::addColumn<bool>("allSections");
        QTest::newRow("root") << "" << QList<bool>{true, false, false, false, false} << false;
        QTest::newRow("section") << "A" << QList<bool>{true, true, true, false, true} << false;
        QTest::newRow("key line") << "A/k=1" << QList<bool>{true, false, true, true, true} << true;
        QTest::newRow("comment") << "A/;n" << QList<bool>{true, false, true, true, true} << false;
    }

    void buttonsFollowThePickedNode() {
        QFETCH(QString, path);
        QFETCH(QList<bool>, buttons);
        QFETCH(bool, allSections);
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n;n\r\n");
        if (!path.isEmpty())
            Item(w, "A")->setExpanded(true);
        Pick(w, path.isEmpty() ? "A" : "");
        Pick(w, path);
        QCOMPARE(ButtonStates(w), buttons);
        for (int b = 0; b < 4; ++b)
            QCOMPARE(s.Enabled(kMenus[b]), buttons.at(b));
        QCOMPARE(s.Enabled("menu_EditDeleteAllNodes"), allSections);
    }

    void sectionsAreAddedRenamedAndDeleted() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n");
        r.expectInput("A");
        r.expectInput("a");
        w->AddSection();
        CheckQuestion(r.calls().at(0), "Enter the name for the new section.", "Add New Section", 0);
        QCOMPARE(r.calls().at(1).text, QStringLiteral("This name already exists in the INI file.  Please "
                                                      "enter a unique name for the new section."));
        QCOMPARE(r.calls().at(1).defaultText, QStringLiteral("A"));
        QCOMPARE(Children(w, ""), QStringList({"A", "a"}));
        QVERIFY(s.slot(w).changed);

        r.expectMsgBox(qlx::vbOK);
        w->DeleteSection();
        CheckQuestion(r.calls().at(2),
                      "You must first select (highlight) a section before you can delete it.",
                      "Section Deletion", qlx::vbOKOnly);
        Pick(w, "a");
        r.expectInput("B");
        w->Edit();
        QCOMPARE(r.calls().at(3).text, QStringLiteral("New name for this section"));
        QCOMPARE(r.calls().at(3).title, QStringLiteral("Section Name Change"));
        QCOMPARE(r.calls().at(3).defaultText, QStringLiteral("a"));
        r.expectMsgBox(qlx::vbNo);
        w->EditDelete();
        CheckQuestion(r.calls().at(4), "Are you sure you want to delete Section B?", "Deletion Confirmation",
                      qlx::vbYesNo + qlx::vbQuestion);
        r.expectMsgBox(qlx::vbYes);
        w->DeleteSection();
        QCOMPARE(Children(w, ""), QStringList({"A"}));
        QCOMPARE(w->Tree()->currentItem(), Item(w, ""));
        Pick(w, "A");
        w->EditCut();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("[A]\r\nk=1\r\n"));
        QCOMPARE(ButtonStates(w), QList<bool>({true, false, false, false, false}));
        QCOMPARE(r.calls().size(), 6);
    }

    void linesAreAddedAndEditedInTheDialog() {
        Shell s;
        ScriptedResponder& r = s.r;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n");
        Pick(w, "A");
        auto seen = Answer(s.r, {{"txt_Key", ";x"}, {"txt_Value", "1"}}, "cmd_Exit");
        w->AddValue();
        QCOMPARE(seen->title, QStringLiteral("Add Key/Value to section A"));
        QVERIFY(!seen->deleteShown);
        QVERIFY(IniItem::Is(Item(w, "A/;x=1"), Kind::Comment));
        Answer(s.r, {{"txt_Key", "CANCEL"}, {"txt_Value", "1"}}, "cmd_Exit");
        w->AddValue();
        QCOMPARE(Children(w, "A"), QStringList({";x=1", "k=1"}));

        Pick(w, "A/k=1");
        seen = Answer(s.r, {{"txt_Key", "  key "}, {"txt_Value", " v w  "}}, "cmd_Exit");
        QTest::mouseDClick(w->Tree()->viewport(), Qt::LeftButton, {},
                           w->Tree()->visualItemRect(Item(w, "A/k=1")).center());
        QCOMPARE(seen->title, QStringLiteral("Edit A Section"));
        QCOMPARE(seen->key, QStringLiteral("k"));
        QCOMPARE(seen->value, QStringLiteral("1"));
        QVERIFY(seen->deleteShown);
        QCOMPARE(Children(w, "A"), QStringList({";x=1", "key=v w"}));

        w->Tree()->setCurrentItem(Item(w, "A/key=v w"));
        Answer(s.r, {{"txt_Key", " ;c"}}, "cmd_Exit");
        w->Edit();
        QVERIFY(IniItem::Is(Item(w, "A/;c=v w"), Kind::Comment));
        QCOMPARE(Children(w, "A"), QStringList({";c=v w", ";x=1"}));

        w->Tree()->setCurrentItem(Item(w, "A/;x=1"));
        r.expectInput("k=2");
        w->Edit();
        CheckQuestion(r.calls().at(4), "Alter the comment:", "Comments", 0);
        QVERIFY(IniItem::Is(Item(w, "A/k=2"), Kind::Value));
        QCOMPARE(ButtonStates(w), QList<bool>({true, false, true, true, true}));

        Answer(s.r, {{"txt_Key", ""}}, "cmd_Exit");
        r.expectMsgBox(qlx::vbYes);
        w->Edit();
        CheckQuestion(r.calls().at(6), "There is no value listed for the Key.  Delete this entry?",
                      "Entry Delete", qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(Children(w, "A"), QStringList({";c=v w"}));

        w->Tree()->setCurrentItem(Item(w, "A/;c=v w"));
        r.expectMsgBox(qlx::vbYes);
        w->DeleteValue();
        CheckQuestion(r.calls().at(7), "Are you sure you want to delete Comment ;c=v w?",
                      "Deletion Confirmation", qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(Item(w, "A")->childCount(), 0);
        QCOMPARE(w->Tree()->currentItem(), Item(w, "A"));
    }

    void editDeleteButtonConfirms() {
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n");
        w->Tree()->setCurrentItem(Item(w, "A/k=1"));
        Answer(s.r, {}, "cmd_Delete");
        s.r.expectMsgBox(qlx::vbYes);
        w->Edit();
        QCOMPARE(s.r.calls().size(), 2);
        QCOMPARE(s.r.calls().at(1).text, QStringLiteral("Are you sure you want to delete Key / Value k=1?"));
        QCOMPARE(Item(w, "A")->childCount(), 0);
    }

    void clipboardCarriesTheTextFormat() {
        Shell s;
        QClipboard* clipboard = QGuiApplication::clipboard();
        form_INI* w = s.OpenBytes("a.ini", ";c\r\n[B]\r\nk=1\r\n;n\r\n[A]\r\n");
        const QList<std::pair<QString, QString>> copies = {{"", ";c\r\n[A]\r\n\r\n[B]\r\n;n\r\nk=1\r\n\r\n"},
                                                           {"B", "[B]\r\n;n\r\nk=1\r\n"},
                                                           {"B/k=1", "k=1"},
                                                           {"B/;n", ""}};
        for (const auto& [path, text] : copies) {
            w->Tree()->setCurrentItem(Item(w, path));
            w->EditCopy();
            QCOMPARE(clipboard->text(), text);
        }
        clipboard->setText("k=1");
        w->PasteNewSection();
        clipboard->setText("[B]\r\nx=1\r\n");
        s.r.expectInput("C");
        w->PasteNewSection();
        CheckQuestion(s.r.calls().at(0), "Enter New Section Name", "Paste as New Section", 0);
        QCOMPARE(Children(w, "C"), QStringList({"x=1"}));
        QVERIFY(s.slot(w).changed);
        QCOMPARE(s.r.calls().size(), 1);

        form_INI* pasted = s.OpenBytes("b.ini", "[A]\r\n");
        clipboard->setText("[S]\r\nv=1");
        pasted->EditPaste();
        QCOMPARE(pasted->Text(), QStringLiteral("[A]\n\n[S]\nv=1\n\n"));
        QVERIFY(s.slot(pasted).changed);
        pasted->Tree()->setCurrentItem(Item(pasted, ""));
        pasted->EditCut();
        QCOMPARE(Item(pasted, "")->childCount(), 0);
        QCOMPARE(Item(pasted, "")->text(0), QStringLiteral("B.INI"));
    }

    void keysForAllSections() {
        Shell s;
        form_INI* w =
            s.OpenBytes("a.ini", "[A]\r\nPath=1\r\nPathExt=2\r\npath=3\r\n[B]\r\nPath=4\r\nx=0\r\n");
        Answer(s.r, {{"txt_AddKey", "x"}}, "cmd_Cancel");
        w->AddSectionToAll();
        QVERIFY(!s.slot(w).changed);
        Answer(s.r, {{"txt_AddKey", "x"}}, "cmd_Add");
        w->AddSectionToAll();
        QCOMPARE(Children(w, "A"), QStringList({"Path=1", "path=3", "PathExt=2", "x="}));
        QCOMPARE(Children(w, "B"), QStringList({"Path=4", "x=", "x=0"}));
        QVERIFY(s.slot(w).changed);

        w->Tree()->setCurrentItem(Item(w, "B/Path=4"));
        w->DeleteAllNodes();
        QCOMPARE(Children(w, "A"), QStringList({"path=3", "PathExt=2", "x="}));
        QCOMPARE(Children(w, "B"), QStringList({"x=", "x=0"}));
        QCOMPARE(w->Tree()->currentItem(), Item(w, ""));
        QVERIFY(w->Tree()->isVisible());
    }

    // Every edit is one step: undo brings back the document, its tree and the picked node, redo the
    // state after it; back at the saved state the changed mark goes.
    void findLooksInSectionsKeysValuesAndComments() {
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", ";top\r\n[Alpha]\r\nkey=Value\r\n;note about key\r\n[beta]\r\nother=key\r\n");
        s.main.MDIArea()->setActiveSubWindow(w);
        w->Activate();
        // The text, then Sections, Keys, Values, Comments, Match case, Match whole string only.
        const auto find = [&](const QString& text, QList<bool> checks, QList<int> answers = {}) {
            s.r.expectForm([=](QDialog& dialog) {
                dialog.findChild<QLineEdit*>("txt_Find")->setText(text);
                const char* boxes[] = {"cb_Sections", "cb_Keys",      "cb_Values",
                                       "cb_Comments", "cb_MatchCase", "cb_WholeString"};
                for (int i = 0; i < 6; ++i)
                    dialog.findChild<QCheckBox*>(boxes[i])->setChecked(checks.at(i));
                dialog.findChild<QPushButton*>("cmd_FindNext")->click();
            });
            for (int answer : answers)
                s.r.expectMsgBox(answer);
            s.main.Menus().Action("menu_SearchFind")->trigger();
        };
        const auto current = [w] { return w->Tree()->currentItem()->text(0); };

        find("key", {false, true, false, false, false, false});
        QCOMPARE(current(), QStringLiteral("key=Value"));
        s.r.expectMsgBox(qlx::vbNo);
        s.main.Menus().Action("menu_SearchAgain")->trigger();
        QCOMPARE(s.r.calls().last().text, QStringLiteral("Couldn't find \"key\"\r\rContinue Find from the top?"));
        QCOMPARE(s.r.calls().last().style, qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(current(), QStringLiteral("key=Value"));

        find("key", {false, false, true, false, false, false});
        QCOMPARE(current(), QStringLiteral("other=key"));
        QVERIFY(w->Tree()->currentItem()->parent()->isExpanded());
        find("NOTE", {false, false, false, true, false, false}, {qlx::vbYes});
        QCOMPARE(current(), QStringLiteral(";note about key"));
        find("NOTE", {false, false, false, true, true, false}, {qlx::vbYes, qlx::vbOK});
        QCOMPARE(s.r.calls().last().text, QStringLiteral("Couldn't find \"NOTE\""));
        QCOMPARE(s.r.calls().last().style, qlx::vbOKOnly + qlx::vbInformation);
        find("alph", {true, false, false, false, false, true}, {qlx::vbYes, qlx::vbOK});
        find("alpha", {true, false, false, false, false, true}, {qlx::vbYes});
        QCOMPARE(current(), QStringLiteral("Alpha"));
        QCOMPARE(s.g.settings.Read("Last Search", "INI Editor"), QStringLiteral("alpha"));
    }

    void everyEditIsUndoneAndRedone() {
        Shell s;
        QClipboard* clipboard = QGuiApplication::clipboard();
        form_INI* w = s.OpenBytes("a.ini", ";c\r\n[A]\r\n;n\r\nk=1\r\n[B]\r\nk=2\r\n");
        s.main.MDIArea()->setActiveSubWindow(w);
        w->Activate();
        w->SaveFile();
        const QByteArray saved = ReadAll(s.env.path("a.ini"));
        const auto state = [w] {
            QStringList shown;
            for (QTreeWidgetItemIterator it(w->Tree()); *it; ++it)
                shown << (*it)->text(0);
            const QTreeWidgetItem* current = w->Tree()->currentItem();
            return QStringList{w->Text(), shown.join('/'), current ? current->text(0) : QString()};
        };
        const auto check = [&](const char* what, const std::function<void()>& edit) {
            const QStringList before = state();
            edit();
            const QStringList after = state();
            QVERIFY2(after != before, what);
            s.main.Menus().Action("menu_EditUndo")->trigger();
            QVERIFY2(state() == before, what);
            QVERIFY2(s.Enabled("menu_EditRedo"), what);
            s.main.Menus().Action("menu_EditRedo")->trigger();
            QVERIFY2(state() == after, what);
        };
        const auto pick = [w](const QString& path) { w->Tree()->setCurrentItem(Item(w, path)); };
        QVERIFY(!s.Enabled("menu_EditUndo"));
        check("add section", [&] {
            s.r.expectInput("N");
            w->AddSection();
        });
        pick("N");
        check("rename section", [&] {
            s.r.expectInput("M");
            w->Edit();
        });
        pick("A");
        check("add line", [&] {
            Answer(s.r, {{"txt_Key", "z"}, {"txt_Value", "9"}}, "cmd_Exit");
            w->AddValue();
        });
        pick("A/k=1");
        check("edit line", [&] {
            Answer(s.r, {{"txt_Key", "k"}, {"txt_Value", "5"}}, "cmd_Exit");
            w->Edit();
        });
        pick("A/;n");
        check("edit comment", [&] {
            s.r.expectInput("n=3");
            w->Edit();
        });
        pick("A/k=5");
        check("delete line", [&] {
            s.r.expectMsgBox(qlx::vbYes);
            w->DeleteValue();
        });
        pick("M");
        check("delete section", [&] {
            s.r.expectMsgBox(qlx::vbYes);
            w->DeleteSection();
        });
        check("key to all sections", [&] {
            Answer(s.r, {{"txt_AddKey", "x"}}, "cmd_Add");
            w->AddSectionToAll();
        });
        pick("A/x=");
        check("key out of all sections", [&] { w->DeleteAllNodes(); });
        pick("");
        check("paste", [&] {
            clipboard->setText("[S]\r\nv=1");
            w->EditPaste();
        });
        check("paste as new section", [&] {
            clipboard->setText("[B]\r\ny=1");
            s.r.expectInput("P");
            w->PasteNewSection();
        });
        pick("S");
        check("cut section", [&] { w->EditCut(); });
        pick("");
        check("cut all", [&] { w->EditCut(); });

        w->SaveFile();
        QVERIFY(!s.slot(w).changed);
        w->EditUndo();
        QVERIFY(s.slot(w).changed);
        w->EditRedo();
        QVERIFY(!s.slot(w).changed);
        while (s.Enabled("menu_EditUndo"))
            w->EditUndo();
        w->SaveFile();
        QCOMPARE(ReadAll(s.env.path("a.ini")), saved);
    }

    // The tree follows the document's changes and keeps what the user opened and picked.
    void treeKeepsOpenedAndPickedNodes() {
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n[C]\r\nk=2\r\n[E]\r\nz=1\r\n");
        Item(w, "A")->setExpanded(true);
        Item(w, "C")->setExpanded(true);
        w->Tree()->setCurrentItem(Item(w, "A/k=1"));
        s.r.expectInput("B");
        w->AddSection();
        QCOMPARE(Children(w, ""), QStringList({"A", "B", "C", "E"}));
        QVERIFY(Item(w, "A")->isExpanded() && Item(w, "C")->isExpanded() && !Item(w, "E")->isExpanded());
        QCOMPARE(w->Tree()->currentItem(), Item(w, "A/k=1"));

        w->Tree()->setCurrentItem(Item(w, "A"));
        QGuiApplication::clipboard()->setText("[C]\r\nq=1");
        s.r.expectMsgBox(qlx::vbYes);
        w->EditPaste();
        QCOMPARE(Children(w, ""), QStringList({"A", "B", "C", "E"}));
        QCOMPARE(Children(w, "C"), QStringList({"q=1"}));
        QVERIFY(Item(w, "A")->isExpanded() && !Item(w, "C")->isExpanded());
        QCOMPARE(w->Tree()->currentItem(), Item(w, ""));
    }

    void expandAndCollapse() {
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");
        w->ExpandAll();
        QVERIFY(Item(w, "A")->isExpanded() && Item(w, "B")->isExpanded());
        w->CollapseAll();
        QVERIFY(Item(w, "")->isExpanded() && !Item(w, "A")->isExpanded() && !Item(w, "B")->isExpanded());
    }

    void rightClickShowsTheEditMenu() {
        Shell s;
        form_INI* w = s.OpenBytes("a.ini", "[A]\r\n");
        emit w->Tree()->customContextMenuRequested(QPoint(5, 5));
        QMenu* edit = s.main.Menus().EditMenu();
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
    }

    void printsTheDocumentText() {
        QLX_REQUIRE_PDFTOTEXT();
        Shell s;
        s.OpenBytes("a.ini", "[Alpha]\r\nbravo=charlie\r\n");
        s.r.expectPrinter(s.PdfPath());
        s.main.Menus().Action("menu_FilePrint")->trigger();
        const QString printed = s.PdfText();
        QVERIFY2(printed.contains("[Alpha]") && printed.contains("bravo=charlie"), qPrintable(printed));
    }

    void corpusKeepsEveryLine_data() {
        QTest::addColumn<QString>("path");
        const QDir corpus(QStringLiteral(QLX_CORPUS "/ini"));
        if (!corpus.exists())
            QSKIP("the corpus of real files is absent");
        for (const QString& name : corpus.entryList(QDir::Files))
            if (name != QLatin1String("SOURCES.txt"))
                QTest::newRow(qPrintable(name)) << corpus.filePath(name);
    }

    void corpusKeepsEveryLine() {
        QFETCH(QString, path);
        Shell s;
        const QString copy = s.env.path("copy.ini");
        QVERIFY(QFile::copy(path, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        const QList<std::pair<QString, QString>> before = Pairs(copy);
        for (int i = 0; i < repeats_; ++i)
            s.r.expectMsgBox(qlx::vbNo);
        form_INI* w = s.Open(copy);
        QVERIFY(w && w->SaveFile());
        QCOMPARE(Pairs(copy), before);
    }

private:
    // The (section, line) pairs of a file's non-blank lines, sorted; counts the repeated sections.
    QList<std::pair<QString, QString>> Pairs(const QString& path) {
        DecodedText decoded;
        if (TextFile::Read(path, &decoded))
            return {};
        QList<std::pair<QString, QString>> pairs;
        QSet<QString> seen;
        QString section = QStringLiteral("<before the first section>");
        repeats_ = 0;
        for (const QString& line : decoded.text.split('\n')) {
            if (line.size() > 1 && line.startsWith('[')) {
                section = line.mid(1, line.size() - 2);
                repeats_ += seen.contains(section);
                seen.insert(section);
            } else if (!line.isEmpty()) {
                pairs.append({section, line});
            }
        }
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    }

    int repeats_ = 0;
};

QTEST_MAIN(tst_formini)
#include "tst_formini.moc"
