#include "RegValueTable.h"

QString RegValueTable::NumberedHex(QStringView number) {
    return QStringLiteral("HEX(") + number.toString() + QLatin1Char(')');
}

bool RegValueTable::IsBinary(const QString& type) {
    return type == Hex() || type.startsWith(QLatin1String("HEX("));
}

qsizetype RegValueTable::Append(int owner, QString type, QString name, QString data, bool unquoted) {
    const qsizetype index = Size();
    entries_.push_back({{owner, std::move(type), std::move(name), std::move(data), unquoted}, -1});
    if (size_t(owner) >= chains_.size())
        chains_.resize(size_t(owner) + 1);
    Chain& chain = chains_[size_t(owner)];
    if (chain.last >= 0)
        entries_[size_t(chain.last)].next = index;
    else
        chain.first = index;
    chain.last = index;
    return index;
}

void RegValueTable::Change(qsizetype index, QString name, QString data) {
    Record& record = entries_[size_t(index)].record;
    record.name = std::move(name);
    record.data = std::move(data);
    record.unquoted = false;
}

void RegValueTable::Delete(qsizetype index) {
    Record& record = entries_[size_t(index)].record;
    record.type.clear();
    record.name.clear();
    record.data.clear();
}

void RegValueTable::Restore(qsizetype index, const Record& record) {
    Record& kept = entries_[size_t(index)].record;
    kept.type = record.type;
    kept.name = record.name;
    kept.data = record.data;
    kept.unquoted = record.unquoted;
}

void RegValueTable::Clear() {
    entries_.clear();
    chains_.clear();
}

std::vector<qsizetype> RegValueTable::Of(int owner) const {
    std::vector<qsizetype> indexes;
    if (owner < 0 || size_t(owner) >= chains_.size())
        return indexes;
    for (qsizetype i = chains_[size_t(owner)].first; i >= 0; i = entries_[size_t(i)].next) {
        if (!entries_[size_t(i)].record.type.isEmpty())
            indexes.push_back(i);
    }
    return indexes;
}

bool RegValueTable::Contains(int owner, const QString& name) const {
    for (const qsizetype i : Of(owner)) {
        if (At(i).name == name)
            return true;
    }
    return false;
}
