#include "form_TreeFind.h"

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

form_TreeFind::form_TreeFind(const QString& text, const QList<Part>& parts, bool matchCase, bool wholeString,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("form_TreeFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);
    txt_Find = new QLineEdit(text, this);
    txt_Find->setObjectName(QStringLiteral("txt_Find"));
    txt_Find->selectAll();
    auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
    label->setBuddy(txt_Find);
    for (const Part& part : parts)
        parts_.append(Box(part.name, part.caption, part.checked, this));
    cb_MatchCase = Box("cb_MatchCase", QStringLiteral("Match &case"), matchCase, this);
    cb_WholeString = Box("cb_WholeString", QStringLiteral("Match &whole string only"), wholeString, this);
    cmd_FindNext = new QPushButton(QStringLiteral("&Find Next"), this);
    cmd_FindNext->setObjectName(QStringLiteral("cmd_FindNext"));
    cmd_FindNext->setDefault(true);
    cmd_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));

    // The parts in the first column, the ways of matching beside the first two.
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txt_Find, 0, 1, 1, 2);
    layout->addWidget(cmd_FindNext, 0, 3);
    for (int row = 0; row < parts_.size(); ++row)
        layout->addWidget(parts_[row], row + 1, 1);
    layout->addWidget(cb_MatchCase, 1, 2);
    layout->addWidget(cmd_Cancel, 1, 3);
    layout->addWidget(cb_WholeString, 2, 2);
    connect(cmd_FindNext, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmd_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString form_TreeFind::Text() const {
    return txt_Find->text();
}

bool form_TreeFind::Checked(const char* name) const {
    for (const QCheckBox* box : parts_) {
        if (box->objectName() == QLatin1String(name))
            return box->isChecked();
    }
    return false;
}

bool form_TreeFind::MatchCase() const {
    return cb_MatchCase->isChecked();
}

bool form_TreeFind::WholeString() const {
    return cb_WholeString->isChecked();
}
