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
#include <memory>

struct MainWindowFixture {
    using Before = std::function<void(MainWindowFixture&)>;

    // before runs ahead of the window's loading, to preset what it reads or to give other editors;
    // without a program folder the program's own files are not found.
    explicit MainWindowFixture(const Before& before = {}, bool programFolder = true)
        : MainWindowFixture(nullptr, before, programFolder) {}
    // In the folders of an environment that outlives the window, so that a test can start the
    // program again over the same store.
    explicit MainWindowFixture(TestEnvironment& shared, const Before& before = {})
        : MainWindowFixture(&shared, before, true) {}

    Opener& opener() { return main.DocumentOpener(); }

private:
    std::unique_ptr<TestEnvironment> own_;

    MainWindowFixture(TestEnvironment* shared, const Before& before, bool programFolder)
        : own_(shared ? nullptr : std::make_unique<TestEnvironment>()), env(shared ? *shared : *own_) {
        if (programFolder)
            QDir().mkpath(env.path("app"));
        Startup::RegisterEditors(main.DocumentOpener());
        if (before)
            before(*this);
        main.Load();
    }

public:
    TestEnvironment& env;
    ScriptedResponder r;
    Global g{env.path("app"), QString()};
    mdform_QLEditor main{g};
};
