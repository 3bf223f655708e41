// The main window: a multiple-document frame that owns every document window, the automatic-save
// timer and the hand-off hook, and runs the start-up and exit sequences.
#pragma once

#include "CopyDataMessage.h"
#include "OS_SendMessage.h"
#include "Settings.h"

#include <QMainWindow>

class Global;
class QMdiArea;
class QTimer;

class mdform_QLEditor : public QMainWindow {
    Q_OBJECT
public:
    explicit mdform_QLEditor(Global& global, QWidget* parent = nullptr);
    ~mdform_QLEditor() override;

    // The start-up sequence: settings keys, published handle, hook, settings, placement, the
    // command line and the welcome document; ends by showing the window.
    void Load();

    // Opens the files named in one command-line text (names separated by spaces).
    virtual void OpenCommandLine(const QString& commandLine);

    // Switches the one-minute timer on for an interval of 1 to 99 minutes, off for 0.
    void SetAutoSaveTimer(int minutes);
    // Saves every changed document; automatic: the pass the timer starts, shown in the caption.
    void SaveAllDocuments(bool automatic);
    void CascadeWindows();

    // The one exit sequence, however the program is ended. Runs once.
    void ExitProgram();

    // What the hooked window does with a message sent to it; the reply goes back to the sender.
    quint32 WindowProc(const CopyDataMessage& message);

    quint64 Handle() const;
    QMdiArea* MDIArea() const { return mdi_; }
    QTimer* AutoSaveTimer() const { return autoSaveTimer_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyPlacement();
    void WriteGeometry();
    void OpenWelcomeDocument();
    void AutoSaveTick();

    Global& g_;
    QMdiArea* mdi_;
    QTimer* autoSaveTimer_;
    OS_SendMessage hook_;
    int minuteCounter_ = 0;
    bool loaded_ = false;
};
