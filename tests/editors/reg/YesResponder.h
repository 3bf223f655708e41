// Answers Yes to every question, OK to every notice, cancels every form and saves to one file: for
// whole files whose prompts are not the point.
#pragma once

#include "CommonDialog.h"
#include "Dialogs.h"

class YesResponder : public qlx::DialogResponder {
public:
    explicit YesResponder(QString saveTo) : saveTo_(std::move(saveTo)) { qlx::SetDialogResponder(this); }
    ~YesResponder() override { qlx::SetDialogResponder(nullptr); }
    int msgBox(const QString&, int style, const QString&) override {
        const int buttons = qlx::MsgBoxButtons(style);
        return buttons == qlx::vbYesNo || buttons == qlx::vbYesNoCancel ? qlx::vbYes : qlx::vbOK;
    }
    bool inputBox(const QString&, const QString&, const QString&, QString*) override { return false; }
    bool commonDialog(CommonDialog& dialog, qlx::CommonDialogKind) override {
        dialog.ChooseSaveFile(saveTo_, 1);
        return true;
    }
    int form(QDialog&) override { return 0; }

private:
    QString saveTo_;
};
