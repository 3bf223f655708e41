#include "DirList.h"

#include "DirListing.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kFolderRole = Qt::UserRole;
const QString kStep = QStringLiteral("   ");
} // namespace

DirList::DirList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetPath(item->data(kFolderRole).toString()); });
}

void DirList::AddEntry(const QString& folder, const QString& text, int depth) {
    auto* item = new QListWidgetItem(kStep.repeated(depth) + text, this);
    item->setData(kFolderRole, folder);
}

void DirList::SetPath(const QString& path) {
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (folder == path_)
        return;
    path_ = folder;
    clear();
    QDir up(folder);
    QStringList chain{up.path()};
    while (up.cdUp())
        chain.prepend(up.path());
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString name = QFileInfo(chain[depth]).fileName();
        AddEntry(chain[depth], name.isEmpty() ? DirListing::Shown(chain[depth]) : name, depth);
    }
    setCurrentRow(count() - 1);
    const QDir dir(folder);
    for (const QString& name : DirListing::Read(folder).folders)
        AddEntry(dir.filePath(name), name, int(chain.size()));
    emit PathChanged(path_);
}
