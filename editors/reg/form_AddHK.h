// The hive chooser: one check box per hive. Add keeps the checks; Cancel clears them all.
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

class form_AddHK : public QDialog {
    Q_OBJECT
public:
    explicit form_AddHK(QWidget* parent = nullptr);

    // Captioned with the six hive names, in their order.
    QCheckBox* cb_HKC;
    QCheckBox* cb_HKCU;
    QCheckBox* cb_HKLM;
    QCheckBox* cb_HKU;
    QCheckBox* cb_HKCC;
    QCheckBox* cb_HKDD;
    QPushButton* cmd_OK;
    QPushButton* cmd_Cancel;

    // The box captioned with that hive name, nullptr for any other text.
    QCheckBox* Box(const QString& hive) const;

public slots:
    void reject() override;

private:
    // In the order of the hive names.
    QList<QCheckBox*> boxes_;
};
