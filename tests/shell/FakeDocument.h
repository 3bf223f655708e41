// A document window that records what the shell asks of it, so the shell's menus, opener and
// exit are tested without a real editor.
#pragma once

#include "DocumentWindow.h"
#include "Global.h"

#include <QStringList>

class FakeDocument : public DocumentWindow {
public:
    FakeDocument(Global& global, DocumentHost& host, DocType type) : DocumentWindow(global, host, type) {}

    void New() override { calls << QStringLiteral("New"); }
    std::optional<FileError> Open() override {
        calls << QStringLiteral("Open ") + SlotPath();
        if (failOpen)
            return FileError{53, QStringLiteral("File not found")};
        setWindowTitle(SlotTitle());
        Altered(false);
        return std::nullopt;
    }
    bool SaveFile() override {
        calls << QStringLiteral("SaveFile");
        captionsAtSave << window()->windowTitle();
        if (!saveSucceeds)
            return false;
        Altered(false);
        return true;
    }
    void FileSaveRegular() override { calls << QStringLiteral("FileSaveRegular"); }
    void EditCut() override { calls << QStringLiteral("EditCut"); }
    void EditPaste() override { calls << QStringLiteral("EditPaste"); }
    void EditPasteSpecialPlainText() override { calls << QStringLiteral("PastePlain"); }
    void PasteNewSection() override { calls << QStringLiteral("PasteNewSection"); }
    void LoadFileByName(const QString& name) override { calls << QStringLiteral("Load ") + name; }
    bool WordWrap() const override { return wordWrap; }
    bool Bulleted() const override { return bulleted; }

    QStringList calls;
    QStringList captionsAtSave;
    bool failOpen = false;
    bool saveSucceeds = true;
    bool wordWrap = false;
    bool bulleted = false;
};
