// The Find dialog of the tree windows (INI and registry): the text, where to look (one check box
// for each part of the document the window offers) and how to match. Find Next accepts; Cancel or
// Escape rejects.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

class form_TreeFind : public QDialog {
    Q_OBJECT
public:
    // A part of the document to look in: the box's object name, caption and state.
    struct Part {
        const char* name;
        QString caption;
        bool checked;
    };

    form_TreeFind(const QString& text, const QList<Part>& parts, bool matchCase, bool wholeString,
                  QWidget* parent = nullptr);

    QString Text() const;
    // The state of the part's box.
    bool Checked(const char* name) const;
    bool MatchCase() const;
    bool WholeString() const;

private:
    QLineEdit* txt_Find;
    QList<QCheckBox*> parts_;
    QCheckBox* cb_MatchCase;
    QCheckBox* cb_WholeString;
    QPushButton* cmd_FindNext;
    QPushButton* cmd_Cancel;
};
