// A loaded main window with fake editors for every document type, in its own temporary folders.
#pragma once

#include "FakeDocument.h"
#include "Global.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "mdform_QLEditor.h"

#include <QFile>
#include <QMdiArea>
#include <memory>

struct ShellFixture {
    explicit ShellFixture(const std::function<void(Global&)>& before = {}) {
        if (before)
            before(global);
        for (DocType type : Global::kWalkOrder) {
            main.DocumentOpener().RegisterEditor(type, [type](Global& g) { return new FakeDocument(g, type); });
        }
        main.Load();
    }

    FakeDocument* Doc(DocType type, int slot) { return static_cast<FakeDocument*>(global.Slot(type, slot).window.data()); }

    // A file in the test's folder with some content.
    QString File(const QString& name) {
        const QString path = env.path(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("x\r\n");
        return path;
    }

    TestEnvironment env;
    ScriptedResponder responder;
    Global global{env.path("app"), QString()};
    mdform_QLEditor main{global};
};
