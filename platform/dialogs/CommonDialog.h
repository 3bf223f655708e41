// The common dialog control: set the properties, call a Show operation, read the choice back from the
// properties. Every Show goes through the current dialog responder; each returns false when the user
// cancelled, and the properties then keep their values.
#pragma once

#include "CommonDialogProperties.h"

#include <QFont>

#include <memory>

class QPrinter;

class CommonDialog : public CommonDialogProperties {
public:
    CommonDialog();
    ~CommonDialog();
    CommonDialog(const CommonDialog&) = delete;
    CommonDialog& operator=(const CommonDialog&) = delete;

    bool ShowOpen();
    bool ShowSave();
    bool ShowFont();
    bool ShowColor();
    bool ShowPrinter();

    // The printer the print dialog configures; it keeps its settings from one print to the next.
    QPrinter& Printer();
    // The printer chosen by the last ShowPrinter, nullptr when that was cancelled or never shown (the
    // device context 0).
    QPrinter* hDC() const;

    // For responders: store the user's choice. ChooseFiles takes full paths in one folder and a filter
    // position from 1 (0 keeps the shown one); ChooseSaveFile first appends DefaultExt to a name
    // without an extension.
    void ChooseFiles(const QStringList& paths, int filterIndex);
    void ChooseSaveFile(const QString& path, int filterIndex);
    QString WithDefaultExt(const QString& path) const;
    // The font the properties describe, and storing a chosen font into them.
    QFont Font() const;
    void ChooseFont(const QFont& font);

private:
    std::unique_ptr<QPrinter> printer_;
    bool printerChosen_ = false;
};
