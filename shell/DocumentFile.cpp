#include "DocumentFile.h"

#include "BackupCopy.h"
#include "Dialogs.h"
#include "TextFile.h"

namespace {
int quietDepth = 0;

// The system's style of a failed file request; its lines are parted by CR alone.
QString FileErrorText(const QString& request, const QString& path, const QString& description,
                      const QString& outcome) {
    const QString cr = QStringLiteral("\r");
    return QStringLiteral("The request to ") + request + QStringLiteral(":") + cr + path + cr +
           QStringLiteral("has generated an error:") + cr + cr + description + cr + cr + outcome;
}

bool AskSaveAsUnicode() {
    return qlx::MsgBox(QStringLiteral("This document contains characters that its file encoding cannot hold.  "
                                      "Save it as UTF-8 instead?"),
                       qlx::vbYesNo + qlx::vbQuestion, QStringLiteral("Save as Unicode")) == qlx::vbYes;
}
} // namespace

bool DocumentFile::Save(const QString& path, const QString& text, TextFormat* format) {
    return Save(
        path, [&text](const LineSink& sink) { return TextFile::EachLine(text, sink); }, format);
}

bool DocumentFile::Save(const QString& path, const LineSource& lines, TextFormat* format) {
    if (IsQuiet())
        return !TextFile::WriteLines(path, lines, *format, true);
    MentionLeftCopies(path);
    // The file's encoding nearly always holds the text, so it is written at once and checked on
    // the way rather than scanned beforehand.
    bool unencodable = false;
    auto error = TextFile::WriteLines(path, lines, *format, true, &unencodable);
    if (unencodable) {
        if (!AskSaveAsUnicode())
            return false;
        format->encoding = TextFormat::Encoding::Utf8;
        format->bom = false;
        // Only half of a surrogate pair does not fit UTF-8; it is replaced.
        error = TextFile::WriteLines(path, lines, *format, false);
    }
    if (!error)
        return true;
    qlx::MsgBox(FileErrorText(QStringLiteral("save"), path, error->description,
                              QStringLiteral("The file on disk has not been changed.")),
                qlx::vbOKOnly + qlx::vbCritical, QStringLiteral("QLX Save Error"));
    return false;
}

void DocumentFile::MentionLeftCopies(const QString& path) {
    QStringList lines;
    for (const LeftCopy& left : BackupCopy::Left(path))
        lines << QStringLiteral("A save of %1 that did not finish left its old contents in %2.")
                     .arg(left.document, left.copy);
    if (lines.isEmpty())
        return;
    qlx::MsgBox(lines.join(QStringLiteral("\r")) + QStringLiteral("\r\rA copy is kept until it is deleted."),
                qlx::vbOKOnly + qlx::vbExclamation, QStringLiteral("QLX Backup Copy"));
}

void DocumentFile::ShowOpenError(const QString& path, const FileError& error) {
    qlx::MsgBox(FileErrorText(QStringLiteral("open"), path, error.description,
                              QStringLiteral("The action has been canceled.")),
                qlx::vbOKOnly + qlx::vbCritical, QStringLiteral("QLX Open Error: ") + QString::number(error.number));
}

DocumentFile::Quiet::Quiet() {
    ++quietDepth;
}

DocumentFile::Quiet::~Quiet() {
    --quietDepth;
}

bool DocumentFile::IsQuiet() {
    return quietDepth > 0;
}
