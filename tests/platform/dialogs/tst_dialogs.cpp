#include "CommonDialog.h"
#include "Dialogs.h"
#include "FileFilter.h"
#include "ScriptedResponder.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <memory>

using namespace qlx;

namespace {

// Runs the action on the next modal dialog of type T once it is shown, while the returned watchlives.
template <typename T> [[nodiscard]] std::unique_ptr<QTimer> WhenShown(std::function<void(T*)> action) {
    auto timer = std::make_unique<QTimer>();
    QTimer* watch = timer.get();
    QObject::connect(watch, &QTimer::timeout, [watch, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            watch->stop();
            action(dialog);
        }
    });
    watch->start(10);
    return timer;
}

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QString FamilyWithBold() {
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::styles(family).contains("Bold"))
            return family;
    return QString();
}

// What the user types into the file name box.
void Type(QFileDialog* files, const QString& text) {
    if (auto* edit = files->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(text);
}

QStringList ListedNames(QFileDialog* files, const QString& folder) {
    auto* model = files->findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(folder);
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row)
        names.append(model->index(row, 0, root).data().toString());
    return names;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT

private slots:
    void scriptedRecordsPrompts();
    void scriptedFailsOnUnscriptedPrompts();
    void scriptedFileChoices();
    void scriptedFontAndColor();
    void scriptedPrinterWritesPdf();
    void filterConversion();
    void messageBoxButtons_data();
    void messageBoxButtons();
    void messageBoxTitleAndText();
    void inputBoxAnswersAndCancel();
    void openListsPatternsWithoutCase();
    void saveAppendsExtensionAndReportsFilter_data();
    void saveAppendsExtensionAndReportsFilter();
    void fontAndColorDialogs();
    void printDialogWithoutPageNumbers();
};

void DialogsTest::scriptedRecordsPrompts() {
    ScriptedResponder r;
    r.expectMsgBox(vbNo);
    r.expectInput("Main");
    r.expectCancel(DialogKind::InputBox);
    QCOMPARE(MsgBox("Save this file?\r/tmp/a.ini", vbYesNoCancel + vbQuestion + vbDefaultButton2,
                    "Document Changed"),
             vbNo);
    QCOMPARE(InputBox("Enter the name for the new section.", "Add New Section", "x"), "Main");
    QCOMPARE(InputBox("Rename", "Branch Rename", "Old"), QString());

    QCOMPARE(r.calls().size(), 3);
    const DialogCall& box = r.calls().at(0);
    QCOMPARE(box.kind, DialogKind::MsgBox);
    QCOMPARE(box.text, "Save this file?\r/tmp/a.ini");
    QCOMPARE(box.title, "Document Changed");
    QCOMPARE(box.buttons, vbYesNoCancel);
    QCOMPARE(box.icon, vbQuestion);
    QCOMPARE(box.defaultButton, 2);
    QCOMPARE(r.calls().at(1).kind, DialogKind::InputBox);
    QCOMPARE(r.calls().at(1).text, "Enter the name for the new section.");
    QCOMPARE(r.calls().at(1).defaultText, "x");
    QCOMPARE(r.calls().at(2).title, "Branch Rename");
}

void DialogsTest::scriptedFailsOnUnscriptedPrompts() {
    ScriptedResponder r;
    QEXPECT_FAIL("", "nothing queued", Continue);
    QCOMPARE(MsgBox("Sure?", vbYesNo), vbNo); // answered as Escape would

    r.expectInput("kept");
    QEXPECT_FAIL("", "an input box was queued, not a message box", Continue);
    QCOMPARE(MsgBox("Notice", vbOKCancel), vbCancel);
    QCOMPARE(InputBox("Name"), "kept"); // the queued answer waits for its own prompt

    r.expectMsgBox(vbYes);
    QEXPECT_FAIL("", "Yes is not a button of an OK box", Continue);
    QCOMPARE(MsgBox("Done"), vbOK);

    r.expectCancel(DialogKind::Save);
    QEXPECT_FAIL("", "the save dialog never came", Continue);
    QVERIFY(!r.verifyAllAnswered());
    QVERIFY(r.verifyAllAnswered());
}

void DialogsTest::scriptedFileChoices() {
    ScriptedResponder r;
    CommonDialog cd;
    cd.DialogTitle = "Save RTF File";
    cd.Filter = "RTF File|*.RTF;*.WRI|TXT File|*.TXT";
    cd.DefaultExt = ".RTF";
    cd.Flags = OFN_HIDEREADONLY;
    r.expectSave("/docs/letter");
    r.expectSave("/docs/plain.txt", 2);
    r.expectCancel(DialogKind::Save);
    QVERIFY(cd.ShowSave());
    QCOMPARE(cd.FileName, "/docs/letter.RTF");
    QCOMPARE(cd.FileTitle, "letter.RTF");
    QCOMPARE(cd.FilterIndex, 1);
    QVERIFY(cd.ShowSave());
    QCOMPARE(cd.FileName, "/docs/plain.txt");
    QCOMPARE(cd.FilterIndex, 2);
    QVERIFY(!cd.ShowSave());
    QCOMPARE(cd.FileName, "/docs/plain.txt");
    QCOMPARE(r.calls().at(0).title, "Save RTF File");
    QCOMPARE(r.calls().at(0).dialog.Filter, cd.Filter);
    QCOMPARE(r.calls().at(0).dialog.Flags, OFN_HIDEREADONLY);
    QCOMPARE(r.calls().at(1).dialog.FileName, "/docs/letter.RTF");

    // The open dialog keeps names as chosen; several names come in the old multiple-selection form.
    cd.Flags = OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT;
    r.expectOpen("/docs/README");
    r.expectOpen(QStringList{"/docs/a.ini", "/docs/b.ini"}, 1);
    QVERIFY(cd.ShowOpen());
    QCOMPARE(cd.FileName, "/docs/README");
    QVERIFY(cd.ShowOpen());
    QCOMPARE(cd.FileName, "/docs a.ini b.ini");
    QCOMPARE(cd.FileNames, QStringList({"/docs/a.ini", "/docs/b.ini"}));
    QCOMPARE(cd.FileTitle, QString());
    QCOMPARE(cd.FilterIndex, 1);
}

void DialogsTest::scriptedFontAndColor() {
    ScriptedResponder r;
    CommonDialog cd;
    QFont font("DejaVu Serif", 14);
    font.setBold(true);
    font.setStrikeOut(true);
    r.expectFont(font);
    r.expectColor(Qt::red);
    r.expectCancel(DialogKind::Color);
    QVERIFY(cd.ShowFont());
    QCOMPARE(cd.FontName, "DejaVu Serif");
    QCOMPARE(cd.FontSize, 14.0);
    QVERIFY(cd.FontBold && cd.FontStrikethru && !cd.FontItalic && !cd.FontUnderline);
    QCOMPARE(cd.Font().pointSizeF(), 14.0);
    QVERIFY(cd.ShowColor());
    QCOMPARE(cd.Color, QColor(Qt::red));
    QVERIFY(!cd.ShowColor());
    QCOMPARE(cd.Color, QColor(Qt::red));
}

void DialogsTest::scriptedPrinterWritesPdf() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    ScriptedResponder r;
    CommonDialog cd;
    cd.Flags = PD_NOPAGENUMS | PD_RETURNDC;
    QVERIFY(!cd.hDC());
    r.expectPrinter(pdf);
    QVERIFY(cd.ShowPrinter());
    QVERIFY(cd.hDC());
    QCOMPARE(r.calls().at(0).dialog.Flags, 264);
    QTextDocument document("Printed through the seam");
    document.print(cd.hDC());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(4) == "%PDF");

    r.expectCancel(DialogKind::Printer);
    QVERIFY(!cd.ShowPrinter());
    QVERIFY(!cd.hDC());
}

void DialogsTest::filterConversion() {
    const QString filter = "INI File|*.INI|Text File|*.TXT;*.INF|Other (*.*)|*.*|";
    QCOMPARE(QtNameFilters(filter),
             QStringList({"INI File (*.INI)", "Text File (*.TXT *.INF)", "Other (*.*) (*.*)"}));
    QCOMPARE(FilterPosition(filter, "Text File (*.TXT *.INF)"), 2);
    QCOMPARE(FilterPosition(filter, "Other (*.*)"), 3); // the description as the dialog shows it
    QCOMPARE(FilterPosition(filter, "Registry File"), 0);
    QVERIFY(QtNameFilters(QString()).isEmpty());
}

void DialogsTest::messageBoxButtons_data() {
    using Buttons = QMessageBox::StandardButtons;
    QTest::addColumn<int>("style");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("onReturn");
    QTest::addColumn<int>("onEscape");
    QTest::newRow("ok") << int(vbOKOnly) << Buttons(QMessageBox::Ok) << int(QMessageBox::NoIcon) << int(vbOK)
                        << int(vbOK);
    QTest::newRow("ok default beyond")
        << vbOKOnly + vbInformation + vbDefaultButton2 << Buttons(QMessageBox::Ok)
        << int(QMessageBox::Information) << int(vbOK) << int(vbOK);
    QTest::newRow("ok cancel") << vbOKCancel + vbExclamation << (QMessageBox::Ok | QMessageBox::Cancel)
                               << int(QMessageBox::Warning) << int(vbOK) << int(vbCancel);
    QTest::newRow("abort retry ignore") << vbAbortRetryIgnore + vbCritical + vbDefaultButton3
                                        << (QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore)
                                        << int(QMessageBox::Critical) << int(vbIgnore) << int(vbAbort);
    QTest::newRow("yes no cancel") << vbYesNoCancel + vbQuestion + vbDefaultButton2
                                   << (QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                   << int(QMessageBox::Question) << int(vbNo) << int(vbCancel);
    QTest::newRow("yes no") << vbYesNo + vbQuestion << (QMessageBox::Yes | QMessageBox::No)
                            << int(QMessageBox::Question) << int(vbYes) << int(vbNo);
    QTest::newRow("retry cancel") << vbRetryCancel + vbCritical + vbDefaultButton2
                                  << (QMessageBox::Retry | QMessageBox::Cancel) << int(QMessageBox::Critical)
                                  << int(vbCancel) << int(vbCancel);
}

void DialogsTest::messageBoxButtons() {
    QFETCH(int, style);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(int, icon);
    QFETCH(int, onReturn);
    QFETCH(int, onEscape);
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        QMessageBox::StandardButtons shown;
        int shownIcon = -1;
        const auto watch = WhenShown<QMessageBox>([&](QMessageBox* box) {
            shown = box->standardButtons();
            shownIcon = box->icon();
            QTest::keyClick(box, key);
        });
        QCOMPARE(MsgBox("Question", style, "Title"), key == Qt::Key_Return ? onReturn : onEscape);
        QCOMPARE(shown, buttons);
        QCOMPARE(shownIcon, icon);
    }
}

void DialogsTest::messageBoxTitleAndText() {
    QString title, text;
    const auto watch = WhenShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QCOMPARE(MsgBox("Save this file?\r<b>a.ini</b>\r\nend"), vbOK);
    QCOMPARE(title, "QLX");
    QCOMPARE(text, "Save this file?\n<b>a.ini</b>\nend");
}

void DialogsTest::inputBoxAnswersAndCancel() {
    QString prompt, title, shownDefault;
    const auto watch = WhenShown<QInputDialog>([&](QInputDialog* dialog) {
        prompt = dialog->labelText();
        title = dialog->windowTitle();
        shownDefault = dialog->textValue();
        dialog->setTextValue("New name");
        dialog->accept();
    });
    QCOMPARE(InputBox("Rename this Key", QString(), "Old"), "New name");
    QCOMPARE(prompt, "Rename this Key");
    QCOMPARE(title, "QLX");
    QCOMPARE(shownDefault, "Old");

    const auto cancelWatch = WhenShown<QInputDialog>([](QInputDialog* dialog) {
        dialog->setTextValue("typed");
        dialog->reject();
    });
    QCOMPARE(InputBox("Name", "Title", "x"), QString());
}

void DialogsTest::openListsPatternsWithoutCase() {
    QTemporaryDir dir;
    for (const char* name : {"win.ini", "SYSTEM.INI", "notes.txt"})
        Touch(dir.filePath(name));
    CommonDialog cd;
    cd.DialogTitle = "Open File for Editing";
    cd.Filter = "Text File|*.TXT|INI File|*.INI";
    cd.FilterIndex = 2;
    cd.InitDir = dir.path();
    cd.Flags = OFN_HIDEREADONLY;
    QStringList listed;
    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    const auto watch = WhenShown<QFileDialog>([&](QFileDialog* files) {
        title = files->windowTitle();
        if (QTest::qWaitFor([&] { return ListedNames(files, dir.path()).contains("win.ini"); }))
            listed = ListedNames(files, dir.path());
        Type(files, "win.ini");
        static_cast<QDialog*>(files)->accept(); // the dialog's own checks run
    });
    QVERIFY(cd.ShowOpen());
    QCOMPARE(title, "Open File for Editing");
    listed.sort();
    QCOMPARE(listed, QStringList({"SYSTEM.INI", "win.ini"}));
    QCOMPARE(cd.FileName, dir.filePath("win.ini"));
    QCOMPARE(cd.FileTitle, "win.ini");
    QCOMPARE(cd.FilterIndex, 2);

    const auto multiWatch = WhenShown<QFileDialog>([&](QFileDialog* files) {
        mode = files->fileMode();
        files->reject();
    });
    cd.Flags = OFN_ALLOWMULTISELECT;
    QVERIFY(!cd.ShowOpen());
    QCOMPARE(mode, QFileDialog::ExistingFiles);
    QCOMPARE(cd.FileName, dir.filePath("win.ini"));
}

void DialogsTest::saveAppendsExtensionAndReportsFilter_data() {
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("prompted");
    QTest::newRow("editor prompts itself") << int(OFN_HIDEREADONLY) << false;
    QTest::newRow("dialog prompts") << (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT) << true;
}

void DialogsTest::saveAppendsExtensionAndReportsFilter() {
    QFETCH(int, flags);
    QFETCH(bool, prompted);
    QTemporaryDir dir;
    Touch(dir.filePath("letter.RTF"));
    CommonDialog cd;
    cd.Filter = "RTF File|*.RTF|TXT File|*.TXT";
    cd.FilterIndex = 1;
    cd.DefaultExt = ".RTF";
    cd.InitDir = dir.path();
    cd.Flags = flags;
    cd.FileName = "letter"; // typed without an extension
    bool asked = false;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    std::unique_ptr<QTimer> promptWatch;
    const auto watch = WhenShown<QFileDialog>([&](QFileDialog* files) {
        mode = files->acceptMode();
        files->selectNameFilter(QtNameFilters(cd.Filter).at(1));
        promptWatch = WhenShown<QMessageBox>([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(files)->accept(); // the dialog's own checks run
    });
    QVERIFY(cd.ShowSave());
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(asked, prompted);
    QCOMPARE(cd.FileName, dir.filePath("letter.RTF"));
    QCOMPARE(cd.FileTitle, "letter.RTF");
    QCOMPARE(cd.FilterIndex, 2);
}

void DialogsTest::fontAndColorDialogs() {
    CommonDialog cd;
    cd.DialogTitle = "Select Font and Attributes";
    cd.FontName = FamilyWithBold();
    if (cd.FontName.isEmpty())
        QSKIP("No font family with a bold style is installed");
    cd.FontSize = 14;
    cd.FontBold = true;
    cd.Flags = CF_BOTH;
    QFont shown;
    const auto watch = WhenShown<QFontDialog>([&](QFontDialog* fonts) {
        shown = fonts->currentFont();
        QFont chosen = shown;
        chosen.setPointSize(9);
        chosen.setUnderline(true);
        fonts->setCurrentFont(chosen);
        fonts->accept();
    });
    QVERIFY(cd.ShowFont());
    QCOMPARE(shown.family(), cd.FontName);
    QCOMPARE(shown.pointSizeF(), 14.0);
    QVERIFY(shown.bold());
    QCOMPARE(cd.FontSize, 9.0);
    QVERIFY(cd.FontBold && cd.FontUnderline && !cd.FontItalic);

    cd.DialogTitle = "Choose Color for Font";
    cd.Color = Qt::blue;
    QColor initial;
    QString title;
    const auto colorWatch = WhenShown<QColorDialog>([&](QColorDialog* colors) {
        initial = colors->currentColor();
        title = colors->windowTitle();
        colors->setCurrentColor(Qt::darkGreen);
        colors->accept();
    });
    QVERIFY(cd.ShowColor());
    QCOMPARE(initial, QColor(Qt::blue));
    QCOMPARE(title, "Choose Color for Font");
    QCOMPARE(cd.Color, QColor(Qt::darkGreen));
}

void DialogsTest::printDialogWithoutPageNumbers() {
    CommonDialog cd;
    cd.Flags = PD_NOPAGENUMS | PD_RETURNDC;
    bool pageRange = true;
    QPrinter* printer = nullptr;
    const auto watch = WhenShown<QPrintDialog>([&](QPrintDialog* print) {
        pageRange = print->testOption(QAbstractPrintDialog::PrintPageRange);
        printer = print->printer();
        print->reject();
    });
    QVERIFY(!cd.ShowPrinter());
    QVERIFY(!pageRange);
    QCOMPARE(printer, &cd.Printer());
    QVERIFY(!cd.hDC());
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
