// The value dialog: a value's name and data. The caller sets the caption and the layout for the
// value's type, shows it modally and reads the boxes back; a cancelled dialog says so in-band, with
// "CANCEL" as the name.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextEdit;

class form_REGEdit : public QDialog {
    Q_OBJECT
public:
    explicit form_REGEdit(QWidget* parent = nullptr);

    // The classic form's measures in twips: its height (caption and borders included), the
    // height of the value box and the top of the two buttons.
    void SetHeights(int formHeight, int valueHeight, int buttonTop);
    int FormHeight() const { return formHeight_; }

    QLabel* lbl_Name;
    QLineEdit* txt_name;
    QLabel* lbl_Value;
    QTextEdit* txt_value;
    QPushButton* cmd_OK;
    QPushButton* cmd_Cancel;

public slots:
    // Cancel, Escape and the close box: "CANCEL" as the name.
    void reject() override;

private:
    void OK();
    void Place(QWidget* control, int left, int top, int width, int height);

    int formHeight_ = 0;
};
