// The pad of the rich-text window: a text edit whose clipboard and drag and drop carry Rich Text
// Format beside plain text, as other programs exchange formatted text, and which reports the key
// releases and mouse presses the window follows the selection's format by.
#pragma once

#include <QTextEdit>

class RtfPad : public QTextEdit {
    Q_OBJECT
public:
    explicit RtfPad(QWidget* parent = nullptr);

    // Puts the selection on the clipboard as rich and as plain text; an empty selection empties it.
    void CopySelection();
    // The text as plain text: line ends for paragraph and line breaks, no pictures.
    static QString PlainText(QString raw);

signals:
    void KeyReleased(const QKeyEvent& key);
    // After the pad has moved the caret.
    void MousePressed();

protected:
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    // Rich text when offered, else plain text.
    void insertFromMimeData(const QMimeData* source) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
