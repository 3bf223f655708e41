#include "Startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QLX"));
    QApplication::setOrganizationName(QStringLiteral("Norvale"));
    return Startup::Run(QApplication::arguments().mid(1));
}
