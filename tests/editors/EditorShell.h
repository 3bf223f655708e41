// A loaded main window in folders of its own that opens documents of one type in their real editor.
#pragma once

#include "Global.h"
#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "mdform_QLEditor.h"

#include <QAction>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

#include <functional>

// Printing is checked through the text of the PDF it makes.
#define QLX_REQUIRE_PDFTOTEXT()                                                                              \
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())                                               \
    QSKIP("pdftotext (poppler-utils) is not installed")

// FilterIndex is the type's entry in the open dialog's filter list; a window of a width above
// zero is given that size, for tests that look at its layout.
template <class Form, DocType Type, int FilterIndex, int Width = 0, int Height = 0> struct EditorShell {
    TestEnvironment env;
    // Every prompt fails the test unless a test scripts its answer.
    ScriptedResponder r;
    Global g{env.path("app"), QString()};
    mdform_QLEditor main{g};

    // before runs ahead of the main window's loading, to preset what it reads.
    explicit EditorShell(const std::function<void(EditorShell&)>& before = {}, bool programFolder = true) {
        if (programFolder)
            QDir().mkpath(env.path("app"));
        if (before)
            before(*this);
        main.Load();
    }

    Opener& opener() { return main.DocumentOpener(); }
    Form* New() { return Sized(opener().NewDocument(Type, -1)); }
    Form* Current() { return Sized(g.Slot(Type, g.CurrentSlot(Type)).window.data()); }
    Form* Open(const QString& path) {
        opener().PresetOpen(path, FilterIndex);
        opener().OpenFileDialog();
        return Current();
    }
    // A titled document whose file holds the bytes.
    Form* OpenBytes(const QString& name, const QByteArray& bytes) {
        WriteAll(env.path(name), bytes);
        return Open(env.path(name));
    }
    DocumentSlot& slot(Form* w) { return g.Slot(Type, w->Slot()); }
    bool Enabled(const char* menu) { return main.Menus().Action(menu)->isEnabled(); }
    bool Checked(const char* menu) { return main.Menus().Action(menu)->isChecked(); }

    // Where documents are printed to.
    QString PdfPath() const { return env.path("out.pdf"); }
    // The text of the printed PDF, as pdftotext gives it with these options.
    QString PdfText(const QStringList& options = {}) const {
        QProcess text;
        text.start(QStandardPaths::findExecutable("pdftotext"), options + QStringList{PdfPath(), "-"});
        return text.waitForFinished() ? QString::fromUtf8(text.readAllStandardOutput()) : QString();
    }
    // The text of the window's document (or its selection) printed to a PDF.
    QString Printed(Form* w) const {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(PdfPath());
        w->PrintDoc(&printer);
        return PdfText();
    }

private:
    Form* Sized(DocumentWindow* window) {
        auto* form = qobject_cast<Form*>(window);
        if (form && Width > 0)
            form->resize(Width, Height);
        return form;
    }
};
