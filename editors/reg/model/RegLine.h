// The grammar of one line of a registry file: what kind of line it is, and how a value line splits
// into name, type and data. Escapes stay as they stand in the file, both ways; only what the user
// types and sees goes through Escaped and Unescaped.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

class RegLine {
public:
    enum class Kind { Key, Value, Other };

    // "[" starts a key line, "@" or a double quote a value line; anything else (blank lines,
    // comments, the header, indented lines) is no line of the document.
    static Kind KindOf(QStringView line);

    struct Value {
        QString name;
        QString type;
        QString data;
        // Data that is no quoted string nor any other form of the file (DWORD:1, "abc without its
        // closing quote): shown as a string, written back as it stands, so that it keeps meaning
        // nothing to an importer.
        bool unquoted = false;
    };

    // nullopt for a value line that cannot be cut: a name without its closing quote, or no "="
    // after it.
    static std::optional<Value> ParseValue(QStringView line);
    // A byte list that goes on in the next line: it ends in "\".
    static bool Continues(const Value& value);

    // Without the spaces at either end (other white space stays).
    static QString TrimSpaces(QStringView text);

    // A name or string as the user types it, made fit to stand between quotes: "\" as "\\" and a
    // quote as "\"". Unescaped undoes these two and leaves any other backslash as it is.
    static QString Escaped(QStringView text);
    static QString Unescaped(QStringView text);
};
