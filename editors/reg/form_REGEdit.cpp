#include "form_REGEdit.h"

#include "RegLine.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>

namespace {
constexpr int kWidth = 5535;
// What the classic form's height counts beyond its inner area: caption and borders.
constexpr int kFrame = 405;
constexpr int kMargin = 120;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kValueTop = 900;
} // namespace

form_REGEdit::form_REGEdit(QWidget* parent)
    : QDialog(parent), lbl_Name(new QLabel(QStringLiteral("Value Name"), this)),
      txt_name(new QLineEdit(this)), lbl_Value(new QLabel(QStringLiteral("Value Data:"), this)),
      txt_value(new QTextEdit(this)), cmd_OK(new QPushButton(QStringLiteral("OK"), this)),
      cmd_Cancel(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("form_REGEdit"));
    setWindowTitle(QStringLiteral("Edit Binary Value"));
    setModal(true);
    lbl_Name->setObjectName(QStringLiteral("lbl_Name"));
    txt_name->setObjectName(QStringLiteral("txt_name"));
    lbl_Value->setObjectName(QStringLiteral("lbl_Value"));
    txt_value->setObjectName(QStringLiteral("txt_value"));
    txt_value->setAcceptRichText(false);
    txt_value->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_OK->setDefault(true);
    connect(cmd_OK, &QPushButton::clicked, this, &form_REGEdit::OK);
    connect(cmd_Cancel, &QPushButton::clicked, this, &form_REGEdit::reject);
    SetHeights(2325, 375, 1320);
}

void form_REGEdit::Place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(Twips::ToPixelsX(left, *this), Twips::ToPixelsY(top, *this),
                         Twips::ToPixelsX(width, *this), Twips::ToPixelsY(height, *this));
}

void form_REGEdit::SetHeights(int formHeight, int valueHeight, int buttonTop) {
    formHeight_ = formHeight;
    setFixedSize(Twips::ToPixelsX(kWidth, *this), Twips::ToPixelsY(formHeight - kFrame, *this));
    const int inner = kWidth - 2 * kMargin;
    Place(lbl_Name, kMargin, 60, inner, 240);
    Place(txt_name, kMargin, 300, inner, 315);
    Place(lbl_Value, kMargin, 660, inner, 240);
    Place(txt_value, kMargin, kValueTop, inner, valueHeight);
    Place(cmd_OK, kWidth - kMargin - 2 * kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight);
    Place(cmd_Cancel, kWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
}

void form_REGEdit::OK() {
    txt_name->setText(RegLine::TrimSpaces(txt_name->text()));
    // A value is one line of the file: a line break typed or pasted into the data would cut it.
    static const QRegularExpression kLineBreaks(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
    txt_value->setPlainText(RegLine::TrimSpaces(txt_value->toPlainText().remove(kLineBreaks)));
    accept();
}

void form_REGEdit::reject() {
    txt_name->setText(QStringLiteral("CANCEL"));
    QDialog::reject();
}
