#include "form_About.h"

#include "AboutTexts.h"
#include "Dialogs.h"
#include "Named.h"
#include "RegistryFunctions.h"
#include "WinPaths.h"
#include "form_Issue.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

namespace {
const QString kDescription =
    QStringLiteral("Text, RTF, INI and REG file editor that allows you to edit these files in a more native "
                   "environment than just Notepad and WordPad.");
const char* const kMsInfoKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const kToolsLocationKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools Location";

QLabel* Label(const QString& text, const char* name, QWidget* parent) {
    return Named(new QLabel(text, parent), name);
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    return Named(new QPushButton(text, parent), name);
}

QFrame* Line(QWidget* parent) {
    auto* line = Named(new QFrame(parent), "Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QString MachineValue(const char* key, const char* name) {
    return QString::fromStdString(RegistryFunctions().ReadValue(key, name));
}

bool Start(const QString& program) {
    return !program.isEmpty() && QProcess::startDetached(program, {});
}
} // namespace

form_About::form_About()
    : lblTitle(Label(AboutTexts::kProduct, "lblTitle", this)),
      lblVersion(Label(QStringLiteral("Version"), "lblVersion", this)) {
    Named(this, "form_About");
    setWindowTitle(QStringLiteral("About Quillon Editor"));
    QLabel* picIcon = Label(QString(), "picIcon", this);
    picIcon->setPixmap(QIcon(QStringLiteral(":/qlxres/quillon-editor.svg")).pixmap(48, 48));
    QLabel* lblDescription = Label(kDescription, "lblDescription", this);
    lblDescription->setWordWrap(true);
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 1.5);
    title.setBold(true);
    lblTitle->setFont(title);
    QPushButton* cmdOK = Button(QStringLiteral("OK"), "cmdOK", this);
    QPushButton* cmdSysInfo = Button(QStringLiteral("&System Info..."), "cmdSysInfo", this);
    QPushButton* license = Button(QStringLiteral("&License"), "EULA", this);
    cmdOK->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(Line(this), 3, 0, 1, 2);
    layout->addWidget(Label(AboutTexts::kFeedback, "Label2", this), 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addWidget(license);
    layout->addLayout(buttons, 5, 0, 1, 2);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &form_About::StartSysInfo);
    connect(license, &QPushButton::clicked, this, &form_About::ShowLicense);
}

void form_About::ShowVersion(const QString& version) {
    setWindowTitle(AboutTexts::kProduct);
    lblTitle->setText(AboutTexts::kProduct);
    lblVersion->setText(QStringLiteral("Version ") + version);
    show();
    raise();
    activateWindow();
}

void form_About::StartSysInfo() {
    // The tool's own path first; else the folder the shared tools are kept in.
    const QString path = MachineValue(kMsInfoKey, "PATH");
    bool started = false;
    if (!path.isEmpty()) {
        started = Start(path);
    } else {
        const QString folder = MachineValue(kToolsLocationKey, "MSINFO");
        started = !folder.isEmpty() && Start(WinPaths::FindNoCase(folder, QStringLiteral("MSINFO32.EXE")));
    }
    if (!started)
        qlx::MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), qlx::vbOKOnly,
                    AboutTexts::kLibraryTitle);
}

void form_About::ShowLicense() {
    form_Issue viewer(this);
    qlx::ShowForm(viewer);
}
