#include "FilterEditor.h"

#include "Dialogs.h"
#include "Resources.h"
#include "StringResources.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
// The characters Windows refuses in a file name, in the order the message lists them.
const QString kForbidden = QStringLiteral("/\\:*?<>|\"");
constexpr int kLongestExtension = 4;
} // namespace

FilterEditor::FilterEditor(const Resources& resources, QLineEdit* box, QListWidget* list, QPushButton* add,
                           QPushButton* remove)
    : resources_(resources), box_(box), list_(list), remove_(remove) {
    remove_->setEnabled(false);
    QObject::connect(add, &QPushButton::clicked, list_, [this] { Add(); });
    QObject::connect(remove_, &QPushButton::clicked, list_, [this] { Remove(); });
    QObject::connect(list_, &QListWidget::itemClicked, remove_, [this] { remove_->setEnabled(true); });
}

QStringList FilterEditor::Extensions(const QString& filter) {
    QStringList extensions;
    const QStringList parts = filter.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString extension = parts.at(i).mid(2);
        // The last pattern is cut down to the longest extension a list may hold.
        while (i == parts.size() - 1 && extension.size() > kLongestExtension)
            extension = extension.mid(2);
        if (!extension.isEmpty())
            extensions.append(extension);
    }
    return extensions;
}

void FilterEditor::Fill(const QString& filter) {
    for (const QString& extension : Extensions(filter))
        AddUnlessListed(extension);
}

QString FilterEditor::Filter() const {
    QStringList patterns;
    for (int row = 0; row < list_->count(); ++row)
        patterns.append(QStringLiteral("*.") + list_->item(row)->text());
    return patterns.join(QLatin1Char(';'));
}

QString FilterEditor::Refusal(const QString& extension) const {
    const auto text = [this](int id) { return resources_.ReconstructString(StringResources::Text(id)); };
    if (extension.isEmpty())
        return text(StringResources::kExtensionEmpty);
    if (extension.size() > kLongestExtension)
        return text(StringResources::kExtensionTooLong) + extension +
               text(StringResources::kExtensionNotAcceptable);
    for (const QChar c : extension) {
        if (kForbidden.contains(c))
            return text(StringResources::kExtensionIllegal) + kForbidden +
                   QStringLiteral("\r\rPlease Try Again.");
    }
    return QString();
}

void FilterEditor::Add() {
    const QString extension = box_->text();
    const QString refusal = Refusal(extension);
    if (!refusal.isEmpty())
        qlx::MsgBox(refusal, qlx::vbOKCancel + qlx::vbInformation, QStringLiteral("Error:"));
    else
        AddUnlessListed(extension.toUpper());
    box_->clear();
}

void FilterEditor::AddUnlessListed(const QString& extension) {
    // Extensions name files, which Windows matches without regard to case.
    if (list_->findItems(extension, Qt::MatchFixedString).isEmpty())
        list_->addItem(extension);
}

void FilterEditor::Remove() {
    qDeleteAll(list_->selectedItems());
    remove_->setEnabled(false);
}
