// The rich-text document window: a toolbar of the common formats over one pad holding the
// formatted document. A file is read as Rich Text Format, or as plain text when it is none, and
// written as either by the save dialog's choice.
#pragma once

#include "DocumentWindow.h"
#include "LineSource.h"
#include "TextFormat.h"

#include <optional>

class QKeyEvent;
class QTextCharFormat;
class QToolBar;
class RtfPad;

class form_RTF : public DocumentWindow {
    Q_OBJECT
public:
    form_RTF(Global& global, DocumentHost& host);

    void New() override { NewRTF(); }
    OpenResult Open(const QString& path, const QString&) override { return OpenRTF(path); }
    void NewRTF();
    // Loads the file; on failure the window is left as it was.
    OpenResult OpenRTF(const QString& path);
    // The file's content as this untitled document, which stays untitled and unchanged.
    void LoadFileByName(const QString& name) override;

    // The selection, or the whole document when nothing is selected.
    void PrintDoc(QPrinter* printer) override;

    void EditCut() override;
    void EditCopy() override;
    // Rich text when the clipboard offers it, else its plain text.
    void EditPaste() override;
    // The clipboard's plain text, in the format of the caret.
    void EditPasteSpecialPlainText() override;
    void EditDelete() override;
    void EditSelectAll() override;
    void EditTimeDate() override;
    void EditWW() override;
    void SearchFind() override;
    void SearchReplace() override;
    void SearchAgain() override;
    // The font and colour dialogs; a cancelled dialog changes nothing.
    void FormatFont() override;
    void FormatColor() override;
    // Each turns its format on for the selection unless every character has it, then off.
    void FormatBold() override;
    void FormatItalic() override;
    void FormatUnderline() override;
    void FormatBulleted() override;

    // The check of the Edit menu's "Word Wrap", shared by every text window.
    bool WordWrap() const override;
    // Whether every paragraph of the selection is bulleted.
    bool Bulleted() const override;

    // A click on the toolbar button with the tag; an unknown tag does nothing.
    void Toolbar1_ButtonClick(const QString& tag);
    // Shows the selection's bold, italic, underline and bullets on the Format menu's checks and
    // the toolbar's buttons; a mixed selection shows as off.
    void ShowSelectionFormat();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The dialog's first entry is rich text, the second plain.
    bool AskSaveName(QString* path, QString* title) override;
    bool WriteFile(const QString& path) override;
    QString Place() const override;
    void GoTo(const QString& place) override;

private:
    QToolBar* BuildToolbar();
    QAction* AddButton(QToolBar* toolbar, const QString& tag, const QString& tip, bool checkable);
    // Shows the bytes as rich text, or as plain text when they are none.
    void Load(const QByteArray& bytes);
    void ApplyWordWrap();

    bool WriteRich(const QString& path) const;
    bool WritePlain(const QString& path);
    // The document as it goes to a plain-text file, line by line.
    bool Lines(const LineSink& sink) const;

    // Every change, and every key release, marks the document changed and shows its format.
    void ChangeHandling();
    void KeyReleased(const QKeyEvent& key);
    bool HandleKey(const QKeyEvent& key);
    void MergeFormat(const QTextCharFormat& format);
    // Grows (step > 0) or shrinks the selection's font size.
    void StepFontSize(int step);
    void SetBulleted(bool bulleted);

    QToolBar* Toolbar1;
    RtfPad* pad;
    // The buttons that show the selection's format.
    QAction* bold_;
    QAction* italic_;
    QAction* underline_;
    QAction* list_;
    // The size the size steps start from when the selection mixes sizes; 10 in a new window too,
    // where 0 would make "FU" shrink mixed text to 2 points.
    qint16 fallbackSize_ = 10;
    // The file at the slot's path is rich text; else plain text written as format_.
    bool rich_ = true;
    // The format chosen in the save dialog, for the write that follows it.
    std::optional<bool> chosenRich_;
    TextFormat format_;
    // Set while an Enter that started a paragraph awaits its release.
    bool paragraphStarted_ = false;
};
