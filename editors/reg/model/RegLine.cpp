#include "RegLine.h"

#include "RegValueTable.h"

namespace {

qsizetype SkipBlanks(QStringView line, qsizetype from) {
    while (from < line.size() && (line[from] == u' ' || line[from] == u'\t'))
        ++from;
    return from;
}

// The quote that closes a name or string opened at position 0; a backslash hides the character
// after it.
qsizetype ClosingQuote(QStringView line) {
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (line[i] == u'\\')
            ++i;
        else if (line[i] == u'"')
            return i;
    }
    return -1;
}

// The type and data of what follows "name"=; false when a quoted string has no room for its quotes.
bool TypeAndData(QStringView rest, RegLine::Value* value) {
    const auto take = [&](QString type, qsizetype skip) {
        value->type = std::move(type);
        value->data = rest.mid(skip).toString();
        return true;
    };
    if (rest.startsWith(u"dword:"))
        return take(RegValueTable::Dword(), 6);
    if (rest.startsWith(u"hex:"))
        return take(RegValueTable::Hex(), 4);
    if (rest.startsWith(u"hex(")) {
        const qsizetype close = rest.indexOf(u')');
        if (close > 4 && rest.mid(close + 1).startsWith(u':'))
            return take(RegValueTable::NumberedHex(rest.mid(4, close - 4)), close + 2);
    }
    if (rest == u"-")
        return take(RegValueTable::Deletion(), 1);
    value->type = RegValueTable::RegSz();
    if (rest == u"\"")
        return false;
    // Blanks may follow the closing quote; anything else makes the line one that importers reject.
    const qsizetype close = rest.startsWith(u'"') ? ClosingQuote(rest) : -1;
    value->unquoted = close < 0 || SkipBlanks(rest, close + 1) < rest.size();
    value->data = value->unquoted ? rest.toString() : rest.mid(1, close - 1).toString();
    return true;
}

} // namespace

RegLine::Kind RegLine::KindOf(QStringView line) {
    if (line.startsWith(u'['))
        return Kind::Key;
    if (line.startsWith(u'@') || line.startsWith(u'"'))
        return Kind::Value;
    return Kind::Other;
}

std::optional<RegLine::Value> RegLine::ParseValue(QStringView line) {
    Value value;
    qsizetype equals = 1;
    if (line.startsWith(u'@')) {
        value.name = RegValueTable::DefaultName();
    } else {
        const qsizetype close = ClosingQuote(line);
        if (close < 0)
            return std::nullopt;
        value.name = line.mid(1, close - 1).toString();
        equals = close + 1;
    }
    equals = SkipBlanks(line, equals);
    if (equals >= line.size() || line[equals] != u'=')
        return std::nullopt;
    if (!TypeAndData(line.mid(SkipBlanks(line, equals + 1)), &value))
        return std::nullopt;
    return value;
}

bool RegLine::Continues(const Value& value) {
    return RegValueTable::IsBinary(value.type) && value.data.endsWith(u'\\');
}

QString RegLine::TrimSpaces(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first).toString();
}

QString RegLine::Escaped(QStringView text) {
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QString RegLine::Unescaped(QStringView text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"'))
            ++i;
        plain += text[i];
    }
    return plain;
}
