#include "form_RegFind.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QCheckBox* Box(const char* name, const QString& caption, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}
} // namespace

form_RegFind::form_RegFind(const RegFind::Options& options, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("form_RegFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);
    txt_Find = new QLineEdit(options.text, this);
    txt_Find->setObjectName(QStringLiteral("txt_Find"));
    txt_Find->selectAll();
    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(txt_Find);
    cb_Keys = Box("cb_Keys", QStringLiteral("&Keys"), options.keys, this);
    cb_Values = Box("cb_Values", QStringLiteral("&Values"), options.values, this);
    cb_Data = Box("cb_Data", QStringLiteral("&Data"), options.data, this);
    cb_MatchCase = Box("cb_MatchCase", QStringLiteral("Match &case"), options.matchCase, this);
    cb_WholeString = Box("cb_WholeString", QStringLiteral("Match &whole string only"), options.wholeString, this);
    cmd_FindNext = new QPushButton(QStringLiteral("&Find Next"), this);
    cmd_FindNext->setObjectName(QStringLiteral("cmd_FindNext"));
    cmd_FindNext->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txt_Find, 0, 1, 1, 2);
    layout->addWidget(cmd_FindNext, 0, 3);
    layout->addWidget(cb_Keys, 1, 1);
    layout->addWidget(cb_MatchCase, 1, 2);
    layout->addWidget(cmd_Cancel, 1, 3);
    layout->addWidget(cb_Values, 2, 1);
    layout->addWidget(cb_WholeString, 2, 2);
    layout->addWidget(cb_Data, 3, 1);
    connect(cmd_FindNext, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmd_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

RegFind::Options form_RegFind::Options() const {
    return {txt_Find->text(),          cb_Keys->isChecked(),      cb_Values->isChecked(), cb_Data->isChecked(),
            cb_MatchCase->isChecked(), cb_WholeString->isChecked()};
}
