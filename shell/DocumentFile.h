// What the user is told and asked around a document's file: copies of old contents that saves
// which did not finish left behind, a text that its file's encoding cannot hold, and a file that
// could not be read or written. The file layer reports; this asks and tells.
#pragma once

#include "FileError.h"
#include "LineSource.h"
#include "TextFormat.h"

#include <QString>

class DocumentFile {
public:
    // The whole save as the user sees it. Left copies of the file's old content are mentioned
    // first. When the text does not fit the format's encoding, asks "Save as Unicode" (Yes turns
    // *format into UTF-8, No cancels) and the file stays as it was until the answer; a failed
    // write is reported in the "QLX Save Error" message. True when the file was written.
    static bool Save(const QString& path, const QString& text, TextFormat* format);
    // The same for a text handed over line by line; the lines may be asked for more than once.
    static bool Save(const QString& path, const LineSource& lines, TextFormat* format);

    // The "QLX Backup Copy" message, shown when saves in place that did not finish left copies of
    // old contents: of any file, or of the file at path. A copy is kept until the user deletes it.
    static void MentionLeftCopies(const QString& path = QString());

    // The "QLX Open Error: N" message for a file that could not be read.
    static void ShowOpenError(const QString& path, const FileError& error);

    // While one is alive, Save neither asks nor tells: a text that its encoding cannot hold, or a
    // failed write, only makes it return false. For the drafts written behind the user's back.
    class Quiet {
    public:
        Quiet();
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
    };

private:
    static bool IsQuiet();
};
