#include "mdform_QLEditor.h"

#include "Global.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMdiArea>
#include <QScreen>
#include <QTimer>

Q_LOGGING_CATEGORY(lcHandoff, "qlx.handoff")

namespace {
const QString kCaption = QStringLiteral("Quillon Editor");
constexpr int kTwipsPerInch = 1440;
constexpr int kTickMs = 60000;

// Window geometry is kept in twips so that it means the same on screens of any density.
struct TwipScale {
    double x;
    double y;

    static TwipScale OfScreen(const QScreen* screen) {
        return {screen->logicalDotsPerInchX() / kTwipsPerInch, screen->logicalDotsPerInchY() / kTwipsPerInch};
    }
};
} // namespace

mdform_QLEditor::mdform_QLEditor(Global& global, QWidget* parent)
    : QMainWindow(parent), g_(global), mdi_(new QMdiArea(this)), autoSaveTimer_(new QTimer(this)),
      hook_([this](const CopyDataMessage& message) { return WindowProc(message); }) {
    setObjectName(QStringLiteral("mdform_QLEditor"));
    mdi_->setObjectName(QStringLiteral("MDIArea"));
    setCentralWidget(mdi_);
    autoSaveTimer_->setObjectName(QStringLiteral("AutoSaveTimer"));
    autoSaveTimer_->setInterval(kTickMs);
    connect(autoSaveTimer_, &QTimer::timeout, this, &mdform_QLEditor::AutoSaveTick);
}

mdform_QLEditor::~mdform_QLEditor() = default;

quint64 mdform_QLEditor::Handle() const {
    return quint64(winId());
}

void mdform_QLEditor::Load() {
    Settings& settings = g_.settings;
    setWindowTitle(kCaption);
    settings.CreateMainKeys();
    const quint64 handle = Handle();
    settings.Write(QStringLiteral("Application Path"), QDir::toNativeSeparators(g_.applicationPath));
    settings.Write(QStringLiteral("WinRegistration"), QString::number(handle));
    hook_.Hook(handle);
    settings.CreateKey(QStringLiteral("MRU"));
    settings.ReadStartup();
    ApplyPlacement();
    SetAutoSaveTimer(settings.autoSaveMinutes);
    if (!g_.commandLine.isEmpty())
        OpenCommandLine(g_.commandLine);
    OpenWelcomeDocument();
    loaded_ = true;
    show();
}

void mdform_QLEditor::ApplyPlacement() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const TwipScale scale = TwipScale::OfScreen(screen);
    const QSize pixels = screen->geometry().size();
    const WindowPlacement p =
        g_.settings.Placement(qRound(pixels.width() / scale.x), qRound(pixels.height() / scale.y));
    move(qRound(p.left * scale.x), qRound(p.top * scale.y));
    resize(qRound(p.width * scale.x), qRound(p.height * scale.y));
    if (p.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void mdform_QLEditor::WriteGeometry() {
    // A minimized window has no place worth restoring.
    if (isMinimized())
        return;
    const TwipScale scale = TwipScale::OfScreen(screen());
    WindowPlacement p;
    p.maximized = isMaximized();
    p.top = qRound(pos().y() / scale.y);
    p.left = qRound(pos().x() / scale.x);
    p.width = qRound(width() / scale.x);
    p.height = qRound(height() / scale.y);
    g_.settings.WriteGeometry(p);
}

void mdform_QLEditor::OpenWelcomeDocument() {
    const QDir folder(g_.applicationPath);
    for (const QString& name : folder.entryList(QDir::Files)) {
        if (name.toUpper() != QLatin1String("WELCOME.RTF"))
            continue;
        OpenCommandLine(folder.filePath(name));
        QFile::remove(folder.filePath(name));
        return;
    }
}

void mdform_QLEditor::OpenCommandLine(const QString& commandLine) {
    qCDebug(lcHandoff).noquote() << "open command line:" << commandLine;
}

void mdform_QLEditor::SetAutoSaveTimer(int minutes) {
    g_.settings.autoSaveMinutes = minutes;
    if (minutes != 0)
        autoSaveTimer_->start();
    else
        autoSaveTimer_->stop();
}

void mdform_QLEditor::AutoSaveTick() {
    if (++minuteCounter_ < g_.settings.autoSaveMinutes)
        return;
    minuteCounter_ = 0;
    SaveAllDocuments(true);
}

void mdform_QLEditor::SaveAllDocuments(bool automatic) {
    if (automatic)
        setWindowTitle(kCaption + QStringLiteral(" - AutoSaving Open Files"));
    if (automatic)
        setWindowTitle(kCaption);
}

void mdform_QLEditor::CascadeWindows() {
    mdi_->cascadeSubWindows();
}

quint32 mdform_QLEditor::WindowProc(const CopyDataMessage& message) {
    if (message.message != CopyDataMessage::WM_COPYDATA || message.dwData != OS_SendMessage::kCommandLineData)
        return 0;
    OpenCommandLine(OS_SendMessage::CommandLineOf(message));
    CascadeWindows();
    return 1;
}

void mdform_QLEditor::ExitProgram() {
    if (g_.exiting)
        return;
    hook_.Unhook();
    g_.settings.Write(QStringLiteral("WinRegistration"), QString());
    setWindowTitle(QStringLiteral("Exiting - Please Wait"));
    g_.exiting = true;
    WriteGeometry();
    close();
    QCoreApplication::exit(0);
}

void mdform_QLEditor::closeEvent(QCloseEvent* event) {
    ExitProgram();
    event->accept();
}

void mdform_QLEditor::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (loaded_ && !g_.exiting)
        WriteGeometry();
}
