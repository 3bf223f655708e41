// The plain-text document window: one pad holding the file's text, saved back in the encoding and
// line ends it was read with.
#pragma once

#include "DocumentWindow.h"
#include "LineSource.h"
#include "TextFormat.h"

class QKeyEvent;
class QPlainTextEdit;
class TextPieces;

class form_TXT : public DocumentWindow {
    Q_OBJECT
public:
    form_TXT(Global& global, DocumentHost& host);

    void New() override { NewTXT(); }
    OpenResult Open(const QString& path, const QString&) override { return OpenTXT(path); }
    void NewTXT();
    // Loads the file. When it cannot be read, or the user declines a line too long to show
    // quickly, the window is left as it was; a file that fails on the way leaves the pad empty.
    OpenResult OpenTXT(const QString& path);

    // The selection, or the whole text when nothing is selected.
    void PrintDoc(QPrinter* printer) override;

    void EditCut() override;
    void EditCopy() override;
    void EditPaste() override;
    void EditDelete() override;
    void EditSelectAll() override;
    void EditTimeDate() override;
    void EditWW() override;
    // ResizeForm stays the base's: the window lays the pad out itself, and the word wrap follows
    // the menu check.
    void SearchFind() override;
    void SearchReplace() override;
    void SearchAgain() override;

    // The check of the Edit menu's "Word Wrap", shared by every text window.
    bool WordWrap() const override;

    // The pad's text as it goes to the file: block breaks as "\n", every other character kept.
    QString Text() const;
    // The same text line by line: each block of the document is a line.
    bool Lines(const LineSink& sink) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool AskSaveName(QString* path, QString* title) override;
    bool WriteFile(const QString& path) override;
    QString Place() const override;
    void GoTo(const QString& place) override;

private:
    // Puts the file's text into the emptied pad a piece at a time, as setPlainText would put it
    // whole, and tells whether it holds characters the pad breaks lines at. False when the file
    // could not be read to its end.
    bool Load(TextPieces& file, bool* breaks);
    void ApplyFont();
    void ApplyWordWrap();
    bool HandleKey(const QKeyEvent& key);

    QPlainTextEdit* pad;
    // How the file was written; a new document is written as CR LF in code page 1252.
    TextFormat format_;
};
