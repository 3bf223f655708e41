#include "IniReader.h"

namespace {
using Kind = IniNode::Kind;

// A lone "[" has no name between its brackets: it stays a key line, so it is written back as read.
bool IsHeader(const QString& line) {
    return line.size() > 1 && line.front() == QLatin1Char('[');
}

bool IsComment(const QString& line) {
    return line.startsWith(QLatin1Char(';'));
}
} // namespace

IniReader::IniReader(IniNode* root, KeyMaker newKey, ReplaceQuestion replace)
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
    replaced_.clear();
}

IniReader::Pasted IniReader::Paste(const QStringList& lines, IniNode* selected) {
    if (!selected)
        selected = root_;
    else if (IniNode::Is(selected, Kind::Comment))
        selected = selected->Parent();
    Start(lines, selected, false);
    Read();
    Finish();
    return {selected_, changed_, std::move(replaced_)};
}

void IniReader::Start(const QStringList& lines, IniNode* selected, bool file) {
    file_ = file;
    lines_ = lines;
    next_ = 0;
    selected_ = selected;
    current_ = nullptr;
    touched_ = nullptr;
    rootGrew_ = false;
    changed_ = false;
    replaced_.clear();
    sections_.clear();
    for (IniNode* child : root_->Children()) {
        if (IniNode::Is(child, Kind::Section))
            sections_[child->Text()].append(child);
    }
}

bool IniReader::NextLine() {
    if (AtEnd())
        return false;
    line_ = lines_.at(next_++);
    // Often enough for a bar, rarely enough to cost nothing.
    constexpr qsizetype kLinesPerReport = 4096;
    if (progress_ && next_ % kLinesPerReport == 0)
        progress_(next_);
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
        const Kind selected = IniNode::KindOf(selected_);
        if (IsHeader(line_) && (selected == Kind::File || selected == Kind::Section)) {
            if (!CreateSection() || !NextLine())
                return;
            topLevel = false;
            continue;
        }
        if (selected == Kind::Value) {
            selected_ = selected_->Parent();
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
    QList<IniNode*>& same = sections_[name];
    if (!same.isEmpty()) {
        if (replace_()) {
            for (IniNode* section : same)
                RemoveSection(section);
            same.clear();
        } else if (!file_) {
            return false;
        }
    }
    current_ = new IniNode(Kind::Section, name, newKey_());
    root_->Add(current_);
    rootGrew_ = true;
    same.append(current_);
    changed_ = true;
    return true;
}

void IniReader::RemoveSection(IniNode* section) {
    if (section == selected_)
        selected_ = root_;
    if (section == touched_)
        touched_ = nullptr;
    replaced_.push_back(root_->Take(section));
    changed_ = true;
}

void IniReader::AddLine(IniNode* parent, bool comment) {
    parent->Add(new IniNode(comment ? Kind::Comment : Kind::Value, line_));
    changed_ = true;
    if (parent == root_)
        rootGrew_ = true;
    else if (parent != current_)
        touched_ = parent;
}

void IniReader::EndSection() {
    if (current_)
        current_->SortChildren();
}

void IniReader::Finish() {
    EndSection();
    if (rootGrew_)
        root_->SortChildren();
    if (touched_)
        touched_->SortChildren();
    sections_.clear();
}
