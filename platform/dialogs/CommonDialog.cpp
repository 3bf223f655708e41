#include "CommonDialog.h"

#include "Dialogs.h"
#include "NestedLoop.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>

#include <algorithm>

namespace {
bool Show(CommonDialog& dialog, qlx::CommonDialogKind kind) {
    const qlx::NestedLoop loop;
    return qlx::CurrentDialogResponder().commonDialog(dialog, kind);
}
} // namespace

CommonDialog::CommonDialog() = default;
CommonDialog::~CommonDialog() = default;

bool CommonDialog::ShowOpen() {
    return Show(*this, qlx::CommonDialogKind::Open);
}
bool CommonDialog::ShowSave() {
    return Show(*this, qlx::CommonDialogKind::Save);
}
bool CommonDialog::ShowFont() {
    return Show(*this, qlx::CommonDialogKind::Font);
}
bool CommonDialog::ShowColor() {
    return Show(*this, qlx::CommonDialogKind::Color);
}

bool CommonDialog::ShowPrinter() {
    printerChosen_ = Show(*this, qlx::CommonDialogKind::Printer);
    return printerChosen_;
}

QPrinter& CommonDialog::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QPrinter* CommonDialog::hDC() const {
    return printerChosen_ ? printer_.get() : nullptr;
}

void CommonDialog::ChooseFiles(const QStringList& paths, int filterIndex) {
    FileNames = paths;
    FilterIndex = filterIndex > 0 ? filterIndex : std::max(FilterIndex, 1);
    if (paths.size() == 1) {
        FileName = paths.first();
        FileTitle = QFileInfo(FileName).fileName();
        return;
    }
    // The old-style multiple selection: the folder, then each name, separated by spaces.
    QStringList parts;
    if (!paths.isEmpty())
        parts.append(QFileInfo(paths.first()).absolutePath());
    for (const QString& path : paths)
        parts.append(QFileInfo(path).fileName());
    FileName = parts.join(u' ');
    FileTitle.clear();
}

void CommonDialog::ChooseSaveFile(const QString& path, int filterIndex) {
    ChooseFiles({WithDefaultExt(path)}, filterIndex);
}

QString CommonDialog::WithDefaultExt(const QString& path) const {
    QString ext = DefaultExt.trimmed();
    if (ext.startsWith(u'.'))
        ext.remove(0, 1);
    const QString name = QFileInfo(path).fileName();
    if (ext.isEmpty() || name.isEmpty() || name.contains(u'.'))
        return path;
    return path + u'.' + ext;
}

QFont CommonDialog::Font() const {
    QFont font = QGuiApplication::font();
    if (!FontName.isEmpty())
        font.setFamily(FontName);
    if (FontSize > 0)
        font.setPointSizeF(FontSize);
    font.setBold(FontBold);
    font.setItalic(FontItalic);
    font.setUnderline(FontUnderline);
    font.setStrikeOut(FontStrikethru);
    return font;
}

void CommonDialog::ChooseFont(const QFont& font) {
    FontName = font.family();
    FontSize = font.pointSizeF();
    FontBold = font.bold();
    FontItalic = font.italic();
    FontUnderline = font.underline();
    FontStrikethru = font.strikeOut();
}
