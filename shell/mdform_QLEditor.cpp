#include "mdform_QLEditor.h"

#include "Global.h"
#include "NestedLoop.h"
#include "Recovery.h"
#include "ShellTools.h"
#include "DocumentFile.h"
#include "DocumentWindow.h"
#include "FileStamp.h"
#include "Twips.h"
#include "WinPaths.h"
#include "WindowArranger.h"
#include "form_QLXOptions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTimer>

Q_LOGGING_CATEGORY(lcHandoff, "qlx.handoff", QtInfoMsg)

namespace {
const QString kCaption = QStringLiteral("Quillon Editor");
// Set once the user has seen the welcome document of an installed program.
const QString kWelcomeShown = QStringLiteral("Welcome Shown");
constexpr int kPublishCheckMs = 3000;

bool IsOpen(const DocumentWindow* window) {
    return window && !window->Tag.isEmpty();
}
} // namespace

mdform_QLEditor::mdform_QLEditor(Global& global, QWidget* parent)
    : QMainWindow(parent), g_(global), mdi_(new QMdiArea(this)), autoSave_(global.settings, this),
      publishCheck_(new QTimer(this)),
      hook_([this](const CopyDataMessage& message, std::function<void(quint32)> reply) {
          // Files handed over while a prompt is up open once it has returned; the sender waits.
          qlx::NestedLoop::WhenIdle(this, [this, message, reply = std::move(reply)] { reply(WindowProc(message)); });
      }),
      menus_(global, *this), recent_(global.settings), opener_(global, *this, *mdi_, recent_) {
    setObjectName(QStringLiteral("mdform_QLEditor"));
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    mdi_->viewport()->installEventFilter(this);
    connect(&autoSave_, &AutoSave::minute, this,
            [this] { qlx::NestedLoop::WhenIdle(this, [this] { AutoSaveMinute(); }); });
    connect(&recent_, &RecentFiles::changed, this, [this] { menus_.DrawRecentFiles(recent_); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow* window) {
        if (auto* document = qobject_cast<DocumentWindow*>(window))
            document->Activate();
    });
    publishCheck_->setInterval(kPublishCheckMs);
    connect(publishCheck_, &QTimer::timeout, this, &mdform_QLEditor::KeepPublished);
    ConnectShellCommands();
}

mdform_QLEditor::~mdform_QLEditor() = default;

void mdform_QLEditor::ConnectShellCommands() {
    const auto on = [this](const char* name, const std::function<void()>& command) {
        connect(menus_.Action(QString::fromLatin1(name)), &QAction::triggered, this, command);
    };
    on("menu_FileNew", [this] { menus_.Menu(QStringLiteral("menu_New"))->popup(QCursor::pos()); });
    on("menu_NewINI", [this] { opener_.NewDocument(DocType::INI, -1); });
    on("menu_NewTXT", [this] { opener_.NewDocument(DocType::TXT, -1); });
    on("menu_NewRTF", [this] { opener_.NewDocument(DocType::RTF, -1); });
    on("menu_NewREG", [this] { opener_.NewDocument(DocType::REG, -1); });
    on("menu_FileOpen", [this] { opener_.OpenFileDialog(); });
    on("menu_FileSave", [this] {
        if (g_.activeDocument)
            g_.activeDocument->SaveFile();
    });
    on("menu_FileSaveAll", [this] { SaveAllDocuments(false); });
    on("menu_FileCloseAll", [this] { CloseAllDocuments(); });
    on("menu_FilePrint", [this] { PrintActiveDocument(); });
    on("menu_FileExit", [this] { close(); });
    for (int entry = 1; entry <= 4; ++entry)
        on(QStringLiteral("menu_FileRecent%1").arg(entry).toLatin1().constData(),
           [this, entry] { opener_.OpenRecentFile(entry); });
    for (const char* name : {"menu_MDIPasteNewRTF", "menu_EditPasteNewRTF"})
        on(name, [this] { opener_.PasteToNew(DocType::RTF); });
    for (const char* name : {"menu_MDIPasteNewTXT", "menu_EditPasteNewTXT"})
        on(name, [this] { opener_.PasteToNew(DocType::TXT); });
    on("menu_EditPasteAsPlain", [this] { PasteAs(); });
    on("menu_WindowCascade", [this] { CascadeWindows(); });
    on("menu_WindowTileH", [this] { WindowArranger::Arrange(*mdi_, WindowArranger::TileHorizontally); });
    on("menu_WindowTileV", [this] { WindowArranger::Arrange(*mdi_, WindowArranger::TileVertically); });
    on("menu_WindowArrange", [this] { WindowArranger::Arrange(*mdi_, WindowArranger::ArrangeIcons); });
    on("menu_ToolsDirList", [this] { g_.resources.GatherDirList(g_.settings.supressResults); });
    on("menu_ToolsSysedit", [this] { ShellTools(g_, opener_, *mdi_).SystemFiles(); });
    on("menu_ToolsEnvVars", [this] { ShellTools(g_, opener_, *mdi_).GatherVariables(); });
    on("menu_HelpAbout", [this] { ShellTools(g_, opener_, *mdi_).About(); });
    on("menu_ToolsOptions", [this] { form_QLXOptions::Open(g_, *this, dialog_, autoSave_); });
}

quint64 mdform_QLEditor::Handle() const {
    return quint64(winId());
}

void mdform_QLEditor::Publish() {
    const quint64 handle = Handle();
    // Listening first: a second start that finds the handle can then always deliver its files.
    hook_.Hook(handle);
    WriteRegistration();
}

void mdform_QLEditor::WriteRegistration() {
    g_.settings.CreateMainKeys();
    g_.settings.Write(QStringLiteral("Application Path"), QDir::toNativeSeparators(g_.applicationPath));
    g_.settings.Write(QStringLiteral("WinRegistration"), QString::number(Handle()));
}

void mdform_QLEditor::KeepPublished() {
    if (hook_.IsHooked() && g_.settings.Read(QStringLiteral("WinRegistration")) != QString::number(Handle()))
        WriteRegistration();
}

void mdform_QLEditor::Load() {
    Settings& settings = g_.settings;
    setWindowTitle(kCaption);
    Publish();
    publishCheck_->start();
    settings.CreateKey(QStringLiteral("MRU"));
    recent_.Read();
    g_.windowsDirectory = WinPaths::WindowsDirectory();
    settings.ReadStartup();
    ApplyPlacement();
    autoSave_.SetMinutes(settings.autoSaveMinutes);
    opener_.CreateWindows();
    Recovery(g_, opener_).Offer();
    if (!g_.commandLine.isEmpty()) {
        // Shown first, so that a long opening shows its progress, and a text window has its
        // width before its text comes (a later change of width lays out every line anew).
        show();
        OpenCommandLine(g_.commandLine);
    }
    OpenWelcomeDocument();
    DocumentFile::MentionLeftCopies();
    // A long opening shows the window early, and the document it activated keeps its menus.
    const auto* active = qobject_cast<const DocumentWindow*>(mdi_->activeSubWindow());
    menus_.SetState(active ? DocumentWindow::TypeName(active->Type()) : QStringLiteral("MDI"));
    loaded_ = true;
    show();
}

void mdform_QLEditor::ApplyPlacement() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Window geometry is kept in twips so that it means the same on screens of any density.
    const QSize pixels = screen->geometry().size();
    const WindowPlacement p = g_.settings.Placement(qRound(Twips::FromPixelsX(pixels.width(), *screen)),
                                                    qRound(Twips::FromPixelsY(pixels.height(), *screen)));
    // Placed and read back as the client area: the frame a window manager adds is not known
    // before the window is shown, and a place taken with it would creep by its height each start.
    setGeometry(Twips::ToPixelsX(p.left, *screen), Twips::ToPixelsY(p.top, *screen),
                Twips::ToPixelsX(p.width, *screen), Twips::ToPixelsY(p.height, *screen));
    if (p.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void mdform_QLEditor::WriteGeometry() {
    // A minimized window has no place worth restoring.
    if (isMinimized())
        return;
    const QScreen& on = *screen();
    WindowPlacement p;
    p.maximized = isMaximized();
    p.top = qRound(Twips::FromPixelsY(geometry().y(), on));
    p.left = qRound(Twips::FromPixelsX(geometry().x(), on));
    p.width = qRound(Twips::FromPixelsX(width(), on));
    p.height = qRound(Twips::FromPixelsY(height(), on));
    g_.settings.WriteGeometry(p);
}

void mdform_QLEditor::OpenWelcomeDocument() {
    const QString path = g_.resources.ProgramFile(QStringLiteral("WELCOME.RTF"), g_.applicationPath);
    if (path.isEmpty())
        return;
    // The copy beside the program goes once shown. An installed program's copy is shared by every
    // user and stays: each user sees it once.
    if (QFileInfo(path).dir() == QDir(g_.applicationPath)) {
        OpenCommandLine(path);
        QFile::remove(path);
        // Removed by the program itself, which is no news to tell the user.
        FileStamp::Record(path, {});
        ForEachWindow([&path](DocumentWindow* window, DocumentSlot& entry) {
            if (IsOpen(window) && entry.path == path)
                window->FollowFile();
        });
    } else if (!Settings::IsOn(g_.settings.Read(kWelcomeShown))) {
        OpenCommandLine(path);
        g_.settings.Write(kWelcomeShown, QStringLiteral("1"));
    }
}

void mdform_QLEditor::OpenCommandLine(const QString& commandLine) {
    qCDebug(lcHandoff).noquote() << "open command line:" << commandLine;
    opener_.OpenCommandLine(commandLine);
}

void mdform_QLEditor::AutoSaveMinute() {
    if (!autoSave_.MinutePassed())
        return;
    SaveAllDocuments(true);
    // What the pass left unsaved (a file changed elsewhere, a save declined) is kept as a draft.
    ForEachWindow([](DocumentWindow* window, DocumentSlot& entry) {
        if (IsOpen(window) && entry.changed)
            window->WriteDraft();
    });
}

void mdform_QLEditor::ForEachWindow(const std::function<void(DocumentWindow*, DocumentSlot&)>& work) {
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        for (DocType type : Global::kWalkOrder) {
            DocumentSlot& entry = g_.Slot(type, slot);
            work(entry.window, entry);
        }
    }
}

void mdform_QLEditor::SaveAllDocuments(bool automatic) {
    if (automatic) {
        setWindowTitle(kCaption + QStringLiteral(" - AutoSaving Open Files"));
    } else {
        ForEachWindow([](DocumentWindow* window, DocumentSlot&) {
            if (IsOpen(window))
                window->showMinimized();
        });
    }
    ForEachWindow([automatic](DocumentWindow* window, DocumentSlot& entry) {
        if (!IsOpen(window) || !entry.changed)
            return;
        // The automatic save never overwrites what another program wrote; the user is asked when
        // the document comes to the front.
        if (automatic && window->ChangedElsewhere())
            return;
        if (!automatic)
            window->showNormal();
        if (window->Type() == DocType::REG)
            window->FileSaveRegular();
        else
            window->SaveFile();
    });
    if (automatic) {
        setWindowTitle(kCaption);
        return;
    }
    ForEachWindow([](DocumentWindow* window, DocumentSlot&) {
        if (IsOpen(window))
            window->showNormal();
    });
    CascadeWindows();
}

void mdform_QLEditor::CloseAllDocuments() {
    ForEachWindow([](DocumentWindow* window, DocumentSlot&) {
        if (IsOpen(window))
            window->FileClose();
    });
}

void mdform_QLEditor::CascadeWindows() {
    WindowArranger::Arrange(*mdi_, WindowArranger::Cascade);
}

void mdform_QLEditor::PrintActiveDocument() {
    dialog_.Flags = qlx::PD_NOPAGENUMS | qlx::PD_RETURNDC;
    if (dialog_.ShowPrinter() && dialog_.hDC() && g_.activeDocument)
        g_.activeDocument->PrintDoc(dialog_.hDC());
}

void mdform_QLEditor::PasteAs() {
    if (!g_.activeDocument)
        return;
    if (menus_.PasteAsIsPlainText())
        g_.activeDocument->EditPasteSpecialPlainText();
    else
        g_.activeDocument->PasteNewSection();
}

quint32 mdform_QLEditor::WindowProc(const CopyDataMessage& message) {
    if (message.message != CopyDataMessage::WM_COPYDATA || message.dwData != OS_SendMessage::kCommandLineData)
        return 0;
    OpenCommandLine(OS_SendMessage::CommandLineOf(message));
    CascadeWindows();
    return 1;
}

bool mdform_QLEditor::ExitProgram() {
    if (g_.exiting)
        return true;
    hook_.Unhook();
    g_.settings.Write(QStringLiteral("WinRegistration"), QString());
    setWindowTitle(QStringLiteral("Exiting - Please Wait"));
    // A cancelled exit gives each document back the state it had, maximised or not.
    QHash<DocumentWindow*, bool> maximized;
    ForEachWindow([&maximized](DocumentWindow* window, DocumentSlot&) {
        if (IsOpen(window)) {
            maximized.insert(window, window->isMaximized());
            window->showMinimized();
        } else {
            delete window;
        }
    });
    bool kept = false;
    ForEachWindow([&kept](DocumentWindow* window, DocumentSlot& entry) {
        if (kept || !IsOpen(window) || !entry.changed)
            return;
        window->showNormal();
        kept = !window->ExitForm();
    });
    if (kept) {
        // A changed document the user kept stops the exit: back to running, nothing lost.
        setWindowTitle(kCaption);
        Publish();
        ForEachWindow([&maximized](DocumentWindow* window, DocumentSlot&) {
            if (IsOpen(window) && maximized.value(window))
                window->showMaximized();
            else if (IsOpen(window))
                window->showNormal();
        });
        return false;
    }
    g_.exiting = true;
    ForEachWindow([](DocumentWindow* window, DocumentSlot&) { delete window; });
    WriteGeometry();
    QCoreApplication::exit(0);
    return true;
}

void mdform_QLEditor::Terminate() {
    qlx::NestedLoop::DismissPrompts();
    // Not close() at once: a close already under way (its question is the prompt) takes no other.
    qlx::NestedLoop::WhenIdle(this, [this] { close(); });
}

void mdform_QLEditor::closeEvent(QCloseEvent* event) {
    // Asked to close while a prompt is up (a signal, the window manager): the windows below the
    // prompt are still in use, so the exit waits until it has returned.
    if (qlx::NestedLoop::Active()) {
        event->ignore();
        qlx::NestedLoop::WhenIdle(this, [this] { close(); });
        return;
    }
    if (ExitProgram())
        event->accept();
    else
        event->ignore();
}

void mdform_QLEditor::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (loaded_ && !g_.exiting)
        WriteGeometry();
}

void mdform_QLEditor::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() || data->hasText() || data->hasFormat(QStringLiteral("text/rtf")))
        event->acceptProposedAction();
}

void mdform_QLEditor::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (!url.isLocalFile())
                continue;
            const QString path = url.toLocalFile();
            opener_.PresetOpen(path, Opener::TypeOfName(path, g_.settings.txtFileFilter));
            opener_.OpenFileDialog();
        }
    } else if (data->hasText()) {
        OpenCommandLine(data->text());
    } else if (data->hasFormat(QStringLiteral("text/rtf"))) {
        OpenCommandLine(QString::fromLatin1(data->data(QStringLiteral("text/rtf"))));
    } else {
        return;
    }
    CascadeWindows();
    event->acceptProposedAction();
}

void mdform_QLEditor::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back from another program: the document in front may have been changed by it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && g_.activeDocument)
        qlx::NestedLoop::WhenIdle(g_.activeDocument, [this] {
            if (g_.activeDocument)
                g_.activeDocument->CheckFile();
        });
}

bool mdform_QLEditor::eventFilter(QObject* watched, QEvent* event) {
    // A right click on the empty frame offers "Paste to new".
    if (watched == mdi_->viewport() && event->type() == QEvent::ContextMenu) {
        menus_.Menu(QStringLiteral("menu_EditMDI"))->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
