#include "form_Dir.h"

#include "Dialogs.h"
#include "NestedLoop.h"
#include "DirList.h"
#include "DirListing.h"
#include "Named.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

#include <algorithm>

namespace {
const QString kGather = QStringLiteral("Gather Folder");
const QString kCancel = QStringLiteral("CANCEL");
const QString kCompleteTitle = QStringLiteral("Operation Complete");
const QString kCompleteText = QStringLiteral(
    "The requested directory has been scanned.\r\rAll included files and sub-folders have been "
    "cataloged and formated as you requested and placed onto the Windows Clipboard.\r\rYou may "
    "switch to your desired text editor or Open Text file and paste the DIR list.");
// Often enough for the window to answer at once, seldom enough to cost the walk nothing.
constexpr qint64 kEventsEveryMs = 50;
} // namespace

form_Dir::form_Dir()
    : Drive(Named(new QComboBox(this), "Drive")), Dir(Named(new DirList(this), "Dir")),
      File(Named(new QListWidget(this), "File")),
      cb_indent(Named(new QCheckBox(QStringLiteral("Indent files under folder entry for text"), this),
                      "cb_indent")),
      cmd_Scan(Named(new QPushButton(kGather, this), "cmd_Scan")) {
    Named(this, "form_Dir");
    setWindowTitle(QStringLiteral("Retrieve Directory List"));
    // All rows alike: a folder of many thousand files lays out at once.
    File->setUniformItemSizes(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(Drive, 0, 0);
    layout->addWidget(Dir, 1, 0);
    layout->addWidget(File, 0, 1, 2, 1);
    layout->addWidget(cb_indent, 2, 0, 1, 2);
    layout->addWidget(cmd_Scan, 3, 0, 1, 2);
    FillDrives();
    connect(Dir, &DirList::PathChanged, this, &form_Dir::DirChange);
    Dir->SetPath(QDir::currentPath());
    connect(Drive, &QComboBox::currentIndexChanged, this, &form_Dir::DriveChange);
    connect(cmd_Scan, &QPushButton::clicked, this, &form_Dir::ScanClick);
}

void form_Dir::FillDrives() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            roots << volume.rootPath();
    }
    std::sort(roots.begin(), roots.end());
    for (const QString& root : roots)
        Drive->addItem(DirListing::Shown(root), root);
    Drive->setCurrentIndex(int(roots.indexOf(QStorageInfo(QDir::currentPath()).rootPath())));
}

void form_Dir::DriveChange() {
    Dir->SetPath(Drive->currentData().toString());
}

void form_Dir::DirChange(const QString& path) {
    File->clear();
    File->addItems(DirListing::Read(path).files);
}

bool form_Dir::KeepGoing() {
    if (!sinceEvents_.isValid() || sinceEvents_.hasExpired(kEventsEveryMs)) {
        const qlx::NestedLoop loop;
        QCoreApplication::processEvents();
        sinceEvents_.start();
    }
    return !cancelled_;
}

void form_Dir::ScanClick() {
    if (scanning_) {
        cancelled_ = true;
        hide();
        return;
    }
    scanning_ = true;
    cmd_Scan->setText(kCancel);
    // The first entry lets the events through at once, so a press already waiting is seen.
    sinceEvents_.invalidate();
    const std::optional<QString> listing =
        DirListing(cb_indent->isChecked(), [this] { return KeepGoing(); }).List(Dir->Path());
    scanning_ = false;
    if (listing) {
        QGuiApplication::clipboard()->setText(*listing);
        hide();
        if (!SupressNotification)
            qlx::MsgBox(kCompleteText, qlx::vbOKOnly, kCompleteTitle);
    }
    close();
}

void form_Dir::closeEvent(QCloseEvent* event) {
    // Closed while the walk runs: the walk stops first, and its end closes the window.
    if (scanning_) {
        cancelled_ = true;
        hide();
        event->ignore();
        return;
    }
    event->accept();
}
