// A main window in temporary folders of its own, with the program's editors unless a test gives
// others. Every prompt fails the test unless the test scripts its answer.
#pragma once

#include "Global.h"
#include "ScriptedResponder.h"
#include "Startup.h"
#include "TestEnvironment.h"
#include "mdform_QLEditor.h"

#include <QDir>

#include <functional>

struct MainWindowFixture {
    TestEnvironment env;
    ScriptedResponder r;
    Global g{env.path("app"), QString()};
    mdform_QLEditor main{g};

    // before runs ahead of the window's loading, to preset what it reads or to give other editors;
    // without a program folder the program's own files are not found.
    explicit MainWindowFixture(const std::function<void(MainWindowFixture&)>& before = {},
                               bool programFolder = true) {
        if (programFolder)
            QDir().mkpath(env.path("app"));
        Startup::RegisterEditors(main.DocumentOpener());
        if (before)
            before(*this);
        main.Load();
    }

    Opener& opener() { return main.DocumentOpener(); }
};
