#include "Answers.h"

#include <QDialog>

Answers::Answers(int answer) : answer_(answer) {
    qlx::SetDialogResponder(this);
}

Answers::~Answers() {
    qlx::SetDialogResponder(nullptr);
}

int Answers::msgBox(const QString&, int, const QString&) {
    ++asked_;
    return answer_;
}

bool Answers::inputBox(const QString&, const QString&, const QString&, QString*) {
    return false;
}

bool Answers::commonDialog(CommonDialog&, qlx::CommonDialogKind) {
    return false;
}

int Answers::form(QDialog&) {
    return QDialog::Rejected;
}
