#include "form_AddHK.h"

#include "RegNodes.h"
#include "Twips.h"

#include <QCheckBox>
#include <QPushButton>

namespace {
constexpr int kWidth = 4095;
constexpr int kMargin = 120;
constexpr int kRow = 330;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
} // namespace

form_AddHK::form_AddHK(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("form_AddHK"));
    setWindowTitle(QStringLiteral("Add Hive"));
    setModal(true);
    const QStringList names = {QStringLiteral("cb_HKC"),  QStringLiteral("cb_HKCU"),
                               QStringLiteral("cb_HKLM"), QStringLiteral("cb_HKU"),
                               QStringLiteral("cb_HKCC"), QStringLiteral("cb_HKDD")};
    QCheckBox** boxes[] = {&cb_HKC, &cb_HKCU, &cb_HKLM, &cb_HKU, &cb_HKCC, &cb_HKDD};
    const auto px = [this](int x, int y, int w, int h) {
        return QRect(Twips::ToPixelsX(x, *this), Twips::ToPixelsY(y, *this), Twips::ToPixelsX(w, *this),
                     Twips::ToPixelsY(h, *this));
    };
    for (int i = 0; i < 6; ++i) {
        QCheckBox* box = new QCheckBox(RegNodes::HiveNames().at(i), this);
        box->setObjectName(names.at(i));
        box->setGeometry(px(kMargin, kMargin + i * kRow, kWidth - 2 * kMargin, kRow));
        *boxes[i] = box;
        boxes_.append(box);
    }
    const int buttonTop = 2 * kMargin + 6 * kRow;
    cmd_OK = new QPushButton(QStringLiteral("Add"), this);
    cmd_OK->setObjectName(QStringLiteral("cmd_OK"));
    cmd_OK->setDefault(true);
    cmd_OK->setGeometry(px(kWidth - 2 * kMargin - 2 * kButtonWidth, buttonTop, kButtonWidth, kButtonHeight));
    cmd_Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmd_Cancel->setObjectName(QStringLiteral("cmd_Cancel"));
    cmd_Cancel->setGeometry(px(kWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight));
    setFixedSize(Twips::ToPixelsX(kWidth, *this),
                 Twips::ToPixelsY(buttonTop + kButtonHeight + kMargin, *this));
    connect(cmd_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmd_Cancel, &QPushButton::clicked, this, &form_AddHK::reject);
}

QCheckBox* form_AddHK::Box(const QString& hive) const {
    return boxes_.value(RegNodes::HiveNames().indexOf(hive));
}

void form_AddHK::reject() {
    for (QCheckBox* box : boxes_)
        box->setChecked(false);
    QDialog::reject();
}
