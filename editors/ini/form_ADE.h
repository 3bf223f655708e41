// The dialog for one key line: a key and a value. Its result travels in the key box: "CANCEL"
// after Cancel (or closing the dialog), "DELETE" after Delete Value, otherwise the key typed.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class form_ADE : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCancel = QStringLiteral("CANCEL");
    static inline const QString kDelete = QStringLiteral("DELETE");

    explicit form_ADE(QWidget* parent);

    // The key and value boxes, filled before showing and read after.
    QString Key() const;
    QString Value() const;
    void SetEntry(const QString& key, const QString& value);
    // Adding a line offers no Delete Value.
    void HideDelete();

    void reject() override;

private:
    // Enter in either box acts on the key box: empty cancels, anything else updates.
    void EnterPressed();
    void Finish(const QString& key);

    QLineEdit* txt_Key;
    QLineEdit* txt_Value;
    QPushButton* cmd_Delete;
};
