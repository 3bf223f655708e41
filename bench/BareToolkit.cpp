#include "BareToolkit.h"

#include "EventQueue.h"

#include <QFile>
#include <QSaveFile>
#include <QWidget>

void BareToolkit::ShowAsPad(QWidget& widget) {
    widget.resize(800, 600);
    widget.show();
    EventQueue::ServeUntilIdle();
}

QString BareToolkit::Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void BareToolkit::Write(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    file.commit();
}
