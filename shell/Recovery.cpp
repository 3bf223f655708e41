#include "Recovery.h"

#include "Dialogs.h"
#include "DocumentDraft.h"
#include "DocumentWindow.h"
#include "Global.h"
#include "Opener.h"

#include <QStringList>

namespace {
const QString kTitle = QStringLiteral("Recover Documents");

QString DraftName(const Draft& draft) {
    return draft.path.isEmpty() ? draft.title : draft.path;
}
} // namespace

void Recovery::Offer() {
    QStringList unreadable;
    const QList<Draft> drafts = DocumentDraft::Found(&unreadable);
    if (!unreadable.isEmpty())
        qlx::MsgBox(
            QStringLiteral("These drafts of unsaved changes could not be read and are kept as they are:\r") +
                unreadable.join(QStringLiteral("\r")),
            qlx::vbOKOnly + qlx::vbExclamation, kTitle);
    if (drafts.isEmpty())
        return;
    QStringList names;
    for (const Draft& draft : drafts)
        names << DraftName(draft);
    if (qlx::MsgBox(QStringLiteral("QLX ended without saving the changes to these documents:\r") +
                        names.join(QStringLiteral("\r")) + QStringLiteral("\r\rRecover them?"),
                    qlx::vbYesNo + qlx::vbQuestion, kTitle) == qlx::vbYes) {
        for (const Draft& draft : drafts)
            if (Recover(draft))
                DocumentDraft::RemoveFiles(draft.id);
        return;
    }
    if (qlx::MsgBox(QStringLiteral("The changes will be lost.  Delete them?"),
                    qlx::vbYesNo + qlx::vbExclamation + qlx::vbDefaultButton2, kTitle) != qlx::vbYes)
        return;
    for (const Draft& draft : drafts)
        DocumentDraft::RemoveFiles(draft.id);
}

bool Recovery::Recover(const Draft& draft) {
    const int slot = opener_.FindFreeSlot(draft.type);
    if (slot < 0)
        return false;
    DocumentWindow* window = opener_.NewDocument(draft.type, slot);
    DocumentSlot& entry = g_.Slot(draft.type, slot);
    entry.title = draft.title;
    // The draft's bytes are read as the file would be; the file itself is left as it is.
    g_.suppressRecent = true;
    const OpenResult result = window->Open(draft.bytesPath, draft.title);
    g_.suppressRecent = false;
    if (result.state != OpenResult::State::Opened) {
        entry.title.clear();
        entry.changed = false;
        window->close();
        return false;
    }
    entry.path = draft.path;
    window->setWindowTitle(draft.title);
    window->Recovered(draft.base);
    return true;
}
