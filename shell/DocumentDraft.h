// Unsaved work that survives a crash: while a document has changes, a draft of it (the bytes a
// save would write, and what brings it back: path, type, title and the stamp of the file it was
// read from) is kept in the user's own recovery folder, $XDG_STATE_HOME/QLX/recovery. A draft is
// written a few seconds after the last change, once the user has paused, and removed when the
// document is saved, discarded or closed; drafts found at the next start were left by a program
// that did not end.
#pragma once

#include "DocType.h"
#include "FileStamp.h"

#include <QObject>
#include <QString>

#include <functional>

class QTimer;

// What a draft brings back.
struct Draft {
    // Names the draft's two files in the folder.
    QString id;
    DocType type = DocType::TXT;
    // The document's file; empty for a document that was never saved.
    QString path;
    QString title;
    // The file's content the document was read from or last saved as.
    FileStamp base;
    // The document's bytes, as a save would have written them.
    QString bytesPath;
};

class DocumentDraft : public QObject {
    Q_OBJECT
public:
    explicit DocumentDraft(QObject* parent);
    // Removes the draft: a window that goes leaves no unsaved work behind.
    ~DocumentDraft() override;

    // The document changed: the draft is written once the changes have paused.
    void Due();
    void Remove();

    // Writes the draft now: write puts the document's bytes into the file it is given, info
    // describes it. False when no draft could be kept (no usable folder, a failed write).
    using Writer = std::function<bool(const QString& bytesPath)>;
    bool Write(const Writer& write, const Draft& info);

    // The user's recovery folder (made, user-only); empty when there is none this user alone owns.
    static QString Folder();
    // The drafts in the folder; those that cannot be read are named in *unreadable.
    static QList<Draft> Found(QStringList* unreadable);
    static void RemoveFiles(const QString& id);

signals:
    // The changes have paused: time to write the draft.
    void due();

private:
    QTimer* pause_;
    QString id_;
    bool written_ = false;
};
