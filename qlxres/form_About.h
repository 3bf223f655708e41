// The about box: product, version, description and feedback address, with buttons that start the
// System Information tool and show the licence.
#pragma once

#include <QDialog>

class QLabel;

class form_About : public QDialog {
    Q_OBJECT
public:
    form_About();

    // Captions the box with the product name, shows "Version " and version, and brings it up.
    void ShowVersion(const QString& version);

private:
    void StartSysInfo();
    void ShowLicense();

    QLabel* lblTitle;
    QLabel* lblVersion;
};
