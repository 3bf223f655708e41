// The properties of the common dialog control, a plain copyable record so that a scripted responder can
// keep what each dialog was shown with.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

namespace qlx {

// Flags of the file dialogs.
constexpr int OFN_READONLY = 0x1;
constexpr int OFN_OVERWRITEPROMPT = 0x2;
constexpr int OFN_HIDEREADONLY = 0x4;
constexpr int OFN_ALLOWMULTISELECT = 0x200;
constexpr int OFN_FILEMUSTEXIST = 0x1000;
// Flags of the font dialog.
constexpr int CF_SCREENFONTS = 0x1;
constexpr int CF_PRINTERFONTS = 0x2;
constexpr int CF_BOTH = 0x3;
constexpr int CF_EFFECTS = 0x100;
// Flags of the print dialog.
constexpr int PD_NOPAGENUMS = 0x8;
constexpr int PD_RETURNDC = 0x100;

} // namespace qlx

struct CommonDialogProperties {
    QString DialogTitle;
    // "Description|*.A;*.B|Description 2|*.C"
    QString Filter;
    // Position from 1 of the shown filter entry; set to the entry the user chose.
    int FilterIndex = 0;
    // The chosen file's full path. With OFN_ALLOWMULTISELECT and several files: the folder, then the
    // names, separated by spaces.
    QString FileName;
    // The chosen file's name without its folder (empty when several files were chosen).
    QString FileTitle;
    QString InitDir;
    // Appended by the save dialog to a name typed without an extension (".INI" or "INI").
    QString DefaultExt;
    // OFN_*, CF_* or PD_* values by the dialog shown.
    int Flags = 0;
    // Empty until a font is chosen or set; a size of 0 means the application font's size.
    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    QColor Color = Qt::black;
    // Every chosen file's full path, also when only one file was chosen.
    QStringList FileNames;
};
