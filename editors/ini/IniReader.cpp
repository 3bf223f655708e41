#include "IniReader.h"

#include "IniItem.h"

#include <algorithm>

namespace {
using Kind = IniItem::Kind;

// A lone "[" has no name between its brackets: it stays a key line, so it is written back as read.
bool IsHeader(const QString& line) {
    return line.size() > 1 && line.front() == QLatin1Char('[');
}

bool IsComment(const QString& line) {
    return line.startsWith(QLatin1Char(';'));
}

void Sort(QList<QTreeWidgetItem*>* items) {
    std::stable_sort(items->begin(), items->end(), IniItem::Less);
}
} // namespace

IniReader::IniReader(QTreeWidgetItem* root, KeyMaker newKey, ReplaceQuestion replace)
    : root_(root), newKey_(std::move(newKey)), replace_(std::move(replace)) {}

QStringList IniReader::FileLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList IniReader::PasteLines(const QString& text) {
    QString joined = text;
    joined.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    joined.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return joined.split(QLatin1Char('\n'));
}

void IniReader::ReadFile(const QStringList& lines) {
    Start(lines, root_, true);
    Read();
    Finish();
}

IniReader::Pasted IniReader::Paste(const QStringList& lines, QTreeWidgetItem* selected) {
    if (!selected)
        selected = root_;
    else if (IniItem::Is(selected, Kind::Comment))
        selected = selected->parent();
    Start(lines, selected, false);
    Read();
    Finish();
    return {selected_, changed_};
}

void IniReader::Start(const QStringList& lines, QTreeWidgetItem* selected, bool file) {
    file_ = file;
    lines_ = lines;
    next_ = 0;
    selected_ = selected;
    current_ = nullptr;
    currentLines_.clear();
    touched_ = nullptr;
    changed_ = false;
    rootAdded_.clear();
    sections_.clear();
    for (int i = 0; i < root_->childCount(); ++i) {
        QTreeWidgetItem* child = root_->child(i);
        if (IniItem::Is(child, Kind::Section))
            sections_[IniItem::Text(child)].append(child);
    }
}

bool IniReader::NextLine() {
    if (AtEnd())
        return false;
    line_ = lines_.at(next_++);
    return true;
}

void IniReader::Read() {
    if (!NextLine())
        return;
    bool topLevel = true;
    for (;;) {
        if (!topLevel) {
            // Within a section: lines go under it until the next header.
            if (IsHeader(line_)) {
                topLevel = true;
                continue;
            }
            if (!line_.isEmpty()) {
                AddLine(current_, IsComment(line_));
                if (AtEnd()) {
                    selected_ = root_;
                    return;
                }
            }
            if (!NextLine())
                return;
            continue;
        }
        const Kind selected = IniItem::KindOf(selected_);
        if (IsHeader(line_) && (selected == Kind::File || selected == Kind::Section)) {
            if (!CreateSection() || !NextLine())
                return;
            topLevel = false;
            continue;
        }
        if (selected == Kind::Value) {
            selected_ = selected_->parent();
            return;
        }
        if (line_.isEmpty()) {
            // A blank line makes no node, pasted or read: the saved file would not give it back.
        } else if (selected == Kind::Section) {
            // Pasted into a selected section, every other line but a header is a key line.
            AddLine(selected_, false);
        } else if (IsComment(line_)) {
            AddLine(root_, true);
        } else {
            // A key line before any section: a paste ends there, a file keeps it under the root.
            if (!file_)
                return;
            AddLine(root_, false);
        }
        if (!NextLine())
            return;
    }
}

bool IniReader::CreateSection() {
    EndSection();
    const QString name = line_.mid(1, line_.size() - 2);
    QList<QTreeWidgetItem*>& same = sections_[name];
    if (!same.isEmpty()) {
        if (replace_()) {
            for (QTreeWidgetItem* section : same)
                RemoveSection(section);
            same.clear();
        } else if (!file_) {
            return false;
        }
    }
    current_ = new IniItem(Kind::Section, name, newKey_());
    rootAdded_.append(current_);
    same.append(current_);
    changed_ = true;
    return true;
}

void IniReader::RemoveSection(QTreeWidgetItem* section) {
    if (!rootAdded_.removeOne(section)) {
        if (section == selected_)
            selected_ = root_;
        if (section == touched_)
            touched_ = nullptr;
    }
    delete section;
    changed_ = true;
}

void IniReader::AddLine(QTreeWidgetItem* parent, bool comment) {
    auto* item = new IniItem(comment ? Kind::Comment : Kind::Value, line_);
    changed_ = true;
    if (parent == root_) {
        rootAdded_.append(item);
    } else if (parent == current_) {
        currentLines_.append(item);
    } else {
        parent->addChild(item);
        touched_ = parent;
    }
}

void IniReader::EndSection() {
    if (!current_)
        return;
    Sort(&currentLines_);
    current_->addChildren(currentLines_);
    currentLines_.clear();
}

void IniReader::Finish() {
    EndSection();
    if (!rootAdded_.isEmpty()) {
        const bool hadChildren = root_->childCount() > 0;
        if (!hadChildren)
            Sort(&rootAdded_);
        root_->addChildren(rootAdded_);
        if (hadChildren)
            root_->sortChildren(0, Qt::AscendingOrder);
    }
    if (touched_)
        touched_->sortChildren(0, Qt::AscendingOrder);
    rootAdded_.clear();
    sections_.clear();
}
