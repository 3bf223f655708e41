// The values of a registry document: one record per value, in the order they were read or added,
// addressed by position. Each record is filed under the node that owns it, so that a key's values
// are found without a pass over the whole table.
#pragma once

#include <QString>

#include <vector>

class RegValueTable {
public:
    // The type names the list shows. A value in one of the numbered hex forms of the file, such as
    // hex(2) or hex(7), shows as "HEX(2)", "HEX(7)"; a deletion entry ("name"=-) as "DELETE".
    static QString RegSz() { return QStringLiteral("REG_SZ"); }
    static QString Dword() { return QStringLiteral("DWORD"); }
    static QString Hex() { return QStringLiteral("HEX"); }
    static QString Deletion() { return QStringLiteral("DELETE"); }
    static QString NumberedHex(QStringView number);
    // "HEX" and every "HEX(n)": edited as a byte list.
    static bool IsBinary(const QString& type);

    // The name that stands for the unnamed default value.
    static QString DefaultName() { return QStringLiteral("[default]"); }

    struct Record {
        // The number of the owning node (RegNodes::Id).
        int owner = -1;
        // Empty once the value is deleted.
        QString type;
        QString name;
        QString data;
        // A "REG_SZ" read from data that is no quoted string: written back without quotes, as read.
        bool unquoted = false;
    };

    // The position of the new record.
    qsizetype Append(int owner, QString type, QString name, QString data, bool unquoted = false);
    const Record& At(qsizetype index) const { return entries_[size_t(index)].record; }
    qsizetype Size() const { return qsizetype(entries_.size()); }
    // The data as the user gave it: a string is quoted from then on.
    void Change(qsizetype index, QString name, QString data);
    // Empties the record: it is no value any more, and is neither listed nor written.
    void Delete(qsizetype index);
    // Gives the record back the content it had (undo and redo); it stays filed under its owner.
    void Restore(qsizetype index, const Record& record);
    void Clear();
    // Room for that many records at once: a table that doubles as it grows holds its records twice
    // over for a moment. Room never filled is never touched, and so costs no memory.
    void Reserve(qsizetype records) { entries_.reserve(size_t(records)); }

    // The positions of the owner's values, in table order.
    std::vector<qsizetype> Of(int owner) const;
    // True when the owner has a value of that name (exact comparison).
    bool Contains(int owner, const QString& name) const;

private:
    struct Entry {
        Record record;
        qsizetype next = -1;
    };
    struct Chain {
        qsizetype first = -1;
        qsizetype last = -1;
    };

    std::vector<Entry> entries_;
    // Indexed by owner number.
    std::vector<Chain> chains_;
};
