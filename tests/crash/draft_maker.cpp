// Opens documents in the program's real editors, changes each, and waits to be killed once their
// drafts are written. Usage: draft_maker <file>... Prints "ready" when every draft is there.
#include "DocumentDraft.h"
#include "Global.h"
#include "Opener.h"
#include "Startup.h"
#include "mdform_QLEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QThread>

#include <iostream>

namespace {
// A change each editor takes without asking anything.
void Change(DocumentWindow& window) {
    if (window.Type() == DocType::REG) {
        window.Altered(true);
        return;
    }
    QApplication::clipboard()->setText(window.Type() == DocType::INI ? QStringLiteral("[pasted]\r\nk=v\r\n")
                                                                     : QStringLiteral("pasted "));
    window.EditPaste();
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList files = QApplication::arguments().mid(1);
    Global g{QDir::tempPath(), QString()};
    mdform_QLEditor main{g};
    Startup::RegisterEditors(main.DocumentOpener());
    main.Load();
    for (const QString& file : files) {
        const DocType type = Opener::TypeOfName(file, g.settings.txtFileFilter);
        main.DocumentOpener().PresetOpen(file, type);
        main.DocumentOpener().OpenFileDialog();
        Change(*g.Slot(type, g.CurrentSlot(type)).window);
    }
    QStringList unreadable;
    while (DocumentDraft::Found(&unreadable).size() < files.size()) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    std::cout << "ready" << std::endl;
    return app.exec();
}
