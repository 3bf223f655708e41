#include "RegTreeItem.h"

#include "RegNodes.h"

RegTreeItem::RegTreeItem(std::shared_ptr<const Images> images, const QString& text)
    : QTreeWidgetItem(QStringList{text}, UserType), images_(std::move(images)) {}

QVariant RegTreeItem::data(int column, int role) const {
    // The image comes with the kind of node rather than stored in every item.
    if (column == 0 && role == Qt::DecorationRole)
        return RegNodes::Tag(this) == RegNodes::FileTag() ? images_->file : images_->folder;
    return QTreeWidgetItem::data(column, role);
}

RegNode* RegTreeItem::AppendChild(const QString& text) {
    auto* child = new RegTreeItem(images_, text);
    addChild(child);
    return child;
}
