#include "RegImport.h"

#include "RegLine.h"
#include "RegLines.h"
#include "RegNodes.h"
#include "RegValueTable.h"

#include <algorithm>

RegImport::RegImport(RegNodes& nodes, RegValueTable& values, RegNode* fileNode)
    : nodes_(nodes), values_(values), file_(fileNode), current_(fileNode),
      currentId_(RegNodes::Id(fileNode)) {}

void RegImport::SetCurrent(RegNode* node) {
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
    errors_ += current_->Text() + QStringLiteral(": ");
    errors_.append(line);
    errors_ += QLatin1Char('\r');
}

QString RegImport::Shared(QString text) {
    return *shared_.insert(std::move(text));
}

RegNode* RegImport::Child(RegNode* parent, const QString& text, const QString& tag, bool pathOnly,
                          const QString& key) {
    const bool deletion = tag == RegNodes::DeletionTag();
    ChildKey index{RegNodes::Id(parent), deletion, deletion ? QLatin1Char('-') + text : text};
    RegNode*& child = children_[index];
    if (!child) {
        child = nodes_.Add(parent, index.text, tag, key);
        RegNodes::SetPathOnly(child, pathOnly);
        const std::pair<int, QString> folded{index.parent, text.toCaseFolded()};
        if (!spellings_.contains(folded, text))
            spellings_.insert(folded, text);
    }
    return child;
}

void RegImport::Forget(const RegNode* parent, const QString& text, bool deleted) {
    const int id = RegNodes::Id(parent);
    const QList<QString> spellings = spellings_.values({id, text.toCaseFolded()});
    const bool all = deleted || std::any_of(spellings.begin(), spellings.end(), [&](const QString& spelling) {
                         return spelling != text && children_.contains({id, false, spelling});
                     });
    for (const QString& spelling : spellings) {
        if (all)
            children_.remove({id, false, spelling});
        children_.remove({id, true, QLatin1Char('-') + spelling});
    }
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
        SetCurrent(Child(file_, hive, RegNodes::HiveTag(), false, hive));
        return;
    }
    RegNode* node = file_;
    // A deletion takes keys out of the index, and with them the way of the last key line.
    const qsizetype known = deletion ? 0 : Known(path, &node);
    lastWay_.resize(size_t(known));
    lastPath_.truncate(known == 0 ? 0 : lastWay_.back().end);
    lastPath_ += path.mid(lastPath_.size());
    const qsizetype start = known == 0 ? 0 : lastWay_.back().end + 1;
    if (start > path.size()) {
        stage_ = 8;
        return SetCurrent(node);
    }
    const QList<QStringView> parts = path.mid(start).split(u'\\');
    stage_ = 4;
    if (known == 0 && ((parts.size() < 2 && !deletion) || !hives.contains(parts.first())))
        return Fail(line);
    stage_ = 5;
    qsizetype end = start - 1;
    for (qsizetype j = 0; j < parts.size(); ++j) {
        const qsizetype i = known + j;
        const bool last = j == parts.size() - 1;
        stage_ = i == 0 ? 6 : last ? 8 : 7;
        // A path ending in "\" names its parent.
        if (last && parts[j].isEmpty())
            break;
        const QString tag = last && deletion ? RegNodes::DeletionTag()
                            : i == 0         ? RegNodes::HiveTag()
                                             : RegNodes::BranchTag();
        const QString text = parts[j].toString();
        // Importers delete no hive, and a hive keeps its one node.
        if (deletion && i > 0)
            Forget(node, text, last);
        node = Child(node, text, tag, deletion && !last);
        end += parts[j].size() + 1;
        // A key line makes its key and every key above it.
        if (!deletion) {
            RegNodes::SetPathOnly(node, false);
            lastWay_.push_back({end, node});
        }
    }
    SetCurrent(node);
}

qsizetype RegImport::Known(QStringView path, RegNode** node) const {
    const QStringView last = lastPath_;
    const qsizetype same =
        std::mismatch(path.begin(), path.end(), last.begin(), last.end()).first - path.begin();
    qsizetype known = 0;
    for (const Step& step : lastWay_) {
        if (step.end > same || (step.end < path.size() && path[step.end] != u'\\'))
            break;
        *node = step.node;
        ++known;
    }
    return known;
}

void RegImport::ValueLine(QStringView line, RegLines& lines) {
    stage_ = 5;
    std::optional<RegLine::Value> value = RegLine::ParseValue(line);
    if (!value)
        return Fail(line);
    if (RegLine::Continues(*value)) {
        // The next lines may come in a new piece of the file, where this one is no more.
        const QString first = line.toString();
        while (RegLine::Continues(*value)) {
            value->data.chop(1);
            QStringView next;
            if (!lines.Next(&next))
                return Fail(first);
            value->data += RegLine::TrimSpaces(next);
        }
        // Grown line by line, the data would keep room for more for as long as the document lives.
        value->data.squeeze();
    }
    values_.Append(currentId_, Shared(std::move(value->type)), Shared(std::move(value->name)),
                   std::move(value->data), value->unquoted);
    stage_ = 6;
}
