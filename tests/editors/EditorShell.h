// A loaded main window in folders of its own that opens documents of one type in their real editor.
#pragma once

#include "MainWindowFixture.h"
#include "TestFiles.h"

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

// A window of a width above zero is given that size, for tests that look at its layout.
template <class Form, DocType Type, int Width = 0, int Height = 0> struct EditorShell : MainWindowFixture {
    // before runs ahead of the main window's loading, to preset what it reads.
    explicit EditorShell(const std::function<void(EditorShell&)>& before = {}, bool programFolder = true)
        : MainWindowFixture([this, &before](MainWindowFixture&) {
              if (before)
                  before(*this);
          },
                            programFolder) {}

    Form* New() { return Sized(opener().NewDocument(Type, -1)); }
    Form* Current() { return Sized(g.Slot(Type, g.CurrentSlot(Type)).window.data()); }
    Form* Open(const QString& path) {
        opener().PresetOpen(path, Type);
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
