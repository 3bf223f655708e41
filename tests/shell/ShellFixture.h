// A loaded main window with fake editors for every document type, in its own temporary folders.
#pragma once

#include "FakeDocument.h"
#include "MainWindowFixture.h"

#include <QFile>
#include <QMdiArea>
#include <memory>

struct ShellFixture : MainWindowFixture {
    explicit ShellFixture(const std::function<void(Global&)>& before = {})
        : MainWindowFixture([&before](MainWindowFixture& f) {
              if (before)
                  before(f.g);
              for (DocType type : Global::kWalkOrder) {
                  f.opener().RegisterEditor(type, [type](Global& g, DocumentHost& host) {
                      return new FakeDocument(g, host, type);
                  });
              }
          }) {}

    FakeDocument* Doc(DocType type, int slot) { return static_cast<FakeDocument*>(g.Slot(type, slot).window.data()); }

    // A file in the test's folder with some content.
    QString File(const QString& name) {
        const QString path = env.path(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("x\r\n");
        return path;
    }
};
