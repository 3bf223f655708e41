#include "Opener.h"

#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentFile.h"
#include "DocumentHost.h"
#include "Global.h"
#include "RecentFiles.h"
#include "WindowArranger.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>

namespace {
// How each type is named where documents are opened and created.
struct TypeTexts {
    // In the limit message of the Open dialog, and of File New.
    const char* openName;
    const char* newName;
    // The caption of a new document.
    const char* newCaption;
};

const TypeTexts& TextsOf(DocType type) {
    static const TypeTexts kIni{"INI", "INI File", "New INI File"};
    static const TypeTexts kReg{"REG", "Registry File", "New Registry File"};
    static const TypeTexts kTxt{"Text", "TXT File", "New Text Document"};
    static const TypeTexts kRtf{"RTF", "RTF File", "New RTF Document"};
    switch (type) {
    case DocType::INI:
        return kIni;
    case DocType::REG:
        return kReg;
    case DocType::TXT:
        return kTxt;
    case DocType::RTF:
        break;
    }
    return kRtf;
}

bool IsFile(const QString& name) {
    return !name.isEmpty() && QFileInfo(name).isFile();
}

// The filter of the Open dialog with the default type first; T and R are the text and rich-text
// patterns.
QString OpenFilter(int defaultType, const QString& t, const QString& r) {
    const QString ini = QStringLiteral("INI File|*.INI");
    const QString reg = QStringLiteral("Registry File|*.REG");
    const QString txt = QStringLiteral("Text File|") + t;
    const QString rtf = QStringLiteral("RTF File|") + r;
    QStringList order;
    switch (defaultType) {
    case 1:
        order = {reg, ini, txt, rtf};
        break;
    case 2:
        order = {txt, ini, reg, rtf};
        break;
    case 3:
        order = {rtf, ini, reg, txt};
        break;
    default:
        order = {ini, reg, txt, rtf};
    }
    return order.join(QLatin1Char('|')) + QStringLiteral("|Other (*.*)|*.*");
}

// The editor of the filter at a position of the shown order; "Other" opens as rich text.
DocType TypeOfPosition(int defaultType, int position) {
    constexpr DocType I = DocType::INI, G = DocType::REG, T = DocType::TXT, R = DocType::RTF;
    static const DocType kTypes[4][5] = {{I, G, T, R, R}, {G, I, T, R, R}, {T, I, G, R, R}, {R, I, G, T, R}};
    return kTypes[defaultType][std::clamp(position, 1, 5) - 1];
}
} // namespace

Opener::Opener(Global& global, DocumentHost& host, QMdiArea& area, RecentFiles& recent)
    : g_(global), host_(host), area_(area), recent_(recent) {}

void Opener::RegisterEditor(DocType type, Factory factory) {
    factories_[type] = std::move(factory);
}

DocumentWindow* Opener::Window(DocType type, int slot) {
    DocumentSlot& entry = g_.Slot(type, slot);
    if (!entry.window) {
        const auto factory = factories_.find(type);
        if (factory == factories_.end())
            return nullptr;
        entry.window = factory->second(g_, host_);
        entry.window->setParent(area_.window());
        entry.window->hide();
    }
    return entry.window;
}

void Opener::CreateWindows() {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        for (DocType type : Global::kWalkOrder)
            Window(type, slot);
    }
}

int Opener::FindFreeSlot(DocType type) {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        const DocumentWindow* window = Window(type, slot);
        if (window && window->Tag.isEmpty())
            return slot;
    }
    return -1;
}

void Opener::ShowLimitMessage(const QString& name) {
    qlx::MsgBox(QStringLiteral("There are no more ") + name +
                    QStringLiteral(" documents available to open.  Please close one before opening another."),
                qlx::vbOKOnly, QStringLiteral("Reached the limit of 5 type max"));
}

DocumentWindow* Opener::NewDocument(DocType type, int slot) {
    if (!factories_.count(type))
        return nullptr;
    if (slot < 0)
        slot = FindFreeSlot(type);
    if (slot < 0) {
        ShowLimitMessage(QString::fromLatin1(TextsOf(type).newName));
        return nullptr;
    }
    DocumentWindow* window = Window(type, slot);
    if (!window->mdiArea())
        area_.addSubWindow(window);
    window->Tag = QString::number(slot);
    g_.CurrentSlot(type) = slot;
    // A new document has no file until it is opened or saved.
    DocumentSlot& entry = g_.Slot(type, slot);
    entry.path.clear();
    entry.title.clear();
    window->setWindowTitle(QString::fromLatin1(TextsOf(type).newCaption));
    window->ResizeForm();
    window->New();
    window->show();
    return window;
}

void Opener::PresetOpen(const QString& path, DocType type) {
    preset_ = {true, path, g_.resources.FindNameOnly(path), type};
}

void Opener::Cascade() {
    WindowArranger::Arrange(area_, WindowArranger::Cascade);
}

void Opener::OpenFileDialog() {
    if (preset_.set) {
        preset_.set = false;
        OpenAs(preset_.type, preset_.path, preset_.title);
        return;
    }
    Settings& settings = g_.settings;
    int defaultType = settings.Read(QStringLiteral("Default Open Type")).toInt();
    if (defaultType < 0 || defaultType >= 4)
        defaultType = 0;
    QString start = settings.Read(QStringLiteral("Last Open"));
    if (start.isEmpty())
        start = QString::fromStdString(g_.registry.ReadValue(Settings::kShellFolders, "Personal"));
    if (start.isEmpty())
        start = QDir::homePath();

    CommonDialog& dialog = host_.Dialog();
    dialog.InitDir = start;
    dialog.DialogTitle = QStringLiteral("Open File for Editing");
    dialog.Filter = OpenFilter(defaultType, settings.txtFileFilter, settings.rtfFileFilter);
    dialog.FilterIndex = 1;
    dialog.FileName.clear();
    dialog.Flags = qlx::OFN_HIDEREADONLY | (settings.multiSelect ? qlx::OFN_ALLOWMULTISELECT : 0);
    if (!dialog.ShowOpen() || dialog.FileName.isEmpty())
        return;

    if (settings.multiSelect) {
        // Each chosen file gets its editor from its name, not from the filter.
        const QStringList files = dialog.FileNames.isEmpty() ? QStringList{dialog.FileName} : dialog.FileNames;
        settings.Write(QStringLiteral("Last Open"), QFileInfo(files.first()).path());
        for (const QString& file : files) {
            PresetOpen(file, TypeOfName(file, settings.txtFileFilter));
            OpenFileDialog();
        }
        Cascade();
        return;
    }
    const QString path = dialog.FileName;
    settings.Write(QStringLiteral("Last Open"), path.left(path.size() - dialog.FileTitle.size() - 1));
    if (!IsFile(path))
        return;
    OpenAs(TypeOfPosition(defaultType, dialog.FilterIndex), path, dialog.FileTitle);
}

void Opener::OpenAs(DocType type, const QString& path, const QString& title) {
    if (!factories_.count(type))
        return;
    const int slot = FindFreeSlot(type);
    if (slot < 0) {
        ShowLimitMessage(QString::fromLatin1(TextsOf(type).openName));
        return;
    }
    DocumentWindow* window = NewDocument(type, slot);
    DocumentSlot& entry = g_.Slot(type, slot);
    entry.path = path;
    entry.title = type == DocType::INI ? title.toUpper() : title;
    if (entry.title.isEmpty())
        entry.title = QFileInfo(path).fileName();
    const OpenResult result = window->Open(path, QString(entry.title));
    if (result.state == OpenResult::State::Opened) {
        window->FollowFile();
        return;
    }
    if (result.state == OpenResult::State::Failed)
        DocumentFile::ShowOpenError(path, result.error);
    // Nothing half-read or declined may stay behind under the file's name, where a save would
    // overwrite it.
    entry.path.clear();
    entry.title.clear();
    if (result.state == OpenResult::State::Failed) {
        entry.changed = false;
        window->close();
    }
}

DocType Opener::TypeOfName(const QString& name, const QString& textFilter) {
    const QString last = name.toUpper().right(3);
    if (last == QLatin1String("INI"))
        return DocType::INI;
    if (last == QLatin1String("REG"))
        return DocType::REG;
    return textFilter.toUpper().contains(last) ? DocType::TXT : DocType::RTF;
}

bool Opener::IsFullPath(const QString& name) {
    return name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1String("\\\\")) ||
           name.mid(1, 2) == QLatin1String(":\\");
}

void Opener::OpenCommandLine(const QString& commandLine) {
    QString rest = commandLine.trimmed();
    while (!rest.isEmpty()) {
        QString name;
        const qsizetype space = rest.indexOf(QLatin1Char(' '));
        if (IsFile(rest) || space < 0) {
            name = rest;
            rest.clear();
        } else {
            name = rest.left(space).trimmed();
            rest = rest.mid(space + 1).trimmed();
        }
        if (!IsFile(name)) {
            qlx::MsgBox(QStringLiteral("QLX was unable to verify that your request was to open a file.\r\r( ") +
                            name + QStringLiteral(" )\r\rAs such, this action has been canceled."),
                        qlx::vbOKOnly + qlx::vbInformation, QStringLiteral("QLX"));
            continue;
        }
        if (IsFullPath(name)) {
            PresetOpen(name, TypeOfName(name, g_.settings.txtFileFilter));
            OpenFileDialog();
        } else if (FindFreeSlot(DocType::RTF) >= 0) {
            // A name relative to the current folder shows its content in a new rich-text document.
            if (DocumentWindow* window = NewDocument(DocType::RTF, -1))
                window->LoadFileByName(name);
        }
    }
}

void Opener::PasteToNew(DocType type) {
    if (FindFreeSlot(type) < 0)
        return;
    if (DocumentWindow* window = NewDocument(type, -1))
        window->EditPaste();
}

void Opener::OpenRecentFile(int entry) {
    const QString path = recent_.Stored(entry);
    if (!g_.resources.ValidateMRU(path)) {
        qlx::MsgBox(QStringLiteral("This file no longer exists"), qlx::vbOKOnly, QString());
        recent_.Remove(entry);
        return;
    }
    PresetOpen(path, TypeOfName(path, g_.settings.txtFileFilter));
    OpenFileDialog();
}
