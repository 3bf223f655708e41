#include "ShellTools.h"

#include "Dialogs.h"
#include "Global.h"
#include "StringResources.h"
#include "WinPaths.h"
#include "mdform_QLEditor.h"

#include <QMdiArea>
#include <QPointer>

namespace {
struct SystemFile {
    bool inWindows;
    const char* name;
    int kind;
};

// In the order they open: folder (Windows or drive C:), name, open kind (1 INI, 3 text).
constexpr SystemFile kSystemFiles[] = {{true, "WIN.INI", 1},
                                       {true, "SYSTEM.INI", 1},
                                       {true, "PROTOCOL.INI", 1},
                                       {false, "AUTOEXEC.BAT", 3},
                                       {false, "CONFIG.SYS", 3}};
} // namespace

void ShellTools::SystemFiles() {
    CloseChangedDocuments();
    Opener& opener = g_.main->DocumentOpener();
    for (const SystemFile& file : kSystemFiles) {
        const QString folder = file.inWindows ? g_.windowsDirectory : WinPaths::DriveC();
        const QString path = WinPaths::FindNoCase(folder, QString::fromLatin1(file.name));
        if (path.isEmpty())
            continue;
        opener.PresetOpen(path, file.kind);
        opener.OpenFileDialog();
    }
    g_.main->CascadeWindows();
}

void ShellTools::CloseChangedDocuments() {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        for (DocType type : Global::kWalkOrder) {
            const DocumentSlot& entry = g_.Slot(type, slot);
            QPointer<DocumentWindow> window = entry.window;
            if (!window || window->Tag.isEmpty() || !entry.changed)
                continue;
            g_.main->MDIArea()->setActiveSubWindow(window);
            window->Activate();
            // A document the user kept stays open; one that may go is closed.
            if (window->ExitForm() && window)
                window->close();
        }
    }
}

void ShellTools::GatherVariables() {
    g_.resources.GatherVars();
    if (!g_.settings.supressResults)
        qlx::MsgBox(StringResources::Text(StringResources::kVariablesGathered), qlx::vbOKOnly,
                    QStringLiteral("Environmental Variable Gathering Complete"));
}

void ShellTools::About() {
    g_.resources.HelpAbout(
        QStringLiteral("%1.%2.%3").arg(QLX_VERSION_MAJOR).arg(QLX_VERSION_MINOR).arg(QLX_VERSION_PATCH));
}
