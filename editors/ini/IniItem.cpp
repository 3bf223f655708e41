#include "IniItem.h"

#include "IniPictures.h"

namespace {
const QString kTags[] = {QStringLiteral("OPENEDFILE"), QStringLiteral("SECTION"), QStringLiteral("VALUE"),
                         QStringLiteral("COMMENTS")};

const QIcon& Picture(IniItem::Kind kind) {
    switch (kind) {
    case IniItem::Kind::File:
        return IniPictures::File();
    case IniItem::Kind::Section:
        return IniPictures::Section();
    case IniItem::Kind::Value:
        return IniPictures::KeyLine();
    case IniItem::Kind::Comment:
        break;
    }
    return IniPictures::Comment();
}
} // namespace

IniItem::IniItem(Kind kind, const QString& text, const QString& key)
    : QTreeWidgetItem(UserType), kind_(kind), text_(text), key_(key) {}

QVariant IniItem::data(int column, int role) const {
    if (column != 0)
        return QTreeWidgetItem::data(column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text_;
    case Qt::DecorationRole:
        return Picture(kind_);
    case TagRole:
        return Tag(kind_);
    case KeyRole:
        return key_.isNull() ? QVariant() : QVariant(key_);
    default:
        return QTreeWidgetItem::data(column, role);
    }
}

void IniItem::setData(int column, int role, const QVariant& value) {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        text_ = value.toString();
        emitDataChanged();
        return;
    }
    QTreeWidgetItem::setData(column, role, value);
}

QString IniItem::Tag(Kind kind) {
    return kTags[int(kind)];
}

QString IniItem::KeyName(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.left(equals);
}

bool IniItem::Less(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return Text(a).compare(Text(b), Qt::CaseInsensitive) < 0;
}
