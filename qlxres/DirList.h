// The folder list of the directory-list gatherer: the current path from its root down, each folder
// a step further in, then the sub-folders of the current folder. Activating an entry makes it the
// current folder.
#pragma once

#include <QListWidget>
#include <QString>

class DirList : public QListWidget {
    Q_OBJECT
    Q_PROPERTY(QString path READ Path WRITE SetPath NOTIFY PathChanged)
public:
    explicit DirList(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    void SetPath(const QString& path);

signals:
    void PathChanged(const QString& path);

private:
    void AddEntry(const QString& folder, const QString& text, int depth);

    QString path_;
};
