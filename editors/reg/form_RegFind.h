// The registry window's Find dialog: the text, where to look (key names, value names, value data)
// and how to match. Find Next accepts; Cancel or Escape rejects.
#pragma once

#include "RegFind.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class form_RegFind : public QDialog {
    Q_OBJECT
public:
    explicit form_RegFind(const RegFind::Options& options, QWidget* parent = nullptr);

    RegFind::Options Options() const;

    QLineEdit* txt_Find;
    QCheckBox* cb_Keys;
    QCheckBox* cb_Values;
    QCheckBox* cb_Data;
    QCheckBox* cb_MatchCase;
    QCheckBox* cb_WholeString;
    QPushButton* cmd_FindNext;
    QPushButton* cmd_Cancel;
};
