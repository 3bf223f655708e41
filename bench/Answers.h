// Stands in for the user while installed: answers every message box the same way and declines any
// other prompt, so that no prompt waits for a person and none goes unnoticed.
#pragma once

#include "Dialogs.h"

class Answers : public qlx::DialogResponder {
public:
    // answer: what every message box returns (qlx::vbYes, qlx::vbNo ...).
    explicit Answers(int answer);
    ~Answers() override;
    Answers(const Answers&) = delete;
    Answers& operator=(const Answers&) = delete;

    // The number of message boxes answered so far.
    int Asked() const { return asked_; }

    int msgBox(const QString& text, int style, const QString& title) override;
    bool inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                  QString* text) override;
    bool commonDialog(CommonDialog& dialog, qlx::CommonDialogKind kind) override;
    int form(QDialog& dialog) override;

private:
    int answer_;
    int asked_ = 0;
};
