// One "Define Filter" group of the options dialog: the extension box, the list of current
// associations and its "Add New" and "Remove" buttons. The TXT and the RTF group work alike.
#pragma once

#include <QString>
#include <QStringList>

class QLineEdit;
class QListWidget;
class QPushButton;
class Resources;

class FilterEditor {
public:
    FilterEditor(const Resources& resources, QLineEdit* box, QListWidget* list, QPushButton* add,
                 QPushButton* remove);

    // The bare extensions of a filter text such as "*.TXT;*.INF", in its order.
    static QStringList Extensions(const QString& filter);

    // Adds the extensions of a filter text that the list does not hold yet.
    void Fill(const QString& filter);
    // The list as a filter text: "*." and each item, joined by ";".
    QString Filter() const;

    // Adds the typed extension in upper case, or says why it cannot be one.
    void Add();
    void Remove();

private:
    // The refusal message for a typed extension; the empty text when it is acceptable.
    QString Refusal(const QString& extension) const;
    void AddUnlessListed(const QString& extension);

    const Resources& resources_;
    QLineEdit* box_;
    QListWidget* list_;
    QPushButton* remove_;
};
