#include "QtDialogResponder.h"

#include "CommonDialog.h"
#include "FileFilter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace qlx {

namespace {

struct ButtonPair {
    MsgBoxResult result;
    QMessageBox::StandardButton button;
};
constexpr ButtonPair kButtons[] = {
    {vbOK, QMessageBox::Ok},       {vbCancel, QMessageBox::Cancel}, {vbAbort, QMessageBox::Abort},
    {vbRetry, QMessageBox::Retry}, {vbIgnore, QMessageBox::Ignore}, {vbYes, QMessageBox::Yes},
    {vbNo, QMessageBox::No},
};

QMessageBox::StandardButton StandardButtonOf(MsgBoxResult result) {
    for (const ButtonPair& pair : kButtons)
        if (pair.result == result)
            return pair.button;
    return QMessageBox::NoButton;
}

MsgBoxResult ResultOf(QMessageBox::StandardButton button, MsgBoxResult fallback) {
    for (const ButtonPair& pair : kButtons)
        if (pair.button == button)
            return pair.result;
    return fallback;
}

QMessageBox::Icon IconOf(int style) {
    switch (MsgBoxIcon(style)) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A prompt stands over the window that asked (a dialog of the program's own, such as the
// options), so that closing it gives that window back its focus; else over the main window.
QWidget* PromptParent() {
    QWidget* active = QApplication::activeWindow();
    return active ? active : DialogParent();
}

QString Caption(const QString& title) {
    return title.isEmpty() ? QStringLiteral("QLX") : title;
}

// Messages break lines with a lone CR, which a Qt label does not show as a break.
QString DisplayText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QFileDialog::FileMode OpenFileMode(int flags) {
    if (flags & OFN_ALLOWMULTISELECT)
        return QFileDialog::ExistingFiles;
    return (flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile;
}

} // namespace

int QtDialogResponder::msgBox(const QString& text, int style, const QString& title) {
    QMessageBox box(IconOf(style), Caption(title), DisplayText(text), QMessageBox::NoButton, PromptParent());
    box.setTextFormat(Qt::PlainText);
    const QList<MsgBoxResult> results = MsgBoxButtonResults(style);
    for (MsgBoxResult result : results)
        box.addButton(StandardButtonOf(result));
    // A default position beyond the buttons falls back to the first, as the classic box did.
    box.setDefaultButton(StandardButtonOf(results.value(MsgBoxDefaultButton(style) - 1, results.first())));
    const MsgBoxResult escape = MsgBoxEscapeResult(style);
    box.setEscapeButton(box.button(StandardButtonOf(escape)));
    box.exec();
    return ResultOf(box.standardButton(box.clickedButton()), escape);
}

bool QtDialogResponder::inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                 QString* text) {
    QInputDialog dialog(PromptParent());
    dialog.setWindowTitle(Caption(title));
    dialog.setLabelText(DisplayText(prompt));
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *text = dialog.textValue();
    return true;
}

int QtDialogResponder::form(QDialog& dialog) {
    return dialog.exec();
}

bool QtDialogResponder::commonDialog(CommonDialog& dialog, CommonDialogKind kind) {
    switch (kind) {
    case CommonDialogKind::Open:
        return showFile(dialog, false);
    case CommonDialogKind::Save:
        return showFile(dialog, true);
    case CommonDialogKind::Font:
        return showFont(dialog);
    case CommonDialogKind::Color:
        return showColor(dialog);
    case CommonDialogKind::Printer:
        return showPrinter(dialog);
    }
    return false;
}

// Qt's own dialog rather than the desktop's: its file list matches the filter patterns without regard
// to case, as Windows does ("*.INI" lists win.ini).
bool QtDialogResponder::showFile(CommonDialog& dialog, bool save) {
    const QString fallbackTitle = save ? QStringLiteral("Save As") : QStringLiteral("Open");
    QFileDialog files(PromptParent(), dialog.DialogTitle.isEmpty() ? fallbackTitle : dialog.DialogTitle,
                      dialog.InitDir);
    files.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    if (save) {
        files.setAcceptMode(QFileDialog::AcceptSave);
        files.setFileMode(QFileDialog::AnyFile);
        files.setDefaultSuffix(dialog.DefaultExt.trimmed());
        // The editors ask about overwriting themselves unless the caller wants the dialog to.
        files.setOption(QFileDialog::DontConfirmOverwrite, !(dialog.Flags & OFN_OVERWRITEPROMPT));
    } else {
        files.setFileMode(OpenFileMode(dialog.Flags));
    }
    const QStringList filters = QtNameFilters(dialog.Filter);
    if (!filters.isEmpty()) {
        files.setNameFilters(filters);
        files.selectNameFilter(filters.value(dialog.FilterIndex - 1, filters.first()));
    }
    if (!dialog.FileName.isEmpty())
        files.selectFile(dialog.FileName);
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return false;
    const int position = FilterPosition(dialog.Filter, files.selectedNameFilter());
    if (save)
        dialog.ChooseSaveFile(files.selectedFiles().first(), position);
    else
        dialog.ChooseFiles(files.selectedFiles(), position);
    return true;
}

bool QtDialogResponder::showFont(CommonDialog& dialog) {
    QFontDialog fonts(dialog.Font(), PromptParent());
    fonts.setOption(QFontDialog::DontUseNativeDialog);
    if (!dialog.DialogTitle.isEmpty())
        fonts.setWindowTitle(dialog.DialogTitle);
    if (fonts.exec() != QDialog::Accepted)
        return false;
    dialog.ChooseFont(fonts.selectedFont());
    return true;
}

bool QtDialogResponder::showColor(CommonDialog& dialog) {
    QColorDialog colors(dialog.Color, PromptParent());
    colors.setOption(QColorDialog::DontUseNativeDialog);
    if (!dialog.DialogTitle.isEmpty())
        colors.setWindowTitle(dialog.DialogTitle);
    if (colors.exec() != QDialog::Accepted)
        return false;
    dialog.Color = colors.selectedColor();
    return true;
}

bool QtDialogResponder::showPrinter(CommonDialog& dialog) {
    QPrintDialog print(&dialog.Printer(), PromptParent());
    if (dialog.Flags & PD_NOPAGENUMS)
        print.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (!dialog.DialogTitle.isEmpty())
        print.setWindowTitle(dialog.DialogTitle);
    return print.exec() == QDialog::Accepted;
}

} // namespace qlx
