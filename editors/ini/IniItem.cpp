#include "IniItem.h"

#include "IniPictures.h"

namespace {
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

IniItem::IniItem(IniNode* node) : QTreeWidgetItem(UserType), node_(node) {}

QVariant IniItem::data(int column, int role) const {
    if (column != 0)
        return QTreeWidgetItem::data(column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node_->Text();
    case Qt::DecorationRole:
        return Picture(IniNode::KindOf(node_));
    case TagRole:
        return IniNode::Tag(IniNode::KindOf(node_));
    case KeyRole:
        return node_->Key().isNull() ? QVariant() : QVariant(node_->Key());
    default:
        return QTreeWidgetItem::data(column, role);
    }
}

void IniItem::setData(int column, int role, const QVariant& value) {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) {
        node_->SetText(value.toString());
        emitDataChanged();
        return;
    }
    QTreeWidgetItem::setData(column, role, value);
}
