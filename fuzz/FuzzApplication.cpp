// The one application some readers need, apart from the checks: a target that reads without it
// links Qt Core alone.
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
