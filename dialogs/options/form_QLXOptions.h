// The options dialog: five pages of settings shown from the shell's in-memory values and written
// back, into memory and into the settings store, on OK. The automatic-save timer stands still while
// the dialog is open.
#pragma once

#include "FilterEditor.h"

#include <QDialog>
#include <QHash>

#include <array>
#include <memory>

class AutoSave;
class CommonDialog;
class Global;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabBar;

class form_QLXOptions : public QDialog {
    Q_OBJECT
public:
    // Shows the one options dialog of the main window, loading it when it is not open.
    static form_QLXOptions* Open(Global& global, QWidget& main, CommonDialog& common, AutoSave& autoSave);

    // What the context-menu entry of every file runs: the program in its folder with that file.
    static QString ContextCommand(const QString& applicationFolder);

    // Cancel, also by Escape: nothing is written; the timer runs again when AutoSave is on.
    void reject() override;

protected:
    // The title-bar button is a Cancel: nothing is written; the timer runs again when AutoSave is on.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct HelpTopic {
        QString title;
        int resource = 0;
    };

    form_QLXOptions(Global& global, QWidget& main, CommonDialog& dialog, AutoSave& autoSave);

    QGroupBox* BuildGeneral();
    QGroupBox* BuildTxtPage();
    QGroupBox* BuildRtfPage();
    QWidget* BuildFontFrame();
    void BuildPages();
    void RegisterHelp();

    void Load();
    void LoadContextLink();
    void LoadDefaultOpenType();
    void LoadAutoSave();

    void ShowPage(int page);
    void EnableAutoSaveBox(bool enabled);
    // The check when the AutoSave box loses the focus: false when its text was refused.
    bool CheckAutoSave();
    void ChooseDefaultFont();
    void ShowContextHelp();

    void Ok();
    void SaveFlags();
    void SaveContextLink();
    void SaveFilters();
    void SaveFont();
    void ApplyFontToTextWindows();
    void SaveDefaultOpenType();
    void SaveAutoSave();

    Global& g_;
    CommonDialog& dialog_;
    AutoSave& autoSave_;

    QTabBar* TS;
    std::array<QGroupBox*, 5> frame_Sections;
    QCheckBox* cb_AutoSave;
    QLineEdit* txt_AutoSave;
    QCheckBox* cb_MultiSelect;
    QCheckBox* cb_SEM;
    QCheckBox* cb_ContainSRD;
    QCheckBox* Check1;
    QCheckBox* cb_Notifications;
    QCheckBox* cb_SendTo;
    // Its ids are the stored "Default Open Type": 0 INI, 1 REG, 2 TXT, 3 RTF.
    QButtonGroup* opt_DefOpen;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame3;
    QLineEdit* txt_ext;
    QListWidget* list_text;
    QLineEdit* txt_RTFExt;
    QListWidget* list_rtf;
    QLineEdit* txt_txtfont;
    QLineEdit* txt_txtsize;
    QMenu* Help;

    std::unique_ptr<FilterEditor> txtFilter_;
    std::unique_ptr<FilterEditor> rtfFilter_;
    // The visible page, counted from 1 as the tabs are.
    int currentPage_ = 1;
    QHash<QObject*, HelpTopic> help_;
    HelpTopic pendingHelp_;
    // The font dialog chose a font while this dialog was open.
    bool fontChosen_ = false;
};
