// The process-wide state of the program: created once by the entry and handed to every part that
// needs it, so that nothing lives in scattered globals and every test starts clean.
#pragma once

#include "DocType.h"
#include "RegistryFunctions.h"
#include "Resources.h"
#include "Settings.h"

#include <QPointer>
#include <QString>

#include <array>

class DocumentWindow;
class form_SR;

// The shell's entries for one document slot.
struct DocumentSlot {
    QPointer<DocumentWindow> window;
    QString path;
    // The name without folder (upper-cased for INI documents).
    QString title;
    bool changed = false;
};

class Global {
public:
    static constexpr int kSlots = 5;
    // The order in which the shell walks the types within a slot.
    static constexpr std::array<DocType, 4> kWalkOrder = {DocType::INI, DocType::TXT, DocType::RTF,
                                                          DocType::REG};

    // applicationPath: the program's own folder; commandLine: the file names it was started with.
    Global(QString applicationPath, QString commandLine);

    DocumentSlot& Slot(DocType type, int slot) { return slots_[int(type) - 1][slot]; }
    // The slot that was last given a window, per type.
    int& CurrentSlot(DocType type) { return currentSlot_[int(type) - 1]; }

    RegistryFunctions registry;
    Resources resources;
    Settings settings{registry};

    const QString applicationPath;
    const QString commandLine;

    // The document window activated last: menu commands go to it.
    QPointer<DocumentWindow> activeDocument;

    // Set while the exit sequence runs: document windows then skip their own close logic.
    bool exiting = false;
    // One-shot: the next opened file does not enter the recent files.
    bool suppressRecent = false;
    // The system's Windows folder, read once at start.
    QString windowsDirectory;
    // The find and replace dialog while it is loaded.
    QPointer<form_SR> searchDialog;

private:
    std::array<std::array<DocumentSlot, kSlots + 1>, 4> slots_;
    std::array<int, 4> currentSlot_ = {};
};
