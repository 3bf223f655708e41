#include "Startup.h"

#include "Global.h"
#include "InstanceLock.h"
#include "OS_SendMessage.h"
#include "TerminationWatcher.h"
#include "form_INI.h"
#include "form_REG.h"
#include "form_RTF.h"
#include "form_TXT.h"
#include "mdform_QLEditor.h"

#include "Dialogs.h"

#include <QApplication>
#include <QDebug>
#include <QDir>

QString Startup::CommandLine(const QStringList& arguments, const QString& workingFolder) {
    const QDir folder(workingFolder);
    QStringList names;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty())
            names << QDir::cleanPath(folder.absoluteFilePath(argument));
    }
    return names.join(QLatin1Char(' '));
}

void Startup::ReportNotHandedOver(const QString& commandLine) {
    const QString text = QStringLiteral("QLX is already running but could not be reached, so these files were "
                                        "not opened:\r\r") +
                         commandLine + QStringLiteral("\r\rPlease open them again in a moment.");
    qWarning().noquote() << QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    qlx::MsgBox(text, qlx::vbOKOnly + qlx::vbExclamation, QStringLiteral("Files Not Opened"));
}

void Startup::RegisterEditors(Opener& opener) {
    opener.RegisterEditor(DocType::INI, [](Global& g, DocumentHost& host) { return new form_INI(g, host); });
    opener.RegisterEditor(DocType::REG, [](Global& g, DocumentHost& host) { return new form_REG(g, host); });
    opener.RegisterEditor(DocType::TXT, [](Global& g, DocumentHost& host) { return new form_TXT(g, host); });
    opener.RegisterEditor(DocType::RTF, [](Global& g, DocumentHost& host) { return new form_RTF(g, host); });
}

int Startup::Run(const QStringList& arguments) {
    Global global(QCoreApplication::applicationDirPath(), CommandLine(arguments, QDir::currentPath()));
    InstanceLock lock;
    if (!lock.TryAcquire()) {
        if (!global.commandLine.isEmpty() &&
            !OS_SendMessage::SendCommandLine(
                [&global] { return global.settings.Read(QStringLiteral("WinRegistration")); },
                global.commandLine))
            ReportNotHandedOver(global.commandLine);
        return 0;
    }
    mdform_QLEditor window(global);
    RegisterEditors(window.DocumentOpener());
    qlx::SetDialogParent(&window);
    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &window, &mdform_QLEditor::Terminate);
    window.Load();
    const int code = QApplication::exec();
    qlx::SetDialogParent(nullptr);
    return code;
}
