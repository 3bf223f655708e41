#include "Global.h"
#include "MainWindowFixture.h"
#include "ProgressProbe.h"
#include "form_SR.h"
#include "form_TXT.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {
const QString kFindExp = QStringLiteral("ENTER = Find Next;  SHFT+ENTER = Hard Return");
const QString kReplaceExp = QStringLiteral("ENTER = Replace Next;  SHFT+ENTER = Hard Return");
const QString kAgainExp = QStringLiteral(
    "While searching, use ENTER to Find Next, use SHFT+ENTER to insert a hard return in your document");

QPlainTextEdit* Pad(form_TXT* w) {
    return w->findChild<QPlainTextEdit*>("pad");
}

// A rich-text window reduced to what the dialog asks of it: a rich pad and the entry points.
class RichDocument : public DocumentWindow {
    Q_OBJECT
public:
    RichDocument(Global& global, DocumentHost& host)
        : DocumentWindow(global, host, DocType::RTF), pad(new QTextEdit(this)) {
        pad->setObjectName("pad");
        setWidget(pad);
    }
    void New() override {}
    OpenResult Open(const QString&, const QString&) override { return {}; }
    bool AskSaveName(QString*, QString*) override { return false; }
    bool WriteFile(const QString&) override { return false; }
    void SearchFind() override { form_SR::Serve(g_, *this, SearchEntry::Find); }
    void SearchReplace() override { form_SR::Serve(g_, *this, SearchEntry::Replace); }
    void SearchAgain() override { form_SR::Serve(g_, *this, SearchEntry::Again); }

    QTextEdit* pad;
};

// A loaded main window whose rich-text documents are RichDocuments.
struct Shell : MainWindowFixture {
    static void GiveRichDocuments(MainWindowFixture& f) {
        f.opener().RegisterEditor(
            DocType::RTF, [](Global& global, DocumentHost& host) { return new RichDocument(global, host); });
    }
    Shell() : MainWindowFixture(GiveRichDocuments) {}
    // Over a store that outlives it, so that a test can start the program again.
    explicit Shell(TestEnvironment& env) : MainWindowFixture(env, GiveRichDocuments) {}

    // A new text document holding the text, the caret at the start.
    form_TXT* Doc(const QString& text) {
        auto* w = qobject_cast<form_TXT*>(main.DocumentOpener().NewDocument(DocType::TXT, -1));
        Pad(w)->setPlainText(text);
        return w;
    }
    form_SR* dialog() { return g.searchDialog.data(); }
    template <typename T> T* control(const char* name) { return dialog()->findChild<T*>(name); }
    QLineEdit* searchText() { return control<QLineEdit>("txt_SearchString"); }
    QLineEdit* replacement() { return control<QLineEdit>("txt_R"); }
    QString text(const char* name) {
        if (auto* label = control<QLabel>(name))
            return label->text();
        return control<QPushButton>(name)->text();
    }
};

struct Selection {
    int start;
    int end;
    bool operator==(const Selection&) const = default;
};

Selection SelectionOf(form_TXT* w) {
    const QTextCursor cursor = Pad(w)->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

char* toString(const Selection& s) {
    return QTest::toString(QStringLiteral("(%1, %2)").arg(s.start).arg(s.end));
}

void Select(form_TXT* w, int start, int end) {
    QTextCursor cursor = Pad(w)->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    Pad(w)->setTextCursor(cursor);
}

QString Question(const QString& text, const QString& caption) {
    return "Couldn't find \"" + text + "\"\r\rContinue " + caption + " from the top?";
}
} // namespace

class tst_formsr : public QObject {
    Q_OBJECT

private slots:
    void entryPointsSetTheDialogUpPerMode() {
        Shell s;
        form_TXT* w = s.Doc("one two");
        Select(w, 4, 7);
        w->SearchFind();
        form_SR* dialog = s.dialog();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QCOMPARE(dialog->parentWidget(), &s.main);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Search"));
        QVERIFY(s.replacement()->isHidden() && s.control<QLabel>("lbl_R")->isHidden());
        QCOMPARE(s.searchText()->text(), QStringLiteral("two"));
        QCOMPARE(s.searchText()->selectedText(), QStringLiteral("two"));
        QCOMPARE(dialog->focusWidget(), s.searchText());
        QCOMPARE(s.text("lbl_Exp"), kFindExp);
        QCOMPARE(s.text("cmd_FindNext"), QStringLiteral("Find Next"));
        QCOMPARE(dialog->DocumentType(), DocType::TXT);
        QCOMPARE(dialog->DocumentSlot(), w->Slot());

        s.replacement()->setText("2");
        Select(w, 0, 0);
        w->SearchReplace();
        QCOMPARE(s.dialog(), dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Search / Replace"));
        QVERIFY(dialog->Replacing() && !s.control<QLabel>("lbl_R")->isHidden());
        QCOMPARE(s.searchText()->text(), QString());
        QCOMPARE(s.replacement()->text(), QStringLiteral("2"));
        QCOMPARE(s.text("lbl_Exp"), kReplaceExp);
        QCOMPARE(s.text("cmd_FindNext"), QStringLiteral("Replace Next"));

        s.searchText()->setText("one");
        w->SearchAgain();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Search / Replace"));
        QVERIFY(!dialog->Replacing());
        QCOMPARE(s.replacement()->text(), QString());
        QCOMPARE(s.text("lbl_Exp"), kAgainExp);
        QCOMPARE(s.text("cmd_FindNext"), QStringLiteral("Find Next"));
        // Find Again searched for the stored text, which nothing has stored yet.
        QCOMPARE(s.searchText()->text(), QString());
        QVERIFY(s.r.calls().isEmpty());
    }

    void findNextGoesOnPastTheMatchAndOffersTheTop() {
        Shell s;
        form_TXT* w = s.Doc("abab");
        w->SearchFind();
        s.searchText()->setText("ab");
        QTest::mouseClick(s.control<QPushButton>("cmd_FindNext"), Qt::LeftButton);
        QCOMPARE(SelectionOf(w), (Selection{0, 2}));
        QCOMPARE(s.g.settings.Read("Last Search", "TXT Editor"), QStringLiteral("ab"));
        QVERIFY(s.r.calls().isEmpty());

        // The next search starts one past the match, where "ab" no longer fits.
        s.r.expectMsgBox(qlx::vbYes);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(s.r.calls().size(), 1);
        QCOMPARE(s.r.calls().at(0).text, Question("ab", "Search"));
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Search"));
        QCOMPARE(s.r.calls().at(0).style, qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(SelectionOf(w), (Selection{0, 2}));
        QVERIFY(s.dialog());

        s.r.expectMsgBox(qlx::vbNo);
        s.dialog()->cmd_FindNext_Click();
        QVERIFY(!s.dialog());
        QCOMPARE(SelectionOf(w), (Selection{3, 3}));
        QCOMPARE(Pad(w)->toPlainText(), QStringLiteral("abab"));
    }

    void caretNearTheEndStartsAtTheTopSilently_data() {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("search");
        QTest::addColumn<Selection>("found");
        QTest::newRow("first character from the top") << 0 << "a" << Selection{0, 1};
        QTest::newRow("caret in the last three") << 4 << "a" << Selection{0, 1};
        QTest::newRow("caret at the end") << 6 << "cd" << Selection{2, 4};
        QTest::newRow("caret before the last three") << 3 << "ef" << Selection{4, 6};
    }

    void caretNearTheEndStartsAtTheTopSilently() {
        QFETCH(int, caret);
        QFETCH(QString, search);
        QFETCH(Selection, found);
        Shell s;
        form_TXT* w = s.Doc("abcdef");
        w->SearchFind();
        s.searchText()->setText(search);
        Select(w, caret, caret);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(SelectionOf(w), found);
        QVERIFY(s.r.calls().isEmpty());
    }

    void replaceNextReplacesOneOccurrencePerPress() {
        Shell s;
        form_TXT* w = s.Doc("a a a");
        w->SearchReplace();
        s.searchText()->setText("a");
        s.replacement()->setText("A");
        const QStringList texts = {"A a a", "A A a", "A A A"};
        for (int press = 0; press < 3; ++press) {
            s.dialog()->cmd_FindNext_Click();
            QCOMPARE(Pad(w)->toPlainText(), texts.at(press));
            QCOMPARE(SelectionOf(w), (Selection{2 * press, 2 * press + 1}));
        }
        QVERIFY(s.g.Slot(DocType::TXT, w->Slot()).changed);
        QVERIFY(s.r.calls().isEmpty());
    }

    void optionsMatchCaseAndWholeWords() {
        Shell s;
        form_TXT* w = s.Doc("category Cat cat dog");
        w->SearchFind();
        s.searchText()->setText("cat");
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(SelectionOf(w), (Selection{0, 3}));

        s.control<QCheckBox>("cb_WholeWord")->setChecked(true);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(SelectionOf(w), (Selection{9, 12}));

        s.control<QCheckBox>("cb_MatchCase")->setChecked(true);
        Select(w, 0, 0);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(SelectionOf(w), (Selection{13, 16}));
    }

    void longSearchShowsProgressAndEscapeCancelsIt() {
        Shell s;
        form_TXT* w = s.Doc(QStringLiteral("line\n").repeated(20000) + QStringLiteral("needle"));
        Select(w, 2, 2);
        w->SearchFind();
        s.searchText()->setText("absent");
        {
            // Inside the search: the bar is up, and Escape stops the search.
            const ProgressProbe probe(w, [&] { QTest::keyClick(Pad(w), Qt::Key_Escape); });
            s.dialog()->cmd_FindNext_Click();
            QVERIFY(probe.barShown);
        }
        // Cancelled: no question, the selection where it was, the bar gone.
        QVERIFY(s.r.calls().isEmpty());
        QCOMPARE(SelectionOf(w), (Selection{2, 2}));
        QVERIFY(!w->findChild<QWidget*>(WorkProgress::BarName()));

        s.searchText()->setText("needle");
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(SelectionOf(w), (Selection{100000, 100006}));
    }

    void userSelectionIsNeverTakenForAMatch() {
        Shell s;
        form_TXT* w = s.Doc("one two three");
        w->SearchReplace();
        s.searchText()->setText("zz");
        s.replacement()->setText("X");
        Select(w, 4, 7);
        s.r.expectMsgBox(qlx::vbNo);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(Pad(w)->toPlainText(), QStringLiteral("one two three"));
        QCOMPARE(s.r.calls().at(0).text, Question("zz", "Search / Replace"));
    }

    void continueQuestionReturnsUntilNo() {
        Shell s;
        form_TXT* w = s.Doc("nothing here");
        w->SearchReplace();
        s.searchText()->setText("q");
        s.r.expectMsgBox(qlx::vbYes);
        s.r.expectMsgBox(qlx::vbYes);
        s.r.expectMsgBox(qlx::vbNo);
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(s.r.calls().size(), 3);
        for (const DialogCall& call : s.r.calls()) {
            QCOMPARE(call.text, Question("q", "Search / Replace"));
            QCOMPARE(call.title, QStringLiteral("Search / Replace"));
        }
        QVERIFY(!s.dialog());
        QVERIFY(s.r.verifyAllAnswered());
    }

    void emptySearchDoesNothing() {
        Shell s;
        form_TXT* w = s.Doc("abc");
        Select(w, 1, 1);
        w->SearchFind();
        s.dialog()->cmd_FindNext_Click();
        w->SearchAgain();
        QCOMPARE(SelectionOf(w), (Selection{1, 1}));
        QVERIFY(s.r.calls().isEmpty());
    }

    void findAgainAfterARestartRepeatsTheStoredText() {
        TestEnvironment env;
        {
            Shell s(env);
            form_TXT* w = s.Doc("one two");
            w->SearchFind();
            s.searchText()->setText("two");
            s.dialog()->cmd_FindNext_Click();
        }
        Shell s(env);
        form_TXT* w = s.Doc("two one two");
        Select(w, 4, 4);
        w->SearchAgain();
        // A freshly loaded dialog keeps its design caption.
        QCOMPARE(s.dialog()->windowTitle(), QStringLiteral("frm_Search"));
        QVERIFY(s.dialog()->isVisible());
        QCOMPARE(s.searchText()->text(), QStringLiteral("two"));
        QCOMPARE(SelectionOf(w), (Selection{8, 11}));

        s.r.expectMsgBox(qlx::vbNo);
        w->SearchAgain();
        QCOMPARE(s.r.calls().at(0).text, Question("two", "frm_Search"));
        QVERIFY(s.g.settings.Read("Last Search", "RTF Editor").isEmpty());

        // With the editor's key closed, nothing is read or written.
        s.g.settings.txtKeyGate = false;
        w->SearchFind();
        s.searchText()->setText("one");
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(s.g.settings.Read("Last Search", "TXT Editor"), QStringLiteral("two"));
        w->SearchAgain();
        QCOMPARE(s.searchText()->text(), QString());
    }

    void padKeysServeTheDialogWhileItIsShown() {
        Shell s;
        form_TXT* w = s.Doc("ab ab");
        QPlainTextEdit* pad = Pad(w);
        Select(w, 0, 2);
        w->SearchFind();
        QTest::keyClick(pad, Qt::Key_Return);
        QCOMPARE(SelectionOf(w), (Selection{3, 5}));
        QCOMPARE(pad->toPlainText(), QStringLiteral("ab ab"));

        Select(w, 2, 2);
        QTest::keyClick(pad, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClick(pad, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(pad->toPlainText(), QStringLiteral("ab\n\t ab"));

        QTest::keyClick(pad, Qt::Key_Tab);
        QCOMPARE(s.dialog()->focusWidget(), s.searchText());
        QCOMPARE(s.searchText()->selectedText(), QStringLiteral("ab"));
        QCOMPARE(pad->toPlainText(), QStringLiteral("ab\n\t ab"));

        QTest::keyClick(pad, Qt::Key_Escape);
        QVERIFY(!s.dialog());
        // Without the dialog, Enter is the pad's own again.
        QTest::keyClick(pad, Qt::Key_Return);
        QCOMPARE(pad->toPlainText(), QStringLiteral("ab\n\t\n ab"));
        QVERIFY(s.r.calls().isEmpty());
    }

    void dialogKeys() {
        Shell s;
        form_TXT* w = s.Doc("xy xy");
        w->SearchFind();
        s.searchText()->setText("xy");
        s.control<QCheckBox>("cb_MatchCase")->setChecked(true);
        QTest::keyClick(s.searchText(), Qt::Key_Return);
        QCOMPARE(SelectionOf(w), (Selection{0, 2}));

        QTest::keyClick(s.control<QCheckBox>("cb_WholeWord"), Qt::Key_H, Qt::ControlModifier);
        QCOMPARE(s.dialog()->windowTitle(), QStringLiteral("Search / Replace"));
        QVERIFY(s.dialog()->Replacing());
        s.replacement()->setText("Z");
        QTest::keyClick(s.replacement(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w->findChild<QPlainTextEdit*>("pad")->toPlainText(), QStringLiteral("xy Z"));

        QTest::keyClick(s.searchText(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(s.dialog()->windowTitle(), QStringLiteral("Search"));
        QVERIFY(!s.dialog()->Replacing());

        QTest::keyClick(s.control<QCheckBox>("cb_MatchCase"), Qt::Key_Escape);
        QVERIFY(!s.dialog());
        // The next load starts from the design state.
        w->SearchFind();
        QVERIFY(!s.control<QCheckBox>("cb_MatchCase")->isChecked());
        QVERIFY(s.r.calls().isEmpty());
    }

    void anotherDocumentsPadUnloadsTheDialog() {
        Shell s;
        form_TXT* served = s.Doc("a");
        form_TXT* other = s.Doc("b");
        served->SearchFind();
        const auto focusIn = [](form_TXT* w) {
            QFocusEvent event(QEvent::FocusIn, Qt::MouseFocusReason);
            QApplication::sendEvent(Pad(w), &event);
        };
        focusIn(served);
        QVERIFY(s.dialog());
        focusIn(other);
        QVERIFY(!s.dialog());
        // Without the dialog, focus changes nothing.
        focusIn(served);
        QVERIFY(!s.dialog());
    }

    void activatingAnIniDocumentUnloadsTheDialog() {
        Shell s;
        s.Doc("a")->SearchFind();
        QVERIFY(s.dialog());
        s.main.DocumentOpener().NewDocument(DocType::INI, -1)->Activate();
        QVERIFY(!s.dialog());
    }

    void richPadIsServedTheSameWay() {
        Shell s;
        auto* rich = qobject_cast<RichDocument*>(s.main.DocumentOpener().NewDocument(DocType::RTF, -1));
        rich->pad->setHtml("<b>one</b> two <i>one</i>");
        form_TXT* text = s.Doc("one");
        QCOMPARE(rich->Slot(), text->Slot());

        rich->SearchReplace();
        QCOMPARE(s.dialog()->DocumentType(), DocType::RTF);
        s.searchText()->setText("one");
        s.replacement()->setText("1");
        s.dialog()->cmd_FindNext_Click();
        s.dialog()->cmd_FindNext_Click();
        QCOMPARE(rich->pad->toPlainText(), QStringLiteral("1 two 1"));
        QCOMPARE(rich->pad->textCursor().selectedText(), QStringLiteral("1"));
        QCOMPARE(rich->pad->textCursor().charFormat().fontItalic(), true);
        QCOMPARE(s.g.settings.Read("Last Search", "RTF Editor"), QStringLiteral("one"));
        QVERIFY(s.g.settings.Read("Last Search", "TXT Editor").isEmpty());

        // The text window of the same slot number is another document.
        QFocusEvent event(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(Pad(text), &event);
        QVERIFY(!s.dialog());
        text->SearchAgain();
        QCOMPARE(s.searchText()->text(), QString());
        QVERIFY(s.r.calls().isEmpty());
    }

    void placedInTheTopRightCorner() {
        Shell s;
        form_TXT* w = s.Doc("a");
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int insetX = qRound(200 * screen->logicalDotsPerInchX() / 1440);
        const int insetY = qRound(200 * screen->logicalDotsPerInchY() / 1440);

        w->SearchFind();
        QRect frame = s.dialog()->frameGeometry();
        QCOMPARE(frame.top(), screen->geometry().top() + insetY);
        QCOMPARE(frame.right() + 1, screen->geometry().right() + 1 - insetX);

        s.g.settings.containSRD = true;
        s.main.move(40, 50);
        w->SearchFind();
        frame = s.dialog()->frameGeometry();
        const QRect main = s.main.frameGeometry();
        QCOMPARE(frame.top(), main.top() + insetY);
        QCOMPARE(frame.right() + 1, main.right() + 1 - insetX);
    }
};

QTEST_MAIN(tst_formsr)
#include "tst_formsr.moc"
