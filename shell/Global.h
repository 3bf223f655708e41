// The process-wide state of the program: created once by the entry and handed to every part that
// needs it, so that nothing lives in scattered globals and every test starts clean.
#pragma once

#include "RegistryFunctions.h"
#include "Resources.h"
#include "Settings.h"

#include <QString>

class Global {
public:
    // applicationPath: the program's own folder; commandLine: the file names it was started with.
    Global(QString applicationPath, QString commandLine);

    RegistryFunctions registry;
    Resources resources;
    Settings settings{registry};

    const QString applicationPath;
    const QString commandLine;

    // Set while the exit sequence runs: document windows then skip their own close logic.
    bool exiting = false;
};
