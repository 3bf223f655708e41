// The licence viewer: the program's EULA.TXT, read-only, with a line inviting questions and
// suggestions.
#pragma once

#include <QDialog>

class form_Issue : public QDialog {
    Q_OBJECT
public:
    // Reads the licence at once; a missing or unreadable one is reported and leaves the pad empty.
    explicit form_Issue(QWidget* parent = nullptr);

private:
    static QString LicenseText();
};
