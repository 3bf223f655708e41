// The main window: a multiple-document frame that owns every document window, the menu bar, the
// common dialog, the automatic-save timer and the hand-off hook, and runs the start-up and exit
// sequences.
#pragma once

#include "AutoSave.h"
#include "CommonDialog.h"
#include "CopyDataMessage.h"
#include "DocumentHost.h"
#include "GlobalMenus.h"
#include "OS_SendMessage.h"
#include "Opener.h"
#include "RecentFiles.h"
#include "Settings.h"

#include <QMainWindow>

#include <functional>

class Global;
struct DocumentSlot;
class QMdiArea;
class QTimer;

class mdform_QLEditor : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit mdform_QLEditor(Global& global, QWidget* parent = nullptr);
    ~mdform_QLEditor() override;

    // The start-up sequence: settings keys, published handle, hook, recent files, settings,
    // placement, the document windows, the command line and the welcome document; ends by showing
    // the window.
    void Load();

    // Opens the files named in one command-line text (names separated by spaces).
    virtual void OpenCommandLine(const QString& commandLine);

    // Saves every changed document; automatic: the pass the timer starts, shown in the caption.
    void SaveAllDocuments(bool automatic);
    void CloseAllDocuments();
    void CascadeWindows();

    // The one exit sequence, however the program is ended. False when the user kept a changed
    // document (Cancel, or a save that did not happen): the program then goes on running.
    bool ExitProgram();
    // A request to end from outside (a termination signal): a prompt that is up gives way, as if
    // the user had pressed Escape, and the exit follows once it has returned.
    void Terminate();

    // What the hooked window does with a message sent to it; the reply goes back to the sender.
    quint32 WindowProc(const CopyDataMessage& message);

    quint64 Handle() const;
    QMdiArea* MDIArea() const { return mdi_; }
    AutoSave& AutoSaver() { return autoSave_; }
    GlobalMenus& Menus() { return menus_; }
    Opener& DocumentOpener() { return opener_; }
    RecentFiles& Recent() { return recent_; }

    void SetMenuState(const QString& typeName) override { menus_.SetState(typeName); }
    QAction* MenuItem(const QString& name) const override { return menus_.Action(name); }
    QMenu* EditMenu() const override { return menus_.EditMenu(); }
    QMenu* RegistryMenu() const override { return menus_.RegistryMenu(); }
    QAction* WordWrap() const override { return menus_.WordWrap(); }
    CommonDialog& Dialog() override { return dialog_; }
    void FileOpened(const QString& path) override { recent_.Add(path); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectShellCommands();
    void ApplyPlacement();
    void WriteGeometry();
    void OpenWelcomeDocument();
    void AutoSaveMinute();
    void PrintActiveDocument();
    void PasteAs();
    void Publish();
    // The main keys, the program's folder and the handle a second start looks for.
    void WriteRegistration();
    // Publishes the handle again when the settings store no longer holds it (removed or replaced).
    void KeepPublished();
    // Calls work for every slot's window of every type, in the shell's walk order.
    void ForEachWindow(const std::function<void(DocumentWindow*, DocumentSlot&)>& work);

    Global& g_;
    QMdiArea* mdi_;
    AutoSave autoSave_;
    QTimer* publishCheck_;
    OS_SendMessage hook_;
    GlobalMenus menus_;
    RecentFiles recent_;
    CommonDialog dialog_;
    Opener opener_;
    bool loaded_ = false;
};
