// The dialog for a key to add to every section. An empty key box after it closes means cancel.
#pragma once

#include <QDialog>

class QLineEdit;

class form_INIAddValue : public QDialog {
    Q_OBJECT
public:
    explicit form_INIAddValue(QWidget* parent);

    QString Key() const;
    QString Value() const;

    // Cancel, Escape and closing the dialog empty the key box.
    void reject() override;

private:
    QLineEdit* txt_AddKey;
    QLineEdit* txt_AddValue;
};
