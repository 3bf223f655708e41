// FuzzSupport's application, for the targets that read through the program's library.
#include "FuzzSupport.h"

#include <QApplication>

void FuzzSupport::StartApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
