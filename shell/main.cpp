#include "Startup.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QLX"));
    QApplication::setOrganizationName(QStringLiteral("Norvale"));
    QApplication::setDesktopFileName(QStringLiteral("org.norvale.QuillonEditor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillon-editor.svg")));
    return Startup::Run(QApplication::arguments().mid(1));
}
