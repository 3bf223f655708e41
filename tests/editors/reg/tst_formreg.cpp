// The registry-file window as the user meets it: opening with its questions and progress, the
// tree and the value list, the editing operations and their dialogs, saving, printing, closing.
#include "EditorShell.h"
#include "Global.h"
#include "RegDump.h"
#include "RegWriter.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "Twips.h"
#include "YesResponder.h"
#include "form_AddHK.h"
#include "form_REG.h"
#include "form_REGEdit.h"
#include "mdform_QLEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <functional>
#include <memory>

namespace {
const QString kChanged = QStringLiteral(" [CHANGED]");

QByteArray Utf16(const QString& text) {
    QStringEncoder encode(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encode(text);
}

using Shell = EditorShell<form_REG, DocType::REG, 900, 700>;

// Acts on the next form as the user would.
void WhenShown(ScriptedResponder& r, const std::function<void(QDialog*)>& act) {
    r.expectForm([act](QDialog& dialog) { act(&dialog); });
}

// What the value dialog showed.
struct SeenValueDialog {
    bool shown = false;
    QString caption;
    int formHeight = 0;
    int valueHeight = 0;
    int buttonTop = 0;
    QString name;
    QString value;
    QFont font;
    QTextEdit::LineWrapMode wrap = QTextEdit::WidgetWidth;
    int wrapWidth = 0;
    int valueWidth = 0;
};

// Types name and value (a null text keeps what the box shows) and presses OK or Cancel.
std::shared_ptr<SeenValueDialog> AnswerValueDialog(ScriptedResponder& r, const QString& name, const QString& value,
                                                   bool ok = true) {
    auto seen = std::make_shared<SeenValueDialog>();
    WhenShown(r, [=](QDialog* dialog) {
        auto* nameBox = dialog->findChild<QLineEdit*>("txt_name");
        auto* valueBox = dialog->findChild<QTextEdit*>("txt_value");
        seen->shown = true;
        seen->caption = dialog->windowTitle();
        seen->formHeight = qobject_cast<form_REGEdit*>(dialog)->FormHeight();
        seen->valueHeight = valueBox->height();
        seen->buttonTop = dialog->findChild<QPushButton*>("cmd_OK")->y();
        seen->name = nameBox->text();
        seen->value = valueBox->toPlainText();
        seen->font = valueBox->font();
        seen->wrap = valueBox->lineWrapMode();
        seen->wrapWidth = valueBox->lineWrapColumnOrWidth();
        seen->valueWidth = valueBox->width();
        if (!name.isNull())
            nameBox->setText(name);
        if (!value.isNull())
            valueBox->setPlainText(value);
        dialog->findChild<QPushButton*>(ok ? "cmd_OK" : "cmd_Cancel")->click();
    });
    return seen;
}

void Click(QTreeWidget* view, QTreeWidgetItem* item) {
    const QRect rect = view->visualItemRect(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 10, rect.center().y()));
}

// A double-click follows a click, as the user's does.
void DoubleClick(QTreeWidget* view, QTreeWidgetItem* item) {
    const QRect rect = view->visualItemRect(item);
    const QPoint at(rect.left() + 10, rect.center().y());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

// The value list as "name|value|type" rows.
QStringList Listed(const form_REG* w) {
    QStringList rows;
    for (int i = 0; i < w->LV->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = w->LV->topLevelItem(i);
        rows << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
    }
    return rows;
}

// The image an item of the tree shows in that mode, as pixels.
QImage Shown(const QTreeWidgetItem* item, QIcon::Mode mode = QIcon::Normal) {
    return item->icon(0).pixmap(QSize(16, 16), mode).toImage();
}

QImage Image(const QIcon& icon) {
    return icon.pixmap(QSize(16, 16)).toImage();
}

RegTreeItem* Node(form_REG* w, const QString& keyPath) {
    RegTreeItem* node = w->FileNode();
    for (const QString& part : keyPath.split('\\')) {
        node = RegTreeItem::Of(RegNodes::ChildByText(node, part));
        if (!node)
            return nullptr;
    }
    return node;
}

// Records the texts a label shows when it is painted.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint)
            texts << label_->text();
        return false;
    }

private:
    QLabel* label_;
};

const QByteArray kSample = "REGEDIT4\r\n\r\n"
                           "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
                           "@=\"default data\"\r\n"
                           "\"Path\"=\"C:\\\\Program Files\\\\V\"\r\n"
                           "\"Count\"=dword:0000000a\r\n"
                           "\"Blob\"=hex:01,02,\\\r\n  03\r\n"
                           "\"Expand\"=hex(2):25,00,00,00\r\n"
                           "\"Gone\"=-\r\n"
                           "\r\n"
                           "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n";

// The sample as the regular form writes it.
const QByteArray kSampleWritten = "REGEDIT4\r\n\r\n"
                                  "[HKEY_LOCAL_MACHINE\\Software\\Vendor]\r\n"
                                  "@=\"default data\"\r\n"
                                  "\"Path\"=\"C:\\\\Program Files\\\\V\"\r\n"
                                  "\"Count\"=dword:0000000a\r\n"
                                  "\"Blob\"=hex:01,02,03\r\n"
                                  "\"Expand\"=hex(2):25,00,00,00\r\n"
                                  "\"Gone\"=-\r\n"
                                  "\r\n"
                                  "[-HKEY_LOCAL_MACHINE\\Software\\Old]\r\n\r\n";

} // namespace

class tst_formreg : public QObject {
    Q_OBJECT

private slots:
    void newDocumentIsTheFileNodeAlone() {
        Shell s;
        s.g.settings.startEditorsMax = true;
        form_REG* w = s.New();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("New Registry File"));
        QVERIFY(w->isMaximized());
        QCOMPARE(w->TV->topLevelItemCount(), 1);
        RegTreeItem* file = w->FileNode();
        QCOMPARE(file->text(0), QStringLiteral("New Registry File"));
        QCOMPARE(RegNodes::Tag(file), QStringLiteral("FILE"));
        QCOMPARE(w->Nodes().Key(file), QStringLiteral("PRIMARY"));
        QCOMPARE(w->TV->currentItem(), file);
        QCOMPARE(w->FocusIndicator(), QStringLiteral("TV"));
        QVERIFY(!s.slot(w).changed);
        QVERIFY(s.slot(w).path.isEmpty());
        QCOMPARE(w->LV->columnCount(), 5);
        const QStringList columns = {"Name", "Value", "Type", "NODE", "Index"};
        for (int c = 0; c < 5; ++c)
            QCOMPARE(w->LV->headerItem()->text(c), columns.at(c));
        QCOMPARE(w->LV->columnWidth(3), 0);
        QVERIFY(w->PB->isHidden() && w->PB2->isHidden() && w->RTFPrint2->isHidden());
        QCOMPARE(w->IL.size(), 4);
    }

    void openShowsKeysAndValuesAsTheFileHasThem() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        QCOMPARE(w->windowTitle(), QStringLiteral("a.reg"));
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(w->FileNode()->text(0), QStringLiteral("a.reg"));
        QCOMPARE(w->TV->currentItem(), w->FileNode());
        QVERIFY(w->TV->isVisible() && w->PB->isHidden() && w->PB2->isHidden());
        QVERIFY(w->lbl_location->text().isEmpty());
        QCOMPARE(s.g.settings.Read("mru1", "MRU"), s.env.path("a.reg"));
        QVERIFY(s.r.calls().isEmpty());

        QCOMPARE(RegNodes::Tag(Node(w, "HKEY_LOCAL_MACHINE")), QStringLiteral("HIVE"));
        QCOMPARE(RegNodes::Tag(Node(w, "HKEY_LOCAL_MACHINE\\Software")), QStringLiteral("BRANCH"));
        RegTreeItem* old = Node(w, "HKEY_LOCAL_MACHINE\\Software\\-Old");
        QVERIFY(old);
        QCOMPARE(RegNodes::Tag(old), QStringLiteral("DELETE"));
        // "file" for the file node; "closed" for a key, "open" while it is selected.
        QCOMPARE(Shown(w->FileNode()), Image(w->IL.at(2)));
        QCOMPARE(Shown(old), Image(w->IL.at(0)));
        QCOMPARE(Shown(old, QIcon::Selected), Image(w->IL.at(1)));

        QTreeWidgetItem* vendor = Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor");
        w->TV->setCurrentItem(vendor);
        QCOMPARE(Listed(w), QStringList({"[default]|default data|REG_SZ",
                                         "Path|C:\\\\Program Files\\\\V|REG_SZ", "Count|0000000a|DWORD",
                                         "Blob|01,02,03|HEX", "Expand|25,00,00,00|HEX(2)", "Gone||DELETE"}));
        QCOMPARE(w->LV->topLevelItem(1)->text(3),
                 QStringLiteral("a.reg\\HKEY_LOCAL_MACHINE\\Software\\Vendor"));
        QCOMPARE(w->LV->topLevelItem(1)->text(4), QStringLiteral("1"));
        QCOMPARE(w->lbl_location->text(), QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Vendor"));

        // The file node has no values: the list keeps what it showed.
        Click(w->TV, w->FileNode());
        QCOMPARE(Listed(w).size(), 6);
        QCOMPARE(w->FocusIndicator(), QStringLiteral("TV"));
    }

    void wrongHeaderIsAskedAbout_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray body = "\r\n[HKEY_USERS\\k]\r\n\"v\"=\"1\"\r\n";
        QTest::newRow("small letters") << "regedit4" + body;
        QTest::newRow("trailing blank") << "REGEDIT4 " + body;
        QTest::newRow("version 5, UTF-16LE") << Utf16("Windows Registry Editor Version 5.00" + body);
        QTest::newRow("empty file") << QByteArray();
    }

    void wrongHeaderIsAskedAbout() {
        QFETCH(QByteArray, bytes);
        Shell s;
        s.r.expectMsgBox(qlx::vbNo);
        QPointer<form_REG> refused = s.OpenBytes("a.reg", bytes);
        const DialogCall& question = s.r.calls().at(0);
        QCOMPARE(question.title, QStringLiteral("Error in File Type"));
        QCOMPARE(question.text,
                 QStringLiteral("This file does not have the correct header definitions required for "
                                "registry files.  Do you wish to attemp to open this file anyway?"));
        QCOMPARE(question.style, qlx::vbYesNo + qlx::vbQuestion);
        QTRY_VERIFY(refused.isNull());

        s.r.expectMsgBox(qlx::vbYes);
        form_REG* w = s.Open(s.env.path("a.reg"));
        QVERIFY(w && !w->Tag.isEmpty());
        QVERIFY(!s.slot(w).changed);
        if (!bytes.isEmpty()) {
            w->TV->setCurrentItem(Node(w, "HKEY_USERS\\k"));
            QCOMPARE(Listed(w), QStringList({"v|1|REG_SZ"}));
        }
    }

    void largeFileQuestionComesAtFiveHundredLines_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("asked");
        QTest::newRow("499") << 499 << false;
        QTest::newRow("500") << 500 << true;
        QTest::newRow("501") << 501 << true;
    }

    void largeFileQuestionComesAtFiveHundredLines() {
        QFETCH(int, lines);
        QFETCH(bool, asked);
        Shell s;
        QByteArray bytes = "REGEDIT4\r\n[HKEY_USERS\\k]\r\n";
        for (int i = 1; i < lines; ++i)
            bytes += "\"v" + QByteArray::number(i) + "\"=\"x\"\r\n";
        WriteAll(s.env.path("big.reg"), bytes);
        if (asked)
            s.r.expectMsgBox(qlx::vbYes);
        // The opener fills the window it made for the first slot at start.
        auto* first = qobject_cast<form_REG*>(s.g.Slot(DocType::REG, 0).window.data());
        // Room for the whole window, so that the label gets painted.
        s.main.resize(1400, 1000);
        first->resize(900, 700);
        PaintedTexts painted(first->lbl_location);
        form_REG* w = s.Open(s.env.path("big.reg"));
        QCOMPARE(w, first);
        QCOMPARE(s.r.calls().size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Large Registry File"));
            QCOMPARE(s.r.calls().at(0).text,
                     QStringLiteral("This file is very large, and processing could take a "
                                    "while. Do you wish to continue?"));
            QCOMPARE(s.r.calls().at(0).style, int(qlx::vbYesNo));
        }
        QCOMPARE(w->PB->maximum(), lines);
        QCOMPARE(w->PB2->maximum(), 8);
        QCOMPARE(w->Values().Size(), lines - 1);
        QCOMPARE(painted.texts.contains("Information Count: 501 lines."), lines == 501);
        QVERIFY(painted.texts.contains("Importing Data:"));
    }

    void decliningTheLargeFileLeavesAnEmptyWindowThatCannotOverwriteTheFile() {
        Shell s;
        QByteArray bytes = "REGEDIT4\r\n[HKEY_USERS\\k]\r\n";
        for (int i = 0; i < 600; ++i)
            bytes += "\"v" + QByteArray::number(i) + "\"=\"x\"\r\n";
        s.r.expectMsgBox(qlx::vbNo);
        form_REG* w = s.OpenBytes("big.reg", bytes);
        QVERIFY(w && !w->Tag.isEmpty());
        QCOMPARE(w->FileNode()->text(0), QStringLiteral("New Registry File"));
        QCOMPARE(w->FileNode()->childCount(), 0);
        QCOMPARE(w->windowTitle(), QStringLiteral("New Registry File"));
        QVERIFY(w->lbl_location->text().isEmpty());
        QVERIFY(w->PB->isHidden());
        QVERIFY(s.g.settings.Read("mru1", "MRU").isEmpty());
        // The empty window is no stand-in for the file: saving it asks for a name.
        QVERIFY(s.slot(w).path.isEmpty());
        s.r.expectCancel(DialogKind::Save);
        w->FileSaveRegular();
        QCOMPARE(ReadAll(s.env.path("big.reg")), bytes);
    }

    void failedLinesGoToTheErrorLog_data() {
        QTest::addColumn<bool>("programFolder");
        QTest::newRow("program folder") << true;
        QTest::newRow("no program folder: user data") << false;
    }

    void failedLinesGoToTheErrorLog() {
        QFETCH(bool, programFolder);
        Shell s({}, programFolder);
        const QString folder = programFolder
                                   ? s.env.path("app")
                                   : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString log = QDir::toNativeSeparators(QDir(folder).filePath("REG_ERR.QLX"));
        s.r.expectMsgBox(qlx::vbOK);
        form_REG* w = s.OpenBytes("e.reg", "REGEDIT4\r\n[HKEY_USERS\\k]\r\n\"no value\"\r\n[HKEY_NONE\\x]\r\n"
                                           "[HKEY_USERS\\k2]\r\n\"v\"=\"1\"");
        const DialogCall& notice = s.r.calls().at(0);
        QCOMPARE(notice.title, QStringLiteral("Errors:"));
        QCOMPARE(notice.text, "Errors were reported during inport.  Please see " + log + "  for details.");
        QCOMPARE(notice.style, qlx::vbOKOnly + qlx::vbInformation);
        QCOMPARE(ReadAll(log), QByteArray("The following entries could not be processed:\r\n\r\n"
                                          "k: \"no value\"\re.reg: [HKEY_NONE\\x]\r\r\n"));
        w->TV->setCurrentItem(Node(w, "HKEY_USERS\\k2"));
        QCOMPARE(Listed(w), QStringList({"v|1|REG_SZ"}));
    }

    void fileIsWrittenBackInItsEncodingWithCrLf_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("code page 1252, mixed line ends")
            << QByteArray("REGEDIT4\r[HKEY_USERS\\k]\n\"a\"=\"\xE9\"\r\n\"b\"=\"2\"") << false
            << QByteArray("REGEDIT4\r\n\r\n[HKEY_USERS\\k]\r\n\"a\"=\"\xE9\"\r\n\"b\"=\"2\"\r\n\r\n");
        const QString body = QString::fromUtf8("\r\n\r\n[HKEY_USERS\\k]\r\n\"\xCE\xA9\"=\"\xC3\xA9\"\r\n"
                                               "\"m\"=hex(7):41,00,\\\r\n  00,00\r\n");
        const QString written =
            QString::fromUtf8("REGEDIT4\r\n\r\n[HKEY_USERS\\k]\r\n\"\xCE\xA9\"=\"\xC3\xA9\"\r\n"
                              "\"m\"=hex(7):41,00,00,00\r\n\r\n");
        QTest::newRow("UTF-16LE export")
            << Utf16("Windows Registry Editor Version 5.00" + body) << true << Utf16(written);
        QTest::newRow("UTF-8 with BOM")
            << "\xEF\xBB\xBF" + QString("Windows Registry Editor Version 5.00" + body).toUtf8() << true
            << "\xEF\xBB\xBF" + written.toUtf8();
    }

    void fileIsWrittenBackInItsEncodingWithCrLf() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, asks);
        QFETCH(QByteArray, saved);
        Shell s;
        if (asks)
            s.r.expectMsgBox(qlx::vbYes);
        form_REG* w = s.OpenBytes("a.reg", bytes);
        w->FileSaveRegular();
        QCOMPARE(ReadAll(s.env.path("a.reg")), saved);
        QVERIFY(s.r.verifyAllAnswered());
    }

    void newDocumentsAreWrittenInCodePage1252OrAsked() {
        Shell s;
        form_REG* w = s.New();
        WhenShown(s.r, [](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("cb_HKCU")->setChecked(true);
            dialog->findChild<QPushButton*>("cmd_OK")->click();
        });
        w->EditNewKey();
        w->TV->setCurrentItem(Node(w, "HKEY_CURRENT_USER"));
        s.r.expectInput("k");
        w->EditNewKey();
        w->TV->setCurrentItem(Node(w, "HKEY_CURRENT_USER\\k"));
        AnswerValueDialog(s.r, "caf\u00E9", "\u20AC");
        w->EditNewString();
        s.r.expectSave(s.env.path("new.reg"));
        w->FileSaveRegular();
        QCOMPARE(ReadAll(s.env.path("new.reg")),
                 QByteArray("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\k]\r\n\"caf\xE9\"=\"\x80\"\r\n\r\n"));
        QCOMPARE(w->windowTitle(), QStringLiteral("new.reg"));

        AnswerValueDialog(s.r, "omega", "\u03A9");
        w->EditNewString();
        s.r.expectMsgBox(qlx::vbYes);
        w->FileSaveRegular();
        QCOMPARE(s.r.calls().last().title, QStringLiteral("Save as Unicode"));
        QVERIFY(QString::fromUtf8(ReadAll(s.env.path("new.reg"))).contains("\"omega\"=\"\u03A9\""));
    }

    void addHiveOffersTheMissingHivesAndAddsThemInItsOrder() {
        Shell s;
        form_REG* w = s.New();
        QStringList captions;
        QString title, add, cancel;
        WhenShown(s.r, [&](QDialog* dialog) {
            title = dialog->windowTitle();
            for (const char* name : {"cb_HKC", "cb_HKCU", "cb_HKLM", "cb_HKU", "cb_HKCC", "cb_HKDD"}) {
                auto* box = dialog->findChild<QCheckBox*>(name);
                captions << box->text();
                box->setChecked(true);
            }
            add = dialog->findChild<QPushButton*>("cmd_OK")->text();
            cancel = dialog->findChild<QPushButton*>("cmd_Cancel")->text();
            dialog->findChild<QPushButton*>("cmd_OK")->click();
        });
        w->EditNewKey();
        QCOMPARE(title, QStringLiteral("Add Hive"));
        QCOMPARE(captions, RegNodes::HiveNames());
        QCOMPARE(add, QStringLiteral("Add"));
        QCOMPARE(cancel, QStringLiteral("Cancel"));
        QStringList added;
        for (int i = 0; i < w->FileNode()->childCount(); ++i) {
            RegTreeItem* hive = RegTreeItem::Of(w->FileNode()->child(i));
            added << hive->text(0);
            QCOMPARE(w->Nodes().Key(hive), hive->text(0));
            QCOMPARE(RegNodes::Tag(hive), QStringLiteral("HIVE"));
        }
        QCOMPARE(added, QStringList({"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                                     "HKEY_DYN_DATA", "HKEY_LOCAL_MACHINE", "HKEY_USERS"}));
        QCOMPARE(w->TV->currentItem(), w->FileNode());
        QVERIFY(w->FileNode()->isExpanded());
        QVERIFY(s.slot(w).changed);

        int enabled = -1;
        WhenShown(s.r, [&](QDialog* dialog) {
            const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
            enabled = int(std::count_if(boxes.begin(), boxes.end(),
                                        [](const QCheckBox* box) { return box->isEnabled(); }));
            dialog->findChild<QPushButton*>("cmd_Cancel")->click();
        });
        w->EditNewKey();
        QCOMPARE(enabled, 0);
    }

    void addHiveCancelAddsNothing() {
        Shell s;
        form_REG* w = s.New();
        WhenShown(s.r, [](QDialog* dialog) {
            dialog->findChild<QCheckBox*>("cb_HKLM")->setChecked(true);
            dialog->findChild<QPushButton*>("cmd_Cancel")->click();
        });
        w->EditNewKey();
        QCOMPARE(w->FileNode()->childCount(), 0);
        // The key operation marks the document changed whatever the dialog says.
        QVERIFY(s.slot(w).changed);
    }

    void newKeyUnderAHiveOrBranch() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", "REGEDIT4\r\n[HKEY_USERS]\r\n");
        QTreeWidgetItem* hive = Node(w, "HKEY_USERS");
        w->TV->setCurrentItem(hive);
        s.r.expectCancel(DialogKind::InputBox);
        w->EditNewKey();
        QCOMPARE(s.r.calls().at(0).text, QStringLiteral("Enter Desired Branch Name:"));
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Add Branch / Key"));
        QCOMPARE(hive->childCount(), 0);
        QVERIFY(s.slot(w).changed);

        s.r.expectInput("  Soft  ");
        w->EditNewKey();
        QCOMPARE(hive->childCount(), 1);
        RegTreeItem* soft = RegTreeItem::Of(hive->child(0));
        QCOMPARE(soft->text(0), QStringLiteral("Soft"));
        QCOMPARE(RegNodes::Tag(soft), QStringLiteral("BRANCH"));
        QVERIFY(!w->Nodes().Key(soft).isEmpty());
        QCOMPARE(w->TV->currentItem(), hive);
        QVERIFY(hive->isExpanded());

        s.r.expectInput("Soft");
        w->EditNewKey();
        QCOMPARE(hive->childCount(), 1);
        QCOMPARE(w->TV->currentItem(), soft);
    }

    void addingValues_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("formHeight");
        QTest::addColumn<int>("valueHeight");
        QTest::addColumn<int>("buttonTop");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("font");
        QTest::newRow("string") << 0 << "Add New StringValue" << 2325 << 375 << 1320 << "REG_SZ"
                                << "";
        QTest::newRow("DWORD") << 1 << "Add New DWORD Value" << 2325 << 375 << 1320 << "DWORD"
                               << "";
        QTest::newRow("binary") << 2 << "Add New Binary Value" << 4365 << 2415 << 3360 << "HEX"
                                << "COURIER NEW";
    }

    void addingValues() {
        QFETCH(int, operation);
        QFETCH(QString, caption);
        QFETCH(int, formHeight);
        QFETCH(int, valueHeight);
        QFETCH(int, buttonTop);
        QFETCH(QString, type);
        QFETCH(QString, font);
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", "REGEDIT4\r\n[HKEY_USERS\\k]\r\n\"old\"=\"1\"\r\n");
        w->TV->setCurrentItem(Node(w, "HKEY_USERS\\k"));
        const std::function<void()> add = std::vector<std::function<void()>>{
            [w] { w->EditNewString(); }, [w] { w->EditNewDword(); }, [w] { w->EditNewBinary(); }}[operation];

        auto seen = AnswerValueDialog(s.r, " new ", "  0a  ");
        add();
        QVERIFY(seen->shown);
        QCOMPARE(seen->caption, caption);
        QCOMPARE(seen->formHeight, formHeight);
        QCOMPARE(seen->valueHeight, Twips::ToPixelsY(valueHeight, *w));
        QCOMPARE(seen->buttonTop, Twips::ToPixelsY(buttonTop, *w));
        if (!font.isEmpty())
            QCOMPARE(seen->font.family(), font);
        QCOMPARE(Listed(w), QStringList({"old|1|REG_SZ", "new|0a|" + type}));
        QVERIFY(s.slot(w).changed);
        QCOMPARE(w->FocusIndicator(), QStringLiteral("TV"));

        AnswerValueDialog(s.r, "old", "2");
        s.r.expectMsgBox(qlx::vbOK);
        add();
        QCOMPARE(s.r.calls().last().title, QStringLiteral("Already Exists"));
        QCOMPARE(s.r.calls().last().text,
                 QStringLiteral(
                     "This value already exists in this key.  Please edit the existing value instead."));
        QCOMPARE(s.r.calls().last().style, int(qlx::vbOKOnly));

        // "CANCEL" is how the dialog says it was cancelled: such a name cannot be added.
        AnswerValueDialog(s.r, "CANCEL", "x");
        add();
        AnswerValueDialog(s.r, "x", "y", false);
        add();
        QCOMPARE(Listed(w).size(), 2);
        QCOMPARE(w->Values().Size(), 2);
    }

    void valuesCannotBeAddedToTheFileNode() {
        Shell s;
        form_REG* w = s.New();
        s.r.expectMsgBox(qlx::vbOK);
        w->EditNewString();
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Can't Add Value"));
        QCOMPARE(s.r.calls().at(0).text,
                 QStringLiteral("You can not add values to this section of the registry. You "
                                "can only add values to the hives or the branches."));
        QCOMPARE(s.r.calls().at(0).style, int(qlx::vbOKOnly));
        // No value dialog comes: the responder would fail the test on it.
        w->EditNewDword();
        w->EditNewBinary();
        QCOMPARE(w->Values().Size(), 0);
        QCOMPARE(s.r.calls().size(), 1);
        QVERIFY(!s.slot(w).changed);
    }

    void sameNamedKeysKeepTheirOwnValues() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", "REGEDIT4\r\n[HKEY_USERS\\Software]\r\n\"x\"=\"users\"\r\n"
                                           "[HKEY_CURRENT_USER\\Software]\r\n");
        w->TV->setCurrentItem(Node(w, "HKEY_CURRENT_USER\\Software"));
        AnswerValueDialog(s.r, "x", "user");
        w->EditNewString();
        QCOMPARE(Listed(w), QStringList({"x|user|REG_SZ"}));
        w->FileSaveRegular();
        QCOMPARE(ReadAll(s.env.path("a.reg")),
                 QByteArray("REGEDIT4\r\n\r\n[HKEY_USERS\\Software]\r\n\"x\"=\"users\"\r\n"
                            "\r\n[HKEY_CURRENT_USER\\Software]\r\n\"x\"=\"user\"\r\n\r\n"));
        QVERIFY(!s.slot(w).changed);
    }

    void editingAValue() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        w->TV->setCurrentItem(Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor"));
        const auto item = [w](int row) { return w->LV->topLevelItem(row); };
        w->TV->expandAll();

        // Cancelled by double-click: nothing changes.
        auto seen = AnswerValueDialog(s.r, QString(), QString(), false);
        DoubleClick(w->LV, item(1));
        QVERIFY(seen->shown);
        QCOMPARE(seen->caption, QStringLiteral("Edit String Value"));
        QCOMPARE(seen->name, QStringLiteral("Path"));
        QCOMPARE(seen->value, QStringLiteral("C:\\Program Files\\V"));
        QCOMPARE(seen->formHeight, 2325);
        QVERIFY(!s.slot(w).changed);

        // Cancelled through the menu: the document counts as changed all the same.
        Click(w->LV, item(2));
        QCOMPARE(w->FocusIndicator(), QStringLiteral("LV"));
        seen = AnswerValueDialog(s.r, QString(), QString(), false);
        s.main.MDIArea()->setActiveSubWindow(w);
        s.main.Menus().Action("menu_EditModify")->trigger();
        QCOMPARE(seen->caption, QStringLiteral("Edit DWORD Value"));
        QVERIFY(s.slot(w).changed);
        QCOMPARE(w->windowTitle(), "a.reg" + kChanged);

        Click(w->LV, item(3));
        seen = AnswerValueDialog(s.r, "Bytes", "0a, 0b");
        w->EditModify();
        QCOMPARE(seen->caption, QStringLiteral("Edit Binary Value"));
        QCOMPARE(seen->formHeight, 4365);
        QCOMPARE(seen->font.family(), QStringLiteral("COURIER"));
        QCOMPARE(seen->font.pointSize(), 12);
        QCOMPARE(seen->wrap, QTextEdit::FixedPixelWidth);
        QCOMPARE(seen->wrapWidth, seen->valueWidth - Twips::ToPixelsX(300, *w));
        QCOMPARE(Listed(w).at(3), QStringLiteral("Bytes|0a, 0b|HEX"));
        QCOMPARE(w->Values().At(3).name, QStringLiteral("Bytes"));

        Click(w->LV, item(4));
        seen = AnswerValueDialog(s.r, QString(), "26,00");
        w->EditModify();
        QCOMPARE(seen->caption, QStringLiteral("Edit Binary Value"));
        QCOMPARE(Listed(w).at(4), QStringLiteral("Expand|26,00|HEX(2)"));

        // EditModify does nothing while the tree is in use: no value dialog comes.
        Click(w->TV, w->TV->currentItem());
        const qsizetype prompts = s.r.calls().size();
        w->EditModify();
        QCOMPARE(s.r.calls().size(), prompts);

        w->FileSaveRegular();
        const QByteArray saved = ReadAll(s.env.path("a.reg"));
        QVERIFY(saved.contains("\"Bytes\"=hex:0a, 0b\r\n\"Expand\"=hex(2):26,00\r\n"));
    }

    void valueDialogShowsAndSavesWhatTheUserTypes() {
        // Names and strings stand between quotes in the file; the dialog shows them as typed.
        Shell s;
        form_REG* w =
            s.OpenBytes("a.reg", "REGEDIT4\r\n[HKEY_USERS\\k]\r\n\"a\\\"b\"=\"C:\\\\x \\\"q\\\"\"\r\n"
                                 "\"nl\"=\"a\\nb\"\r\n\"caps\"=DWORD:00000001\r\n");
        w->TV->setCurrentItem(Node(w, "HKEY_USERS\\k"));
        const auto item = [w](int row) { return w->LV->topLevelItem(row); };
        auto seen = AnswerValueDialog(s.r, QString(), "say \"hi\" C:\\dir");
        DoubleClick(w->LV, item(0));
        QCOMPARE(seen->name, QStringLiteral("a\"b"));
        QCOMPARE(seen->value, QStringLiteral("C:\\x \"q\""));
        // Left as it was shown, a string keeps its escapes, also those the dialog does not undo.
        seen = AnswerValueDialog(s.r, QString(), QString());
        DoubleClick(w->LV, item(1));
        QCOMPARE(seen->value, QStringLiteral("a\\nb"));
        // A line importers reject shows as read; edited, it is a string.
        seen = AnswerValueDialog(s.r, QString(), QString());
        Click(w->LV, item(2));
        w->EditModify();
        QCOMPARE(seen->value, QStringLiteral("DWORD:00000001"));
        AnswerValueDialog(s.r, "n\"1\\", "end\\");
        w->EditNewString();
        w->FileSaveRegular();
        QCOMPARE(
            ReadAll(s.env.path("a.reg")),
            QByteArray(
                "REGEDIT4\r\n\r\n[HKEY_USERS\\k]\r\n\"a\\\"b\"=\"say \\\"hi\\\" C:\\\\dir\"\r\n"
                "\"nl\"=\"a\\nb\"\r\n\"caps\"=\"DWORD:00000001\"\r\n\"n\\\"1\\\\\"=\"end\\\\\"\r\n\r\n"));
    }

    void deletingValuesAndBranches() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        QTreeWidgetItem* vendor = Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor");
        w->TV->setCurrentItem(vendor);
        Click(w->LV, w->LV->topLevelItem(1));
        s.r.expectMsgBox(qlx::vbNo);
        w->EditDelete();
        QCOMPARE(s.r.calls().at(0).text,
                 QStringLiteral("Are you sure you want to permanently delete this value?"));
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Deletion Confirmation"));
        QCOMPARE(s.r.calls().at(0).style, qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(Listed(w).size(), 6);
        QVERIFY(!s.slot(w).changed);

        Click(w->LV, w->LV->topLevelItem(1));
        s.r.expectMsgBox(qlx::vbYes);
        w->EditDelete();
        QVERIFY(!Listed(w).join(' ').contains("Path"));
        QVERIFY(s.slot(w).changed);
        w->FileSaveRegular();
        QVERIFY(!ReadAll(s.env.path("a.reg")).contains("Path"));

        Click(w->TV, w->FileNode());
        s.r.expectMsgBox(qlx::vbYes);
        w->EditDelete();
        QCOMPARE(s.r.calls().last().text,
                 QStringLiteral("Are you sure you want to permanently delete this branch, all "
                                "branches under it, and all values associated with this "
                                "branch and all branches under it?"));
        QCOMPARE(w->TV->topLevelItemCount(), 1);
        QVERIFY(!s.slot(w).changed);

        w->TV->setCurrentItem(Node(w, "HKEY_LOCAL_MACHINE\\Software"));
        s.r.expectMsgBox(qlx::vbYes);
        w->EditDelete();
        QVERIFY(!Node(w, "HKEY_LOCAL_MACHINE\\Software"));
        QCOMPARE(w->LV->topLevelItemCount(), 0);
        w->FileSaveExpanded();
        QCOMPARE(ReadAll(s.env.path("a.reg")), QByteArray("REGEDIT4\r\n\r\n"));
    }

    // Every edit is one step: undo brings back the document, the current key and the list as they
    // were, redo the state after it; back at the saved state the changed mark goes.
    void everyEditIsUndoneAndRedone() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        s.main.MDIArea()->setActiveSubWindow(w);
        w->Activate();
        const auto state = [w] {
            QTreeWidgetItem* current = w->TV->currentItem();
            QStringList keys;
            for (QTreeWidgetItemIterator it(w->TV); *it; ++it)
                keys << RegNodes::FullPath(RegTreeItem::Of(*it));
            return QStringList{keys.join('/'), RegWriter::Text(w->FileNode(), w->Values(), true),
                               current ? RegNodes::FullPath(RegTreeItem::Of(current)) : QString(),
                               Listed(w).join('/')};
        };
        const auto check = [&](const char* what, const std::function<void()>& edit) {
            const QStringList before = state();
            edit();
            const QStringList after = state();
            QVERIFY2(after != before, what);
            QVERIFY2(s.Enabled("menu_EditRegUndo") && !s.Enabled("menu_EditRegRedo"), what);
            s.main.Menus().Action("menu_EditRegUndo")->trigger();
            QVERIFY2(state() == before, what);
            QVERIFY2(s.Enabled("menu_EditRegRedo"), what);
            s.main.Menus().Action("menu_EditRegRedo")->trigger();
            QVERIFY2(state() == after, what);
        };
        QVERIFY(!s.Enabled("menu_EditRegUndo"));
        QTreeWidgetItem* vendor = Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor");
        w->TV->setCurrentItem(vendor);
        check("add value", [&] {
            AnswerValueDialog(s.r, "New", "data");
            w->EditNewString();
        });
        check("modify value", [&] {
            Click(w->LV, w->LV->topLevelItem(1));
            AnswerValueDialog(s.r, "Renamed", "other");
            w->EditModify();
        });
        check("delete value", [&] {
            Click(w->LV, w->LV->topLevelItem(2));
            s.r.expectMsgBox(qlx::vbYes);
            w->EditDelete();
        });
        check("new key", [&] {
            Click(w->TV, vendor);
            s.r.expectInput("Sub");
            w->EditNewKey();
        });
        check("rename key", [&] {
            s.r.expectInput("Maker");
            w->EditRename();
        });
        w->TV->setCurrentItem(Node(w, "HKEY_LOCAL_MACHINE\\Software"));
        check("delete key", [&] {
            s.r.expectMsgBox(qlx::vbYes);
            w->EditDelete();
        });
        w->TV->setCurrentItem(w->FileNode());
        check("add hive keys", [&] {
            WhenShown(s.r, [](QDialog* dialog) {
                dialog->findChild<QCheckBox*>("cb_HKCU")->setChecked(true);
                dialog->findChild<QCheckBox*>("cb_HKU")->setChecked(true);
                dialog->findChild<QPushButton*>("cmd_OK")->click();
            });
            w->EditNewKey();
        });

        // Saved in the middle of the history: undo marks it changed, redo back to it does not.
        w->FileSaveExpanded();
        QVERIFY(!s.slot(w).changed);
        w->EditUndo();
        QVERIFY(s.slot(w).changed);
        w->EditRedo();
        QVERIFY(!s.slot(w).changed);
        // Undone all the way, the document is the file as it was read.
        for (int step = 0; step < 7; ++step)
            w->EditUndo();
        QVERIFY(!s.Enabled("menu_EditRegUndo"));
        w->FileSaveRegular();
        QCOMPARE(ReadAll(s.env.path("a.reg")), kSampleWritten);
    }

    void findLooksInKeysValuesAndDataAndGoesToKeys() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        s.main.MDIArea()->setActiveSubWindow(w);
        w->Activate();
        QTreeWidgetItem* vendor = Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor");
        // Fills the Find dialog: the text, then Keys, Values, Data, Match case, Match whole string only.
        // answers: to the messages that come when nothing is found.
        const auto find = [&](const QString& text, QList<bool> checks, QList<int> answers = {}) {
            WhenShown(s.r, [=](QDialog* dialog) {
                dialog->findChild<QLineEdit*>("txt_Find")->setText(text);
                const char* boxes[] = {"cb_Keys", "cb_Values", "cb_Data", "cb_MatchCase", "cb_WholeString"};
                for (int i = 0; i < 5; ++i)
                    dialog->findChild<QCheckBox*>(boxes[i])->setChecked(checks.at(i));
                dialog->findChild<QPushButton*>("cmd_FindNext")->click();
            });
            for (int answer : answers)
                s.r.expectMsgBox(answer);
            s.main.Menus().Action("menu_SearchFind")->trigger();
        };
        const auto listed = [w] { return w->LV->currentItem() ? w->LV->currentItem()->text(0) : QString(); };
        const QString question = "Couldn't find \"vendor\"\r\rContinue Find from the top?";

        find("vendor", {true, false, false, false, false});
        QCOMPARE(w->TV->currentItem(), vendor);
        QVERIFY(vendor->parent()->isExpanded());
        QCOMPARE(s.g.settings.Read("Last Search", "REG Editor"), QStringLiteral("vendor"));
        s.r.expectMsgBox(qlx::vbNo);
        s.main.Menus().Action("menu_SearchAgain")->trigger();
        QCOMPARE(s.r.calls().last().text, question);
        QCOMPARE(s.r.calls().last().title, QStringLiteral("Find"));
        QCOMPARE(s.r.calls().last().style, qlx::vbYesNo + qlx::vbQuestion);
        QCOMPARE(w->TV->currentItem(), vendor);
        s.r.expectMsgBox(qlx::vbYes);
        w->SearchAgain();
        QCOMPARE(s.r.calls().last().text, question);
        QCOMPARE(w->TV->currentItem(), vendor);

        // Value names, then data, each after the value selected.
        find("p", {false, true, false, false, false});
        QCOMPARE(listed(), QStringLiteral("Path"));
        QCOMPARE(w->FocusIndicator(), QStringLiteral("LV"));
        w->SearchAgain();
        QCOMPARE(listed(), QStringLiteral("Expand"));
        w->TV->setCurrentItem(w->FileNode());
        find("program files", {false, false, true, false, false});
        QCOMPARE(listed(), QStringLiteral("Path"));
        const qsizetype asked = s.r.calls().size();
        find("program files", {true, true, false, false, false}, {qlx::vbYes, qlx::vbOK});
        QCOMPARE(s.r.calls().at(asked + 2).text, QStringLiteral("Couldn't find \"program files\""));
        QCOMPARE(s.r.calls().at(asked + 2).style, qlx::vbOKOnly + qlx::vbInformation);
        QCOMPARE(listed(), QStringLiteral("Path"));

        // Match case and the whole string.
        w->TV->setCurrentItem(w->FileNode());
        find("Program files", {false, false, true, true, false}, {qlx::vbNo});
        find("default", {false, false, true, false, true}, {qlx::vbNo});
        find("default data", {false, false, true, false, true});
        QCOMPARE(w->LV->currentItem()->text(1), QStringLiteral("default data"));

        // Go to Key: a path as the location label shows it, typed in any case.
        w->TV->collapseAll();
        w->TV->setCurrentItem(Node(w, "HKEY_LOCAL_MACHINE"));
        s.r.expectInput("hkey_local_machine\\software\\VENDOR");
        s.main.Menus().Action("menu_EditGoToKey")->trigger();
        QCOMPARE(s.r.calls().last().defaultText, QStringLiteral("HKEY_LOCAL_MACHINE"));
        QCOMPARE(w->TV->currentItem(), vendor);
        QVERIFY(vendor->parent()->isExpanded());
        s.r.expectInput("HKEY_USERS\\x");
        s.r.expectMsgBox(qlx::vbOK);
        w->EditGoToKey();
        QCOMPARE(s.r.calls().last().text, QStringLiteral("Couldn't find the key \"HKEY_USERS\\x\""));
        QCOMPARE(w->TV->currentItem(), vendor);
    }

    void renamingANode() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", "REGEDIT4\r\n[HKEY_USERS\\old]\r\n\"v\"=\"1\"\r\n");
        QTreeWidgetItem* old = Node(w, "HKEY_USERS\\old");
        w->TV->setCurrentItem(old);
        s.r.expectCancel(DialogKind::InputBox);
        w->EditRename();
        QCOMPARE(s.r.calls().at(0).text, QStringLiteral("Rename this Key"));
        QCOMPARE(s.r.calls().at(0).title, QStringLiteral("Branch Rename"));
        QCOMPARE(s.r.calls().at(0).defaultText, QStringLiteral("old"));
        QCOMPARE(old->text(0), QStringLiteral("old"));
        QVERIFY(!s.slot(w).changed);
        s.r.expectInput("new");
        w->EditRename();
        QCOMPARE(old->text(0), QStringLiteral("new"));
        QVERIFY(s.slot(w).changed);
        w->FileSaveRegular();
        QVERIFY(ReadAll(s.env.path("a.reg")).contains("[HKEY_USERS\\new]\r\n\"v\"=\"1\""));
    }

    void focusSetsTheRegistryEditMenu() {
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        GlobalMenus& menus = s.main.Menus();
        const QStringList items = {"menu_EditModify",    "sep_EditRegModify",  "menu_EditNew",
                                   "sep_EditNewValues",  "menu_EditNewString", "Menu_EditNewDword",
                                   "menu_EditNewBinary", "sep_EditRegDelete",  "menu_EditDelete",
                                   "sep_EditRegRename",  "menu_EditRename"};
        const auto shown = [&] {
            QStringList visible;
            for (const QString& name : items) {
                if (menus.Action(name)->isVisible())
                    visible << name;
            }
            return visible;
        };
        const QStringList tree = {"menu_EditNew", "sep_EditRegDelete", "menu_EditDelete", "sep_EditRegRename",
                                  "menu_EditRename"};
        const QStringList list = {"menu_EditModify",    "sep_EditRegModify",  "menu_EditNew",
                                  "sep_EditNewValues",  "menu_EditNewString", "Menu_EditNewDword",
                                  "menu_EditNewBinary", "sep_EditRegDelete",  "menu_EditDelete"};
        QTreeWidgetItem* vendor = Node(w, "HKEY_LOCAL_MACHINE\\Software\\Vendor");
        w->TV->expandAll();
        Click(w->TV, vendor);
        QCOMPARE(shown(), tree);
        QVERIFY(menus.Action("menu_EditNewKey")->isEnabled());
        Click(w->LV, w->LV->topLevelItem(0));
        QCOMPARE(w->FocusIndicator(), QStringLiteral("LV"));
        QCOMPARE(shown(), list);
        QVERIFY(!menus.Action("menu_EditNewKey")->isEnabled());
        // Keys are added only with the tree in use: no prompt, no change.
        w->EditNewKey();
        QVERIFY(!s.slot(w).changed);
        Click(w->TV, vendor);
        QCOMPARE(w->FocusIndicator(), QStringLiteral("TV"));
        QCOMPARE(shown(), tree);

        // A right-button release pops up the registry Edit menu.
        QMenu* edit = menus.Menu("menu_EditReg");
        QTest::mouseRelease(w->LV->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(w->FocusIndicator(), QStringLiteral("LV"));
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
        QTest::mouseRelease(w->TV->viewport(), Qt::RightButton, {}, w->TV->visualItemRect(vendor).center());
        QCOMPARE(w->FocusIndicator(), QStringLiteral("TV"));
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
    }

    void columnWidthsAreSavedAndRestored() {
        Shell s;
        form_REG* first = s.New();
        // At the test screen's 96 dots per inch, a list 885 pixels (13275 twips) wide gives "Type"
        // 1065.6 twips (71 px), "Name" 34 % of the rest (277 px), "Value" the rest less 60 (533 px).
        QCOMPARE(first->logicalDpiX(), 96);
        QCOMPARE(first->LV->width(), 885);
        QCOMPARE(first->LV->columnWidth(0), 277);
        QCOMPARE(first->LV->columnWidth(1), 533);
        QCOMPARE(first->LV->columnWidth(2), 71);
        first->LV->setColumnWidth(0, 100);
        first->LV->setColumnWidth(1, 200);
        first->LV->setColumnWidth(2, 80);
        QTest::mouseClick(first->LV->header()->viewport(), Qt::LeftButton, {},
                          QPoint(first->LV->header()->sectionPosition(1) + 5, 5));
        QCOMPARE(s.g.settings.Read("LVC2", "REG Editor").toDouble(), 3000.0);

        form_REG* second = s.New();
        QCOMPARE(second->LV->columnWidth(0), 100);
        QCOMPARE(second->LV->columnWidth(1), 200);
        QCOMPARE(second->LV->columnWidth(2), 80);
        QCOMPARE(second->LV->columnWidth(3), 0);

        s.g.settings.Write("lvc3", QString(), "REG Editor");
        form_REG* third = s.New();
        QCOMPARE(third->LV->columnWidth(2), 71);
    }

    void saveAsAsksUntilTheNameIsSettled() {
        Shell s;
        const QString taken = s.env.path("taken.reg");
        WriteAll(taken, "old");
        form_REG* w = s.OpenBytes("a.reg", kSample);
        s.r.expectSave(taken);
        s.r.expectMsgBox(qlx::vbNo);
        s.r.expectCancel(DialogKind::Save);
        w->FileSaveAsExpanded();
        const DialogCall& dialog = s.r.calls().at(0);
        QCOMPARE(dialog.title, QStringLiteral("Save Registry File"));
        QCOMPARE(dialog.dialog.Filter, QStringLiteral("Registry File|*.REG"));
        QCOMPARE(dialog.dialog.DefaultExt, QStringLiteral(".REG"));
        QCOMPARE(dialog.dialog.Flags, 4);
        QVERIFY(dialog.dialog.FileName.isEmpty());
        QCOMPARE(dialog.dialog.InitDir, s.g.settings.LastSaveFolder(QString()));
        QCOMPARE(s.r.calls().at(1).title, QStringLiteral("File Exists"));
        QCOMPARE(s.r.calls().at(1).text, QStringLiteral("Overwrite existing file?"));
        QCOMPARE(s.r.calls().at(1).style, qlx::vbYesNoCancel + qlx::vbQuestion);
        QCOMPARE(s.r.calls().at(2).kind, DialogKind::Save);
        QCOMPARE(s.slot(w).path, s.env.path("a.reg"));
        QCOMPARE(s.slot(w).title, QStringLiteral("a.reg"));
        QCOMPARE(w->windowTitle(), QStringLiteral("a.reg"));
        QCOMPARE(ReadAll(taken), QByteArray("old"));
        QCOMPARE(w->lbl_location->text(), QStringLiteral("Saving File with Expanded Structure"));

        QDir().mkpath(s.env.path("out"));
        s.r.expectSave(s.env.path("out/b"));
        w->FileSaveAsRegular();
        QCOMPARE(s.slot(w).path, s.env.path("out/b.REG"));
        QCOMPARE(w->windowTitle(), QStringLiteral("b.REG"));
        QVERIFY(w->lbl_location->text().isEmpty());
        QCOMPARE(s.g.settings.LastSaveFolder(QString()), s.env.path("out"));
        QVERIFY(ReadAll(s.env.path("out/b.REG"))
                    .startsWith("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor]"));
    }

    void printingGoesThroughTheExpandedForm() {
        QLX_REQUIRE_PDFTOTEXT();
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", kSample);
        w->TV->setCurrentItem(Node(w, "HKEY_LOCAL_MACHINE\\Software"));
        s.r.expectInput("Empty");
        w->EditNewKey();
        QVERIFY(!w->ExpandedSave());
        s.r.expectPrinter(s.PdfPath());
        s.main.MDIArea()->setActiveSubWindow(w);
        s.main.Menus().Action("menu_FilePrint")->trigger();
        QVERIFY(w->ExpandedSave());
        QCOMPARE(s.slot(w).path, s.env.path("a.reg"));
        QCOMPARE(w->windowTitle(), "a.reg" + kChanged);
        QVERIFY(s.slot(w).changed);
        QVERIFY(w->RTFPrint2->isHidden());

        const QString expanded = RegWriter::Text(w->FileNode(), w->Values(), true);
        QCOMPARE(QString::fromUtf8(ReadAll(s.env.path("app/~REGPRNT.TMP"))).replace("\r\n", "\n"), expanded);
        QStringList printed;
        for (const QString& line : s.PdfText({"-layout"}).split('\n'))
            if (!line.trimmed().isEmpty())
                printed << line.trimmed();
        QStringList wanted;
        for (const QString& line : expanded.split('\n'))
            if (!line.isEmpty())
                wanted << line;
        // The page number under the text.
        QCOMPARE(printed.takeLast(), QStringLiteral("1"));
        QCOMPARE(printed, wanted);

        // The print set the expanded form: the close prompt's Yes saves in it.
        s.r.expectMsgBox(qlx::vbYes);
        QPointer<form_REG> closing = w;
        w->FileClose();
        QTRY_VERIFY(closing.isNull());
        QVERIFY(ReadAll(s.env.path("a.reg")).contains("[HKEY_LOCAL_MACHINE\\Software\\Empty]"));
    }

    void printingANeverSavedDocumentLeavesItNeverSaved() {
        Shell s;
        form_REG* w = s.New();
        s.Printed(w);
        QVERIFY(s.slot(w).path.isEmpty());
        QVERIFY(s.slot(w).title.isEmpty());
        QVERIFY(!s.slot(w).changed);
        QCOMPARE(w->windowTitle(), QStringLiteral("New Registry File"));
        s.r.expectCancel(DialogKind::Save);
        w->FileSaveRegular();
        QCOMPARE(s.r.calls().at(0).kind, DialogKind::Save);
        QVERIFY(!w->ExpandedSave());
    }

    void printedDataIsTheFilesCharacters() {
        QLX_REQUIRE_PDFTOTEXT();
        Shell s;
        form_REG* w = s.OpenBytes("a.reg", "REGEDIT4\r\n\r\n[HKEY_USERS\\A]\r\n\"d\"=dword:ffffffff\r\n");
        QVERIFY(s.Printed(w).contains(QStringLiteral("\"d\"=dword:ffffffff")));
    }

    void closePromptDecidesTheWindowsFate_data() {
        QTest::addColumn<bool>("titled");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveCancelled");
        QTest::addColumn<bool>("closes");
        QTest::newRow("unchanged closes") << true << 0 << false << true;
        QTest::newRow("Yes saves") << true << int(qlx::vbYes) << false << true;
        QTest::newRow("No discards") << true << int(qlx::vbNo) << false << true;
        QTest::newRow("Cancel keeps") << true << int(qlx::vbCancel) << false << false;
        QTest::newRow("Yes, dialog cancelled keeps") << false << int(qlx::vbYes) << true << false;
    }

    void closePromptDecidesTheWindowsFate() {
        QFETCH(bool, titled);
        QFETCH(int, answer);
        QFETCH(bool, saveCancelled);
        QFETCH(bool, closes);
        Shell s;
        QPointer<form_REG> w = titled ? s.OpenBytes("a.reg", kSample) : s.New();
        if (answer) {
            w->TV->setCurrentItem(w->FileNode());
            WhenShown(s.r, [](QDialog* dialog) { dialog->findChild<QPushButton*>("cmd_Cancel")->click(); });
            w->EditNewKey();
            s.r.expectMsgBox(answer);
        }
        if (saveCancelled)
            s.r.expectCancel(DialogKind::Save);
        const QByteArray before = ReadAll(s.env.path("a.reg"));
        w->FileClose();
        if (answer) {
            const DialogCall& prompt = s.r.calls().at(1); // after the hive form
            QCOMPARE(prompt.text, "Save this file?\r" + (titled ? s.env.path("a.reg") : QString()));
            QCOMPARE(prompt.title, QStringLiteral("Document Changed"));
            QCOMPARE(prompt.style, qlx::vbYesNoCancel + qlx::vbQuestion);
        }
        if (closes)
            QTRY_VERIFY(w.isNull());
        else
            QVERIFY(w && !w->Tag.isEmpty() && s.slot(w).changed);
        if (titled && answer == qlx::vbYes)
            QCOMPARE(ReadAll(s.env.path("a.reg")), kSampleWritten);
        else if (titled)
            QCOMPARE(ReadAll(s.env.path("a.reg")), before);
    }

    void corpusFilesSurviveTheRoundTrip() {
        const QDir corpus(QStringLiteral(QLX_CORPUS "/reg"));
        const QStringList files = corpus.entryList({"*.reg", "*.REG"}, QDir::Files, QDir::Name);
        if (files.isEmpty())
            QSKIP("the corpus of registry files is not there");
        TestEnvironment env;
        Global g{env.path("app"), QString()};
        mdform_QLEditor main{g};
        Startup::RegisterEditors(main.DocumentOpener());
        main.Load();
        const QString saved = env.path("saved.reg");
        YesResponder yes(saved);
        for (const QString& name : files) {
            Opener& opener = main.DocumentOpener();
            opener.PresetOpen(corpus.filePath(name), DocType::REG);
            opener.OpenFileDialog();
            QPointer<form_REG> original =
                qobject_cast<form_REG*>(g.Slot(DocType::REG, g.CurrentSlot(DocType::REG)).window);
            QVERIFY2(original && !original->Tag.isEmpty(), qPrintable(name));
            const QStringList read = Dump(original->FileNode(), original->Values(), true);
            original->FileSaveAsExpanded();
            QCOMPARE(g.Slot(DocType::REG, original->Slot()).path, saved);
            opener.PresetOpen(saved, DocType::REG);
            opener.OpenFileDialog();
            auto* again = qobject_cast<form_REG*>(g.Slot(DocType::REG, g.CurrentSlot(DocType::REG)).window);
            QVERIFY2(again && again != original, qPrintable(name));
            QCOMPARE(Dump(again->FileNode(), again->Values(), true), read);
            original->FileClose();
            again->FileClose();
            QTRY_VERIFY(original.isNull());
        }
    }
};

QTEST_MAIN(tst_formreg)
#include "tst_formreg.moc"
