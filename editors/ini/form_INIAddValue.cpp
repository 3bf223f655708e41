#include "form_INIAddValue.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

form_INIAddValue::form_INIAddValue(QWidget* parent)
    : QDialog(parent), txt_AddKey(new QLineEdit(this)), txt_AddValue(new QLineEdit(this)) {
    setObjectName(QStringLiteral("form_INIAddValue"));
    setWindowTitle(QStringLiteral("Add Key / Value to all Sections"));
    txt_AddKey->setObjectName(QStringLiteral("txt_AddKey"));
    txt_AddValue->setObjectName(QStringLiteral("txt_AddValue"));

    auto* add = new QPushButton(QStringLiteral("Add"), this);
    add->setObjectName(QStringLiteral("cmd_Add"));
    add->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cancel->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &form_INIAddValue::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Enter the name of the Key you wish to add to all Sections:"), this));
    column->addWidget(txt_AddKey);
    column->addWidget(
        new QLabel(QStringLiteral("You may optionally enter a value to be added to the new section."), this));
    column->addWidget(txt_AddValue);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    setFixedSize(440, 180);
}

QString form_INIAddValue::Key() const {
    return txt_AddKey->text();
}

QString form_INIAddValue::Value() const {
    return txt_AddValue->text();
}

void form_INIAddValue::reject() {
    txt_AddKey->clear();
    QDialog::reject();
}
