// "Retrieve Directory List": the user picks a drive and a folder, and "Gather Folder" puts a listing
// of the folder and all its sub-folders on the clipboard, ready to paste into a text document.
// While the walk runs the button reads "CANCEL" and stops it, leaving the clipboard alone.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

class DirList;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;

class form_Dir : public QWidget {
    Q_OBJECT
public:
    form_Dir();

    // Set before the window is shown: true leaves out the completion message.
    bool SupressNotification = false;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillDrives();
    void DriveChange();
    void DirChange(const QString& path);
    void ScanClick();
    // Lets the window's events through at the first entry and then every so often while the walk
    // runs; false once cancelled.
    bool KeepGoing();

    QComboBox* Drive;
    DirList* Dir;
    QListWidget* File;
    QCheckBox* cb_indent;
    QPushButton* cmd_Scan;

    bool scanning_ = false;
    bool cancelled_ = false;
    QElapsedTimer sinceEvents_;
};
