#include "RegImport.h"

#include "RegLine.h"
#include "RegLines.h"
#include "RegNodes.h"
#include "RegValueTable.h"

#include <QTreeWidgetItem>

RegImport::RegImport(RegNodes& nodes, RegValueTable& values, QTreeWidgetItem* fileNode)
    : nodes_(nodes), values_(values), file_(fileNode), current_(fileNode),
      currentId_(RegNodes::Id(fileNode)) {}

void RegImport::SetCurrent(QTreeWidgetItem* node) {
    current_ = node;
    currentId_ = RegNodes::Id(node);
}

void RegImport::Handle(QStringView line, RegLines& lines) {
    stage_ = 2;
    switch (RegLine::KindOf(line)) {
    case RegLine::Kind::Key:
        KeyLine(line);
        break;
    case RegLine::Kind::Value:
        ValueLine(line, lines);
        break;
    case RegLine::Kind::Other:
        stage_ = 6;
        break;
    }
}

void RegImport::Fail(QStringView line) {
    errors_ += current_->text(0) + QStringLiteral(": ");
    errors_.append(line);
    errors_ += QLatin1Char('\r');
}

QTreeWidgetItem* RegImport::Child(QTreeWidgetItem* parent, const QString& text, const QString& tag,
                                  const QString& key) {
    const bool deletion = tag == RegNodes::DeletionTag();
    ChildKey index{RegNodes::Id(parent), deletion, deletion ? QLatin1Char('-') + text : text};
    QTreeWidgetItem*& child = children_[index];
    if (!child)
        child = nodes_.Add(parent, index.text, tag, key);
    return child;
}

void RegImport::KeyLine(QStringView line) {
    stage_ = 3;
    SetCurrent(file_);
    if (line.size() < 2)
        return Fail(line);
    QStringView path = line.mid(1, line.size() - 2);
    const bool deletion = path.startsWith(u'-');
    if (deletion)
        path = path.mid(1);
    const QStringList& hives = RegNodes::HiveNames();
    if (!deletion && hives.contains(path)) {
        // A hive's own values follow its key line; they belong to the hive.
        const QString hive = path.toString();
        SetCurrent(Child(file_, hive, RegNodes::HiveTag(), hive));
        return;
    }
    const QList<QStringView> parts = path.split(u'\\');
    stage_ = 4;
    if ((parts.size() < 2 && !deletion) || !hives.contains(parts.first()))
        return Fail(line);
    stage_ = 5;
    QTreeWidgetItem* node = file_;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        stage_ = i == 0 ? 6 : last ? 8 : 7;
        // A path ending in "\" names its parent.
        if (last && parts[i].isEmpty())
            break;
        const QString tag = last && deletion ? RegNodes::DeletionTag()
                            : i == 0         ? RegNodes::HiveTag()
                                             : RegNodes::BranchTag();
        node = Child(node, parts[i].toString(), tag);
    }
    SetCurrent(node);
}

void RegImport::ValueLine(QStringView line, RegLines& lines) {
    stage_ = 5;
    std::optional<RegLine::Value> value = RegLine::ParseValue(line);
    if (!value)
        return Fail(line);
    while (RegLine::Continues(*value)) {
        value->data.chop(1);
        QStringView next;
        if (!lines.Next(&next))
            return Fail(line);
        value->data += RegLine::TrimSpaces(next);
    }
    values_.Append(currentId_, std::move(value->type), std::move(value->name), std::move(value->data));
    stage_ = 6;
}
