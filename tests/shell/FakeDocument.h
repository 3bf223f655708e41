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
    OpenResult Open(const QString& path, const QString& title) override {
        calls << QStringLiteral("Open ") + path;
        if (failOpen)
            return OpenResult::Failed({53, QStringLiteral("File not found")});
        setWindowTitle(title);
        Altered(false);
        return {};
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
    bool AskSaveName(QString*, QString*) override { return false; }
    bool WriteFile(const QString&) override { return false; }
    bool Bulleted() const override { return bulleted; }

    QStringList calls;
    QStringList captionsAtSave;
    bool failOpen = false;
    bool saveSucceeds = true;
    bool wordWrap = false;
    bool bulleted = false;
};
