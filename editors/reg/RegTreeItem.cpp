#include "RegTreeItem.h"

#include "RegNodes.h"

RegTreeItem::RegTreeItem(std::shared_ptr<const Images> images, const QString& text)
    : QTreeWidgetItem(QStringList{text}, UserType), images_(std::move(images)) {}

RegTreeItem::~RegTreeItem() {
    // Out of the view at once, rather than item by item; then each leaf goes, always its parent's
    // first child, so that no deletion searches its siblings.
    for (QTreeWidgetItem* item : takeChildren()) {
        while (item) {
            if (item->childCount() > 0) {
                item = item->child(0);
                continue;
            }
            QTreeWidgetItem* parent = item->parent();
            delete item;
            item = parent;
        }
    }
}

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
