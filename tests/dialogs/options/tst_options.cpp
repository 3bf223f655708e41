#include "MainWindowFixture.h"
#include "SendToLink.h"
#include "StringResources.h"
#include "form_QLXOptions.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {
const std::string kContextKey = "HKEY_CLASSES_ROOT\\*\\Shell\\Quillon Editor";
const QString kTxt = QStringLiteral("TXT Editor");
const QString kRtf = QStringLiteral("RTF Editor");

// A loaded main window in folders of its own, and its options dialog.
struct Shell : MainWindowFixture {
    QPointer<form_QLXOptions> dialog;

    explicit Shell(const std::function<void(Settings&)>& stored = {})
        : MainWindowFixture(
              [&stored](MainWindowFixture& f) {
                  if (stored) {
                      f.g.settings.CreateMainKeys();
                      stored(f.g.settings);
                  }
              },
              false) {}

    form_QLXOptions* Open() {
        main.Menus().Action(QStringLiteral("menu_ToolsOptions"))->trigger();
        dialog = main.findChild<form_QLXOptions*>();
        return dialog;
    }
    template <class T> T* Get(const char* name) {
        T* control = dialog->findChild<T*>(QLatin1String(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }
    QCheckBox* Box(const char* name) { return Get<QCheckBox>(name); }
    QLineEdit* Edit(const char* name) { return Get<QLineEdit>(name); }
    void Click(const char* name) { Get<QPushButton>(name)->click(); }
    QStringList Items(const char* list) {
        QStringList items;
        for (int row = 0; row < Get<QListWidget>(list)->count(); ++row)
            items.append(Get<QListWidget>(list)->item(row)->text());
        return items;
    }
    // Closes the dialog by OK and waits until it is gone.
    void Ok() {
        Click("CMD_OK");
        QTRY_VERIFY(dialog.isNull());
    }
    QString Stored(const QString& name, const QString& key = QString()) { return g.settings.Read(name, key); }
    QString ContextValue(const std::string& key) {
        return QString::fromStdString(g.registry.ReadValue(key, ""));
    }
    bool TimerActive() { return main.AutoSaver().Timer()->isActive(); }
};

DocumentWindow* NewText(Shell& s) {
    return s.main.DocumentOpener().NewDocument(DocType::TXT, -1);
}
} // namespace

class tst_options : public QObject {
    Q_OBJECT

private slots:
    void pagesTabsAndCaptions() {
        Shell s;
        form_QLXOptions* dialog = s.Open();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        QCOMPARE(dialog->parent(), &s.main);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quillon Editor Options"));
        // 6100 by 4770 twips, or what the contents need beyond that.
        QVERIFY(dialog->width() >= 6100 * dialog->logicalDpiX() / 1440);
        QVERIFY(dialog->height() >= 4770 * dialog->logicalDpiY() / 1440);

        auto* tabs = s.Get<QTabBar>("TS");
        const QStringList texts = {"General", "INI Editor", "REG Editor", "TXT Editor", "RTF Editor"};
        const QStringList tips = {"General Program Options", "Options specific to the INI Editor",
                                  "Options specific to the REG Editor", "Options specific to the TXT Editor",
                                  "Options specific to the RTF Editor"};
        QCOMPARE(tabs->count(), 5);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(tabs->tabText(i), texts.at(i));
            QCOMPARE(tabs->tabToolTip(i), tips.at(i));
        }
        const QList<QPair<const char*, const char*>> captions = {
            {"cb_AutoSave", "AutoSave Files"},
            {"cb_MultiSelect", "Allow Multiple Selections during File | Open"},
            {"cb_SEM", "Start Editors Maximized"},
            {"cb_ContainSRD", "Search / Find Dialog starts up contained in QLX Shell"},
            {"Check1", "Enable Context-Menu Shell Link"},
            {"cb_Notifications", "Disable Tool's Completion Notification Messages"},
            {"cb_SendTo", "Have Link for SendTo Menu"},
            {"opt_DefOpen0", "Make INI files your Default Open Type"},
            {"opt_DefOpen3", "Make RTF files your Default Open Type"},
            {"cmd_add", "Add New"},
            {"Cmd_RTFRemove", "Remove"},
            {"cmd_SetFS", "Set Default Font and Size"},
            {"CMD_OK", "OK"},
            {"cmd_Cancel", "Cancel"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(s.Get<QAbstractButton>(name)->text(), QLatin1String(caption));
        QCOMPARE(s.Get<QGroupBox>("Frame2")->title(), QStringLiteral("Define TXT Filter"));
        QCOMPARE(s.Get<QGroupBox>("Frame1")->title(), QStringLiteral("Set Default Font and Size"));
        QCOMPARE(s.Get<QGroupBox>("Frame3")->title(), QStringLiteral("Define RTF Filter"));
        QCOMPARE(s.Get<QAction>("ContextHelp")->text(), QStringLiteral("What's This"));
        QVERIFY(dialog->findChild<QLabel*>() != nullptr);

        // Page 1 is shown with its caption; another page comes without caption or border.
        auto* general = s.Get<QGroupBox>("frame_Sections1");
        auto* txt = s.Get<QGroupBox>("frame_Sections4");
        QCOMPARE(general->title(), QStringLiteral("GENERAL"));
        QVERIFY(general->isVisible() && !txt->isVisible());
        tabs->setCurrentIndex(3);
        QVERIFY(!general->isVisible() && txt->isVisible());
        QVERIFY(txt->title().isEmpty() && txt->isFlat());

        // The menu shows the open dialog again instead of loading a second one.
        QCOMPARE(s.Open(), dialog);
        QCOMPARE(s.main.findChildren<form_QLXOptions*>().size(), 1);
    }

    void loadingShowsTheCurrentSettings() {
        Shell s([](Settings& settings) {
            settings.Write("Supress Results", "1");
            settings.Write("MultiSelect", "1");
            settings.Write("AutoSave", "5");
            settings.Write("Default Open Type", "2");
            settings.CreateKey(kTxt);
            settings.Write("File Filter", "*.txt;*.TXT;*.LOG;*.ABCDEF", kTxt);
            settings.Write("Default Font", "Serif", kTxt);
            settings.Write("Default Size", "14", kTxt);
        });
        QVERIFY(SendToLink::Create(s.g.applicationPath));
        s.g.registry.WriteValue(kContextKey + "\\Command", "",
                                form_QLXOptions::ContextCommand(s.g.applicationPath).toLower().toStdString(),
                                "REG_SZ");
        QVERIFY(s.TimerActive());
        s.Open();
        QVERIFY(!s.TimerActive());
        QVERIFY(s.Box("cb_Notifications")->isChecked() && s.Box("cb_MultiSelect")->isChecked());
        QVERIFY(!s.Box("cb_SEM")->isChecked() && !s.Box("cb_ContainSRD")->isChecked());
        QVERIFY(s.Box("cb_SendTo")->isChecked());
        QVERIFY(s.Box("Check1")->isChecked());
        QVERIFY(s.Get<QRadioButton>("opt_DefOpen2")->isChecked());
        QVERIFY(s.Box("cb_AutoSave")->isChecked());
        QVERIFY(s.Edit("txt_AutoSave")->isEnabled());
        QCOMPARE(s.Edit("txt_AutoSave")->text(), QStringLiteral("5"));
        // Duplicates differ only in case; the last pattern is cut to four characters.
        QCOMPARE(s.Items("list_text"), QStringList({"txt", "LOG", "CDEF"}));
        QCOMPARE(s.Items("list_rtf"), QStringList({"RTF", "WRI"}));
        QCOMPARE(s.Edit("txt_txtfont")->text(), QStringLiteral("Serif"));
        QCOMPARE(s.Edit("txt_txtsize")->text(), QStringLiteral("14"));
    }

    void firstRunAndUnknownTypesCheckIni_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("checked");
        QTest::newRow("first run") << QString() << "opt_DefOpen0";
        QTest::newRow("4") << "4"
                           << "opt_DefOpen0";
        QTest::newRow("7") << "7"
                           << "opt_DefOpen0";
        QTest::newRow("-1") << "-1"
                            << "opt_DefOpen0";
        QTest::newRow("abc") << "abc"
                             << "opt_DefOpen0";
        QTest::newRow("3") << "3"
                           << "opt_DefOpen3";
    }
    void firstRunAndUnknownTypesCheckIni() {
        QFETCH(QString, stored);
        QFETCH(QString, checked);
        Shell s([&](Settings& settings) { settings.Write("Default Open Type", stored); });
        s.Open();
        QVERIFY(s.Get<QRadioButton>(qPrintable(checked))->isChecked());
        QCOMPARE(s.Get<QRadioButton>(qPrintable(checked))->group()->checkedId(), checked.right(1).toInt());
        QVERIFY(!s.Box("cb_AutoSave")->isChecked() && !s.Edit("txt_AutoSave")->isEnabled());
        QVERIFY(!s.Box("Check1")->isChecked() && !s.Box("cb_SendTo")->isChecked());
    }

    void autoSaveBoxIsCheckedOnLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty") << QString() << "0";
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("99") << "99"
                            << "99";
        QTest::newRow("100") << "100" << QString();
        QTest::newRow("-1") << "-1" << QString();
        QTest::newRow("abc") << "abc" << QString();
    }
    void autoSaveBoxIsCheckedOnLeaving() {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Shell s;
        form_QLXOptions* dialog = s.Open();
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        s.Box("cb_AutoSave")->click();
        QLineEdit* box = s.Edit("txt_AutoSave");
        QVERIFY(box->isEnabled());
        box->setFocus();
        box->setText(typed);
        const bool refused = after.isEmpty();
        if (refused)
            s.r.expectMsgBox(qlx::vbOK);
        s.Box("cb_SEM")->setFocus(Qt::TabFocusReason);
        QCOMPARE(box->text(), after);
        QCOMPARE(box->hasFocus(), refused);
        if (refused) {
            const DialogCall& call = s.r.calls().constLast();
            QCOMPARE(call.text, QStringLiteral("You have not entered a valid number for AutoSave.  "
                                               "Please enter a number between 1 and 99."));
            QCOMPARE(call.title, QStringLiteral("AutoSave"));
            QCOMPARE(call.style, qlx::vbOKOnly + qlx::vbInformation);
        }
    }

    void okStoresTheAutoSaveMinutes_data() {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("minutes");
        QTest::newRow("checked, left empty") << true << QString() << 0;
        QTest::newRow("checked, 7") << true << "7" << 7;
        QTest::newRow("unchecked") << false << "7" << 0;
    }
    void okStoresTheAutoSaveMinutes() {
        QFETCH(bool, checked);
        QFETCH(QString, typed);
        QFETCH(int, minutes);
        Shell s([](Settings& settings) { settings.Write("AutoSave", "12"); });
        s.Open();
        s.Edit("txt_AutoSave")->setText(typed);
        if (!checked) {
            s.Box("cb_AutoSave")->click();
            QVERIFY(s.Edit("txt_AutoSave")->text().isEmpty() && !s.Edit("txt_AutoSave")->isEnabled());
        }
        s.Ok();
        QCOMPARE(s.Stored("AutoSave"), QString::number(minutes));
        QCOMPARE(s.g.settings.autoSaveMinutes, minutes);
        QCOMPARE(s.TimerActive(), minutes != 0);
    }

    void okByKeyboardRefusesABadAutoSave() {
        Shell s([](Settings& settings) { settings.Write("AutoSave", "12"); });
        s.Open();
        s.Edit("txt_AutoSave")->setText("150");
        s.r.expectMsgBox(qlx::vbOK);
        s.Click("CMD_OK");
        QVERIFY(s.dialog && s.dialog->isVisible());
        QCOMPARE(s.Stored("AutoSave"), QStringLiteral("12"));
        QVERIFY(s.Edit("txt_AutoSave")->text().isEmpty());
    }

    void addingExtensions() {
        Shell s;
        s.Open();
        QLineEdit* box = s.Edit("txt_ext");
        const auto add = [&](const QString& typed) {
            box->setText(typed);
            s.Click("cmd_add");
            QVERIFY(box->text().isEmpty());
        };
        const QStringList before = s.Items("list_text");
        add("txt");
        add("htm");
        QCOMPARE(s.Items("list_text"), before);
        add("jpeg");
        add("Ini");
        QCOMPARE(s.Items("list_text"), before + QStringList({"JPEG", "INI"}));
        QVERIFY(s.r.calls().isEmpty());

        const QList<QPair<QString, QString>> refused = {
            {"TIFFX",
             "Windows only recognizes 4 character or less extention lengths.\r\n\r\nThe extention "
             "TIFFX is not acceptable.  If you wish to associate this extension, follow these "
             "steps:\r\n\r\n1) Create a blank document in the Windows Explorer with the extension you "
             "want to use\r\n2) Right-Click on the new document and select Properties\r\n3) Note the "
             "MS-DOS file name.  This 3 character extension is what you need to enter here."},
            {"A*", "You have entered illegal characters for your desired extention. \r\n\r\nWindows does not "
                   "recogzine the symbols: /\\:*?<>|\"\r\rPlease Try Again."},
            {"a\"", "You have entered illegal characters for your desired extention. \r\n\r\nWindows does not "
                     "recogzine the symbols: /\\:*?<>|\"\r\rPlease Try Again."},
            {"", "You can not associate a zero length extension."}};
        for (const auto& [typed, message] : refused) {
            s.r.expectMsgBox(qlx::vbCancel);
            add(typed);
            QCOMPARE(s.r.calls().constLast().text, message);
            QCOMPARE(s.r.calls().constLast().title, QStringLiteral("Error:"));
            QCOMPARE(s.r.calls().constLast().style, qlx::vbOKCancel + qlx::vbInformation);
        }
        QCOMPARE(s.Items("list_text").size(), before.size() + 2);

        // The RTF group works alike on its own list.
        s.Edit("txt_RTFExt")->setText("doc");
        s.Click("cmd_RTFAdd");
        QCOMPARE(s.Items("list_rtf"), QStringList({"RTF", "WRI", "DOC"}));
    }

    void removingEnablesOnClick() {
        Shell s;
        s.Open();
        auto* list = s.Get<QListWidget>("list_rtf");
        auto* remove = s.Get<QPushButton>("Cmd_RTFRemove");
        QVERIFY(!remove->isEnabled());
        s.Get<QTabBar>("TS")->setCurrentIndex(4);
        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QVERIFY(remove->isEnabled());
        remove->click();
        QVERIFY(!remove->isEnabled());
        QCOMPARE(s.Items("list_rtf"), QStringList({"WRI"}));
        s.Ok();
        QCOMPARE(s.Stored("File Filter", kRtf), QStringLiteral("*.WRI"));
        QCOMPARE(s.g.settings.rtfFileFilter, QStringLiteral("*.WRI"));
        QCOMPARE(s.Stored("File Filter", kTxt),
                 QStringLiteral("*.TXT;*.INF;*.BAT;*.KIX;*.REXX;*.HTM;*.HTML"));
    }

    void okWritesFlagsTypeAndLinks() {
        Shell s;
        s.Open();
        s.Box("cb_Notifications")->setChecked(true);
        s.Box("cb_SEM")->setChecked(true);
        s.Box("cb_SendTo")->setChecked(true);
        s.Box("Check1")->setChecked(true);
        s.Get<QRadioButton>("opt_DefOpen3")->click();
        QVERIFY(!s.Get<QRadioButton>("opt_DefOpen0")->isChecked());
        s.Ok();
        QVERIFY(s.g.settings.supressResults && s.g.settings.startEditorsMax);
        QVERIFY(!s.g.settings.containSRD && !s.g.settings.multiSelect);
        QCOMPARE(s.Stored("Supress Results"), QStringLiteral("1"));
        QCOMPARE(s.Stored("Start Editors Max"), QStringLiteral("1"));
        QCOMPARE(s.Stored("Contain SRD"), QStringLiteral("0"));
        QCOMPARE(s.Stored("MultiSelect"), QStringLiteral("0"));
        QCOMPARE(s.Stored("Default Open Type"), QStringLiteral("3"));
        QVERIFY(SendToLink::Exists());
        QCOMPARE(s.ContextValue(kContextKey), QStringLiteral("Quillon Editor"));
        QCOMPARE(s.ContextValue(kContextKey + "\\Command"), s.g.applicationPath + "/QLX %1");

        // Switched off, the entry goes, "Command" and all.
        s.Open();
        QVERIFY(s.Box("Check1")->isChecked() && s.Box("cb_SendTo")->isChecked());
        s.Box("Check1")->setChecked(false);
        s.Box("cb_SendTo")->setChecked(false);
        s.Ok();
        QVERIFY(!SendToLink::Exists());
        QCOMPARE(s.g.registry.EnumKeyCount("HKEY_CLASSES_ROOT\\*\\Shell"), int16_t(0));

        // An entry of the program's former folder shows unchecked; checked again, it names the
        // current folder.
        s.g.registry.WriteValue(kContextKey + "\\Command", "", "/former/QLX %1", "REG_SZ");
        s.Open();
        QVERIFY(!s.Box("Check1")->isChecked());
        s.Box("Check1")->setChecked(true);
        s.Ok();
        QCOMPARE(s.ContextValue(kContextKey + "\\Command"), s.g.applicationPath + "/QLX %1");
    }

    void flagsAreNotWrittenWithoutTheSettingsKey() {
        Shell s;
        s.g.settings.mainKeyGate = false;
        s.Open();
        s.Box("cb_ContainSRD")->setChecked(true);
        s.Ok();
        QVERIFY(s.g.settings.containSRD);
        QVERIFY(s.Stored("Contain SRD").isEmpty());
        QCOMPARE(s.Stored("Default Open Type"), QStringLiteral("0"));
        QCOMPARE(s.Stored("AutoSave"), QStringLiteral("0"));
    }

    void defaultFontReachesOpenTextWindows() {
        Shell s;
        DocumentWindow* edited = NewText(s);
        DocumentWindow* untouched = NewText(s);
        edited->Altered(true);
        const QString editedCaption = edited->windowTitle();
        s.Open();
        s.r.expectFont(QFont("DejaVu Sans", 14));
        s.Click("cmd_SetFS");
        const DialogCall& call = s.r.calls().constLast();
        QCOMPARE(call.kind, DialogKind::Font);
        QCOMPARE(call.title, QStringLiteral("Choose Default Font and Size"));
        QCOMPARE(call.dialog.FontName, QStringLiteral("Courier"));
        QCOMPARE(call.dialog.FontSize, 10.0);
        QCOMPARE(call.dialog.Flags, 3);
        QCOMPARE(s.Edit("txt_txtfont")->text(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(s.Edit("txt_txtsize")->text(), QStringLiteral("14"));
        s.Ok();
        QCOMPARE(s.g.settings.txtDefaultFont, QStringLiteral("DejaVu Sans"));
        QCOMPARE(s.g.settings.txtDefaultSize, 14);
        QCOMPARE(s.Stored("Default Font", kTxt), QStringLiteral("DejaVu Sans"));
        QCOMPARE(s.Stored("Default Size", kTxt), QStringLiteral("14"));
        for (DocumentWindow* window : {edited, untouched}) {
            auto* pad = qobject_cast<QPlainTextEdit*>(window->widget());
            QCOMPARE(pad->font().family(), QStringLiteral("DejaVu Sans"));
            QCOMPARE(pad->font().pointSize(), 14);
        }
        QVERIFY(s.g.Slot(DocType::TXT, edited->Slot()).changed);
        QCOMPARE(edited->windowTitle(), editedCaption);
        QVERIFY(!s.g.Slot(DocType::TXT, untouched->Slot()).changed);
    }

    void aFontChosenElsewhereIsNotStored() {
        Shell s;
        s.main.Dialog().FontName = QStringLiteral("Chosen For Rich Text");
        s.main.Dialog().FontSize = 30;
        s.Open();
        s.r.expectCancel(DialogKind::Font);
        s.Click("cmd_SetFS");
        QCOMPARE(s.Edit("txt_txtfont")->text(), QStringLiteral("Courier"));
        s.Ok();
        QVERIFY(s.Stored("Default Font", kTxt).isEmpty());
        QCOMPARE(s.g.settings.txtDefaultFont, QStringLiteral("Courier"));
    }

    void cancelAndTitleBarWriteNothing_data() {
        QTest::addColumn<bool>("byCancel");
        QTest::addColumn<QString>("autoSave");
        QTest::addColumn<bool>("timerAfter");
        QTest::newRow("cancel restarts the timer") << true << "5" << true;
        QTest::newRow("cancel with AutoSave off") << true << "0" << false;
        QTest::newRow("title bar restarts the timer as Cancel does") << false << "5" << true;
    }
    void cancelAndTitleBarWriteNothing() {
        QFETCH(bool, byCancel);
        QFETCH(QString, autoSave);
        QFETCH(bool, timerAfter);
        Shell s([&](Settings& settings) { settings.Write("AutoSave", autoSave); });
        s.Open();
        s.Box("cb_SEM")->setChecked(true);
        s.Box("Check1")->setChecked(true);
        s.Get<QRadioButton>("opt_DefOpen1")->click();
        if (byCancel)
            s.Click("cmd_Cancel");
        else
            s.dialog->close();
        QTRY_VERIFY(s.dialog.isNull());
        QCOMPARE(s.TimerActive(), timerAfter);
        QVERIFY(!s.g.settings.startEditorsMax);
        QVERIFY(s.Stored("Start Editors Max").isEmpty() && s.Stored("Default Open Type").isEmpty());
        QVERIFY(s.ContextValue(kContextKey).isEmpty());
    }

    void rightClickGivesTheHelpTexts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("title");
        // The text up to its first line breaks ("#" in the stored text), or the whole text.
        QTest::addColumn<QString>("opening");
        QTest::newRow("cb_SendTo") << "cb_SendTo" << "SendTo Link Help"
                             << "The QLX can place an icon into your SendTo menu, which appears from the context-sensitive menu in the Windows Explorer.\r\n\r\nWhen";
        QTest::newRow("cb_Notifications") << "cb_Notifications" << "Notifications Help"
                             << "The QLX can disable the completion notifications that pop up when you run such tools as the 'Gather Dir' and 'Gather Environmental Variables'. \r\n\r\nYou";
        QTest::newRow("Check1") << "Check1" << "Shell Link Help"
                             << "You can add a context menu item for all files by selecting this optoin.\r\n\r\nOnce";
        QTest::newRow("cb_ContainSRD") << "cb_ContainSRD" << "Search / Replace Startup Help"
                             << "You can change the default startup position of the Search / Replace dialog box from the top right corner of your screen, to the top right corner of the QLX shell.\r\n\r\nIf";
        QTest::newRow("cb_SEM") << "cb_SEM" << "Editors Startup Help"
                             << "If this option is checked, then each editor will open up maximized in the QLX Shell.\r\n\r\nOtherwise, the editors will open up in a floating windows within the shell.";
        QTest::newRow("Frame2") << "Frame2" << "Text File Filter Help"
                             << "You can change which files the QLX considers to be Text-Files, and therefore handled by the TXT editor by defining the TXT file Filters.  \r\n\r\nEnter";
        QTest::newRow("Frame1") << "Frame1" << "Text Default Display Help"
                             << "You can select the default font and size that the TXT Editor displays documents.";
        QTest::newRow("Frame3") << "Frame3" << "RTF File Filter Help"
                             << "You can change which files the QLX considers to be RTF-Files, and therefore handled by the RTF editor by defining the RTF file Filters. \r\n\r\nEnter";
        QTest::newRow("cb_MultiSelect") << "cb_MultiSelect" << "MultiSelect Help"
                             << "You can choose to allow the QLX to open multiple documents at once from any of the Open dialog boxes.  Deselecting this option returns the QLX to single-file open mode.";
        QTest::newRow("opt_DefOpen2") << "opt_DefOpen2" << "Default Filter Type Help"
                             << "You can change which type of file is your default open filter type to save time when opening documents.  ";
    }
    void rightClickGivesTheHelpTexts() {
        QFETCH(QString, control);
        QFETCH(QString, title);
        QFETCH(QString, opening);
        Shell s;
        s.Open();
        auto* help = s.Get<QMenu>("Help");
        QTest::mouseRelease(s.Get<QWidget>(qPrintable(control)), Qt::RightButton, {}, QPoint(2, 2));
        QVERIFY(help->isVisible());
        s.r.expectMsgBox(qlx::vbOK);
        s.Get<QAction>("ContextHelp")->trigger();
        help->hide();
        const DialogCall& call = s.r.calls().constLast();
        QCOMPARE(call.title, title);
        QCOMPARE(call.style, qlx::vbOKOnly + qlx::vbInformation);
        QVERIFY2(call.text.startsWith(opening), qPrintable(call.text));
        QVERIFY(!call.text.contains('#'));
    }

    void storedTextsAsWritten() {
        QCOMPARE(StringResources::Text(102),
                 QStringLiteral(
                     "You can select the default font and size that the TXT Editor displays documents."));
        QVERIFY(StringResources::Text(104).contains(QStringLiteral("to have the QLX\" & \"load the file")));
        QVERIFY(
            StringResources::Text(108).startsWith(QStringLiteral("You can add a context menu item for all "
                                                                 "files by selecting this optoin.##")));
        QCOMPARE(StringResources::Text(109),
                 QStringLiteral(
                     "The system variables and values have been placed on the Windows Clipboard.  "
                     "You may paste the results into any appropriate QLX Editor, or external program."));
        for (int id = 101; id <= 115; ++id)
            QVERIFY(!StringResources::Text(id).isEmpty());
        QVERIFY(StringResources::Text(100).isEmpty());
    }
};

QTEST_MAIN(tst_options)
#include "tst_options.moc"
