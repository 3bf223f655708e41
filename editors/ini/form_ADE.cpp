#include "form_ADE.h"

#include "IniPictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QPushButton* Button(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter belongs to the boxes, never to a default button.
    button->setAutoDefault(false);
    return button;
}
} // namespace

form_ADE::form_ADE(QWidget* parent)
    : QDialog(parent), txt_Key(new QLineEdit(this)), txt_Value(new QLineEdit(this)),
      cmd_Delete(Button(QStringLiteral("cmd_Delete"), QStringLiteral("Delete Value"), this)) {
    setObjectName(QStringLiteral("form_ADE"));
    setWindowTitle(QStringLiteral("Key / Value"));
    txt_Key->setObjectName(QStringLiteral("txt_Key"));
    txt_Value->setObjectName(QStringLiteral("txt_Value"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(IniPictures::KeyLine().pixmap(32, 32));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    QPushButton* update = Button(QStringLiteral("cmd_Exit"), QStringLiteral("Update"), this);
    QPushButton* cancel = Button(QStringLiteral("cmd_Cancel"), QStringLiteral("Cancel"), this);
    connect(update, &QPushButton::clicked, this, [this] { Finish(Key()); });
    connect(cancel, &QPushButton::clicked, this, &form_ADE::reject);
    connect(cmd_Delete, &QPushButton::clicked, this, [this] { Finish(kDelete); });
    connect(txt_Key, &QLineEdit::returnPressed, this, &form_ADE::EnterPressed);
    connect(txt_Value, &QLineEdit::returnPressed, this, &form_ADE::EnterPressed);

    auto* grid = new QGridLayout(this);
    grid->addWidget(picture, 0, 0, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Key Name:"), this), 0, 1);
    grid->addWidget(txt_Key, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Key Value"), this), 2, 1);
    grid->addWidget(txt_Value, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {update, cancel, cmd_Delete})
        buttons->addWidget(button);
    grid->addLayout(buttons, 4, 0, 1, 2);
    setFixedSize(420, 180);
}

QString form_ADE::Key() const {
    return txt_Key->text();
}

QString form_ADE::Value() const {
    return txt_Value->text();
}

void form_ADE::SetEntry(const QString& key, const QString& value) {
    txt_Key->setText(key);
    txt_Value->setText(value);
}

void form_ADE::HideDelete() {
    cmd_Delete->hide();
}

void form_ADE::reject() {
    Finish(kCancel);
}

void form_ADE::EnterPressed() {
    if (Key().isEmpty())
        reject();
    else
        Finish(Key());
}

void form_ADE::Finish(const QString& key) {
    txt_Key->setText(key);
    done(Accepted);
}
