#include "RegNodes.h"

#include "Resources.h"

#include <QDateTime>
#include <QTreeWidgetItem>

#include <cmath>

namespace {
constexpr int kTagRole = Qt::UserRole;
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kIdRole = Qt::UserRole + 2;
constexpr int kPathOnlyRole = Qt::UserRole + 3;

// The date and time as the classic whole number: days since 30 December 1899, rounded half to even.
int NowAsWholeNumber() {
    const QDateTime now = QDateTime::currentDateTime();
    const double serial =
        double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
    return int(std::nearbyint(serial));
}
} // namespace

const QStringList& RegNodes::HiveNames() {
    static const QStringList names = {
        QStringLiteral("HKEY_CLASSES_ROOT"),   QStringLiteral("HKEY_CURRENT_USER"),
        QStringLiteral("HKEY_LOCAL_MACHINE"),  QStringLiteral("HKEY_USERS"),
        QStringLiteral("HKEY_CURRENT_CONFIG"), QStringLiteral("HKEY_DYN_DATA")};
    return names;
}

RegNodes::RegNodes(const Resources& resources, QIcon folder, QIcon file)
    : resources_(resources), folder_(std::move(folder)), file_(std::move(file)) {}

QString RegNodes::FreshKey() const {
    return resources_.UniqueID(NowAsWholeNumber());
}

QTreeWidgetItem* RegNodes::NewFileNode(const QString& text) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setIcon(0, file_);
    node->setData(0, kTagRole, FileTag());
    node->setData(0, kKeyRole, QStringLiteral("PRIMARY"));
    node->setData(0, kIdRole, nextId_++);
    return node;
}

QTreeWidgetItem* RegNodes::Add(QTreeWidgetItem* parent, const QString& text, const QString& tag,
                               const QString& key) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setIcon(0, folder_);
    node->setData(0, kTagRole, tag);
    node->setData(0, kKeyRole, key.isEmpty() ? FreshKey() : key);
    node->setData(0, kIdRole, nextId_++);
    parent->addChild(node);
    return node;
}

QString RegNodes::Tag(const QTreeWidgetItem* node) {
    return node->data(0, kTagRole).toString();
}

QString RegNodes::Key(const QTreeWidgetItem* node) {
    return node->data(0, kKeyRole).toString();
}

int RegNodes::Id(const QTreeWidgetItem* node) {
    return node->data(0, kIdRole).toInt();
}

bool RegNodes::PathOnly(const QTreeWidgetItem* node) {
    return node->data(0, kPathOnlyRole).toBool();
}

void RegNodes::SetPathOnly(QTreeWidgetItem* node, bool only) {
    node->setData(0, kPathOnlyRole, only);
}

QString RegNodes::FullPath(const QTreeWidgetItem* node) {
    QString path = node->text(0);
    for (const QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        path.prepend(up->text(0) + QLatin1Char('\\'));
    return path;
}

QString RegNodes::KeyPath(const QTreeWidgetItem* node) {
    QString path;
    for (; node && node->parent(); node = node->parent())
        path.prepend(path.isEmpty() ? node->text(0) : node->text(0) + QLatin1Char('\\'));
    return path;
}

QTreeWidgetItem* RegNodes::ChildByText(const QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}
