#include "ShellTools.h"

#include "Dialogs.h"
#include "DocumentWindow.h"
#include "Global.h"
#include "Opener.h"
#include "StringResources.h"
#include "WinPaths.h"
#include "WindowArranger.h"

#include <QMdiArea>
#include <QPointer>

namespace {
struct SystemFile {
    bool inWindows;
    const char* name;
    DocType type;
};

// In the order they open: folder (Windows or drive C:), name, editor.
constexpr SystemFile kSystemFiles[] = {{true, "WIN.INI", DocType::INI},
                                       {true, "SYSTEM.INI", DocType::INI},
                                       {true, "PROTOCOL.INI", DocType::INI},
                                       {false, "AUTOEXEC.BAT", DocType::TXT},
                                       {false, "CONFIG.SYS", DocType::TXT}};
} // namespace

void ShellTools::SystemFiles() {
    CloseChangedDocuments();
    for (const SystemFile& file : kSystemFiles) {
        const QString folder = file.inWindows ? g_.windowsDirectory : WinPaths::DriveC();
        const QString path = WinPaths::FindNoCase(folder, QString::fromLatin1(file.name));
        if (path.isEmpty())
            continue;
        opener_.PresetOpen(path, file.type);
        opener_.OpenFileDialog();
    }
    WindowArranger::Arrange(area_, WindowArranger::Cascade);
}

void ShellTools::CloseChangedDocuments() {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        for (DocType type : Global::kWalkOrder) {
            const DocumentSlot& entry = g_.Slot(type, slot);
            QPointer<DocumentWindow> window = entry.window;
            if (!window || window->Tag.isEmpty() || !entry.changed)
                continue;
            area_.setActiveSubWindow(window);
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
