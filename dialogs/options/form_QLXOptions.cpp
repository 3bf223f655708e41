#include "form_QLXOptions.h"

#include "AutoSave.h"
#include "CommonDialog.h"
#include "Dialogs.h"
#include "DocumentWindow.h"
#include "Global.h"
#include "SendToLink.h"
#include "StringResources.h"
#include "Twips.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <limits>
#include <optional>

namespace {
const QString kContextKey = QStringLiteral("HKEY_CLASSES_ROOT\\*\\Shell\\Quillon Editor");
const QString kTxtKey = QStringLiteral("TXT Editor");
const QString kRtfKey = QStringLiteral("RTF Editor");
const QString kAutoSaveRefused = QStringLiteral(
    "You have not entered a valid number for AutoSave.  Please enter a number between 1 and 99.");
constexpr int kWidthTwips = 6100;
constexpr int kHeightTwips = 4770;
constexpr int kMostAutoSaveMinutes = 99;

template <class Widget, class... Args> Widget* Named(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* Button(const char* name, const QString& caption) {
    QPushButton* button = Named<QPushButton>(name, caption);
    // Enter in the boxes must not close the dialog.
    button->setAutoDefault(false);
    return button;
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// A number as the whole number it rounds to (halves to even); nullopt for any other text.
std::optional<int> WholeNumber(const QString& text) {
    bool ok = false;
    const double value = std::nearbyint(text.trimmed().toDouble(&ok));
    if (!ok || !std::isfinite(value) || std::abs(value) > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(value);
}

// The AutoSave minutes a box text gives: 0 (off) to 99; nullopt for anything else.
std::optional<int> AutoSaveMinutes(const QString& text) {
    const std::optional<int> minutes = WholeNumber(text);
    if (!minutes || *minutes < 0 || *minutes > kMostAutoSaveMinutes)
        return std::nullopt;
    return minutes;
}

QString Flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

form_QLXOptions* form_QLXOptions::Open(Global& global, QWidget& main, CommonDialog& common, AutoSave& autoSave) {
    form_QLXOptions* dialog = nullptr;
    for (form_QLXOptions* open : main.findChildren<form_QLXOptions*>(Qt::FindDirectChildrenOnly)) {
        // A closed dialog may still wait for its deletion.
        if (open->isVisible())
            dialog = open;
    }
    if (!dialog)
        dialog = new form_QLXOptions(global, main, common, autoSave);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

QString form_QLXOptions::ContextCommand(const QString& applicationFolder) {
#ifdef _WIN32
    return QDir::toNativeSeparators(applicationFolder) + QStringLiteral("\\QLX.EXE %1");
#else
    return applicationFolder + QStringLiteral("/QLX %1");
#endif
}

form_QLXOptions::form_QLXOptions(Global& global, QWidget& main, CommonDialog& dialog, AutoSave& autoSave)
    : QDialog(&main), g_(global), dialog_(dialog), autoSave_(autoSave) {
    setObjectName(QStringLiteral("form_QLXOptions"));
    setWindowTitle(QStringLiteral("Quillon Editor Options"));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildPages();
    RegisterHelp();
    Load();
}

QGroupBox* form_QLXOptions::BuildGeneral() {
    cb_AutoSave = Named<QCheckBox>("cb_AutoSave", QStringLiteral("AutoSave Files"));
    txt_AutoSave = Named<QLineEdit>("txt_AutoSave");
    txt_AutoSave->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    txt_AutoSave->installEventFilter(this);
    cb_MultiSelect =
        Named<QCheckBox>("cb_MultiSelect", QStringLiteral("Allow Multiple Selections during File | Open"));
    cb_SEM = Named<QCheckBox>("cb_SEM", QStringLiteral("Start Editors Maximized"));
    cb_ContainSRD = Named<QCheckBox>("cb_ContainSRD",
                                     QStringLiteral("Search / Find Dialog starts up contained in QLX Shell"));
    Check1 = Named<QCheckBox>("Check1", QStringLiteral("Enable Context-Menu Shell Link"));
    cb_Notifications = Named<QCheckBox>("cb_Notifications",
                                        QStringLiteral("Disable Tool's Completion Notification Messages"));
    cb_SendTo = Named<QCheckBox>("cb_SendTo", QStringLiteral("Have Link for SendTo Menu"));
    connect(cb_AutoSave, &QCheckBox::clicked, this, [this](bool checked) {
        if (!checked)
            txt_AutoSave->clear();
        EnableAutoSaveBox(checked);
    });

    auto* frame = Named<QGroupBox>("frame_Sections1", QStringLiteral("GENERAL"));
    auto* column = new QVBoxLayout(frame);
    auto* autoSave = new QHBoxLayout;
    autoSave->addWidget(cb_AutoSave);
    autoSave->addWidget(txt_AutoSave);
    autoSave->addWidget(new QLabel(QStringLiteral("minutes")));
    autoSave->addStretch();
    column->addLayout(autoSave);
    for (QCheckBox* box : {cb_MultiSelect, cb_SEM, cb_ContainSRD, Check1, cb_Notifications, cb_SendTo})
        column->addWidget(box);
    column->addStretch();
    return frame;
}

QWidget* form_QLXOptions::BuildFontFrame() {
    txt_txtfont = Named<QLineEdit>("txt_txtfont");
    txt_txtsize = Named<QLineEdit>("txt_txtsize");
    // Only the font dialog sets them, so they always hold a font it knows.
    txt_txtfont->setReadOnly(true);
    txt_txtsize->setReadOnly(true);
    QPushButton* cmd_SetFS = Button("cmd_SetFS", QStringLiteral("Set Default Font and Size"));
    connect(cmd_SetFS, &QPushButton::clicked, this, &form_QLXOptions::ChooseDefaultFont);

    Frame1 = Named<QGroupBox>("Frame1", QStringLiteral("Set Default Font and Size"));
    auto* grid = new QGridLayout(Frame1);
    grid->addWidget(new QLabel(QStringLiteral("Font:")), 0, 0);
    grid->addWidget(txt_txtfont, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size:")), 1, 0);
    grid->addWidget(txt_txtsize, 1, 1);
    grid->addWidget(cmd_SetFS, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return Frame1;
}

namespace {
// A "Define Filter" frame: the extension box over the list of current associations, and the
// buttons below.
QGroupBox* FilterFrame(const char* name, const QString& title, QLineEdit* box, QListWidget* list,
                       QPushButton* add, QPushButton* remove) {
    auto* frame = Named<QGroupBox>(name, title);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(new QLabel(QStringLiteral("Desired Extension")));
    column->addWidget(box);
    column->addWidget(new QLabel(QStringLiteral("Current Associations")));
    column->addWidget(list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    column->addLayout(buttons);
    return frame;
}

QGroupBox* Page(const char* name, const QString& title, QRadioButton* option, QWidget* content) {
    auto* frame = Named<QGroupBox>(name, title);
    auto* column = new QVBoxLayout(frame);
    column->addWidget(option);
    if (content)
        column->addWidget(content, 1);
    else
        column->addStretch();
    return frame;
}
} // namespace

QGroupBox* form_QLXOptions::BuildTxtPage() {
    txt_ext = Named<QLineEdit>("txt_ext");
    list_text = Named<QListWidget>("list_text");
    QPushButton* add = Button("cmd_add", QStringLiteral("Add New"));
    QPushButton* remove = Button("cmd_Remove", QStringLiteral("Remove"));
    txtFilter_ = std::make_unique<FilterEditor>(g_.resources, txt_ext, list_text, add, remove);
    auto* content = new QWidget;
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    Frame2 = FilterFrame("Frame2", QStringLiteral("Define TXT Filter"), txt_ext, list_text, add, remove);
    row->addWidget(Frame2);
    row->addWidget(BuildFontFrame());
    return Page("frame_Sections4", QStringLiteral("TXT Editor"),
                qobject_cast<QRadioButton*>(opt_DefOpen->button(2)), content);
}

QGroupBox* form_QLXOptions::BuildRtfPage() {
    txt_RTFExt = Named<QLineEdit>("txt_RTFExt");
    list_rtf = Named<QListWidget>("list_rtf");
    QPushButton* add = Button("cmd_RTFAdd", QStringLiteral("Add New"));
    QPushButton* remove = Button("Cmd_RTFRemove", QStringLiteral("Remove"));
    rtfFilter_ = std::make_unique<FilterEditor>(g_.resources, txt_RTFExt, list_rtf, add, remove);
    Frame3 = FilterFrame("Frame3", QStringLiteral("Define RTF Filter"), txt_RTFExt, list_rtf, add, remove);
    Frame3->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Current Associations")) * 2);
    return Page("frame_Sections5", QStringLiteral("RTF Editor"),
                qobject_cast<QRadioButton*>(opt_DefOpen->button(3)), Frame3);
}

void form_QLXOptions::BuildPages() {
    static const char* const kTabs[][2] = {{"General", "General Program Options"},
                                           {"INI Editor", "Options specific to the INI Editor"},
                                           {"REG Editor", "Options specific to the REG Editor"},
                                           {"TXT Editor", "Options specific to the TXT Editor"},
                                           {"RTF Editor", "Options specific to the RTF Editor"}};
    static const char* const kTypes[] = {"INI", "REG", "TXT", "RTF"};
    TS = Named<QTabBar>("TS");
    // Every tab stays in sight: the dialog widens rather than scroll them.
    TS->setUsesScrollButtons(false);
    for (const auto& tab : kTabs)
        TS->setTabToolTip(TS->addTab(QLatin1String(tab[0])), QLatin1String(tab[1]));
    // The four options lie on different pages, so the group keeps them exclusive.
    opt_DefOpen = new QButtonGroup(this);
    for (int type = 0; type < 4; ++type) {
        auto* option =
            new QRadioButton(QStringLiteral("Make %1 files your Default Open Type").arg(kTypes[type]));
        option->setObjectName(QStringLiteral("opt_DefOpen%1").arg(type));
        opt_DefOpen->addButton(option, type);
    }
    frame_Sections = {
        BuildGeneral(),
        Page("frame_Sections2", QString(), qobject_cast<QRadioButton*>(opt_DefOpen->button(0)), nullptr),
        Page("frame_Sections3", QString(), qobject_cast<QRadioButton*>(opt_DefOpen->button(1)), nullptr),
        BuildTxtPage(), BuildRtfPage()};

    auto* client = new QGridLayout;
    for (QGroupBox* frame : frame_Sections)
        client->addWidget(frame, 0, 0);
    QPushButton* ok = Button("CMD_OK", QStringLiteral("OK"));
    QPushButton* cancel = Button("cmd_Cancel", QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &form_QLXOptions::Ok);
    connect(cancel, &QPushButton::clicked, this, &form_QLXOptions::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Right-Click on Item for Help")));
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(TS);
    column->addLayout(client, 1);
    column->addLayout(bottom);
    connect(TS, &QTabBar::currentChanged, this, [this](int index) { ShowPage(index + 1); });
}

void form_QLXOptions::RegisterHelp() {
    Help = Named<QMenu>("Help", QStringLiteral("Help"), this);
    QAction* contextHelp = Help->addAction(QStringLiteral("What's This"));
    contextHelp->setObjectName(QStringLiteral("ContextHelp"));
    connect(contextHelp, &QAction::triggered, this, &form_QLXOptions::ShowContextHelp);

    const auto topic = [this](QWidget* control, const char* title, int resource) {
        help_.insert(control, {QLatin1String(title), resource});
        control->installEventFilter(this);
    };
    topic(cb_SendTo, "SendTo Link Help", StringResources::kSendToHelp);
    topic(cb_Notifications, "Notifications Help", StringResources::kNotificationsHelp);
    topic(Check1, "Shell Link Help", StringResources::kShellLinkHelp);
    topic(cb_ContainSRD, "Search / Replace Startup Help", StringResources::kSearchStartupHelp);
    topic(cb_SEM, "Editors Startup Help", StringResources::kEditorsStartupHelp);
    topic(Frame2, "Text File Filter Help", StringResources::kTextFilterHelp);
    topic(Frame1, "Text Default Display Help", StringResources::kTextDisplayHelp);
    topic(Frame3, "RTF File Filter Help", StringResources::kRtfFilterHelp);
    topic(cb_MultiSelect, "MultiSelect Help", StringResources::kMultiSelectHelp);
    for (QAbstractButton* option : opt_DefOpen->buttons())
        topic(option, "Default Filter Type Help", StringResources::kDefaultTypeHelp);
}

void form_QLXOptions::Load() {
    autoSave_.Pause();
    resize(Twips::ToPixels(QSize(kWidthTwips, kHeightTwips), *this));
    currentPage_ = 1;
    for (int page = 2; page <= 5; ++page)
        frame_Sections[page - 1]->hide();
    cb_SendTo->setChecked(SendToLink::Exists());
    LoadContextLink();
    const Settings& settings = g_.settings;
    cb_Notifications->setChecked(settings.supressResults);
    cb_ContainSRD->setChecked(settings.containSRD);
    cb_SEM->setChecked(settings.startEditorsMax);
    cb_MultiSelect->setChecked(settings.multiSelect);
    txtFilter_->Fill(settings.txtFileFilter);
    rtfFilter_->Fill(settings.rtfFileFilter);
    txt_txtfont->setText(settings.txtDefaultFont);
    txt_txtsize->setText(QString::number(settings.txtDefaultSize));
    LoadDefaultOpenType();
    LoadAutoSave();
}

void form_QLXOptions::LoadContextLink() {
    const QString command =
        QString::fromStdString(g_.registry.ReadValue(Utf8(kContextKey + QStringLiteral("\\Command\\")), ""));
    Check1->setChecked(command.toUpper() == ContextCommand(g_.applicationPath).toUpper());
}

void form_QLXOptions::LoadDefaultOpenType() {
    const int type = WholeNumber(g_.settings.Read(QStringLiteral("Default Open Type"))).value_or(0);
    // Anything but a known type means the first one.
    opt_DefOpen->button(type >= 0 && type < 4 ? type : 0)->setChecked(true);
}

void form_QLXOptions::LoadAutoSave() {
    const int minutes = g_.settings.autoSaveMinutes;
    cb_AutoSave->setChecked(minutes != 0);
    txt_AutoSave->setText(minutes != 0 ? QString::number(minutes) : QString());
    EnableAutoSaveBox(minutes != 0);
}

void form_QLXOptions::ShowPage(int page) {
    if (page == currentPage_)
        return;
    frame_Sections[currentPage_ - 1]->hide();
    QGroupBox* frame = frame_Sections[page - 1];
    frame->setTitle(QString());
    frame->setFlat(true);
    frame->show();
    currentPage_ = page;
}

void form_QLXOptions::EnableAutoSaveBox(bool enabled) {
    txt_AutoSave->setEnabled(enabled);
    QPalette palette = txt_AutoSave->palette();
    palette.setColor(QPalette::Base,
                     QApplication::palette().color(enabled ? QPalette::Base : QPalette::Window));
    txt_AutoSave->setPalette(palette);
}

bool form_QLXOptions::CheckAutoSave() {
    if (txt_AutoSave->text().isEmpty())
        txt_AutoSave->setText(QStringLiteral("0"));
    if (AutoSaveMinutes(txt_AutoSave->text()))
        return true;
    qlx::MsgBox(kAutoSaveRefused, qlx::vbOKOnly + qlx::vbInformation, QStringLiteral("AutoSave"));
    txt_AutoSave->clear();
    txt_AutoSave->setFocus();
    return false;
}

void form_QLXOptions::ChooseDefaultFont() {
    CommonDialog& dialog = dialog_;
    dialog.DialogTitle = QStringLiteral("Choose Default Font and Size");
    dialog.FontName = g_.settings.txtDefaultFont;
    dialog.FontSize = g_.settings.txtDefaultSize;
    dialog.Flags = qlx::CF_BOTH;
    if (!dialog.ShowFont() || dialog.FontName.isEmpty() || dialog.FontSize < 0)
        return;
    txt_txtfont->setText(dialog.FontName);
    txt_txtsize->setText(QString::number(dialog.FontSize));
    fontChosen_ = true;
}

void form_QLXOptions::ShowContextHelp() {
    qlx::MsgBox(g_.resources.ReconstructString(StringResources::Text(pendingHelp_.resource)),
                qlx::vbOKOnly + qlx::vbInformation, pendingHelp_.title);
}

bool form_QLXOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txt_AutoSave && event->type() == QEvent::FocusOut) {
        // Another window or a menu taking the focus is not leaving the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CheckAutoSave();
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && help_.contains(watched)) {
        pendingHelp_ = help_.value(watched);
        Help->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void form_QLXOptions::Ok() {
    // OK pressed without leaving the box (by the keyboard) gets the same check as leaving it.
    if (cb_AutoSave->isChecked() && !CheckAutoSave())
        return;
    SaveFlags();
    g_.resources.MakeSendTo(cb_SendTo->isChecked(), g_.applicationPath);
    SaveContextLink();
    SaveFilters();
    SaveFont();
    ApplyFontToTextWindows();
    SaveDefaultOpenType();
    SaveAutoSave();
    close();
}

void form_QLXOptions::SaveFlags() {
    Settings& settings = g_.settings;
    const struct {
        QCheckBox* box;
        bool& flag;
        const char* name;
    } flags[] = {{cb_Notifications, settings.supressResults, "Supress Results"},
                 {cb_ContainSRD, settings.containSRD, "Contain SRD"},
                 {cb_SEM, settings.startEditorsMax, "Start Editors Max"},
                 {cb_MultiSelect, settings.multiSelect, "MultiSelect"}};
    for (const auto& entry : flags) {
        entry.flag = entry.box->isChecked();
        if (settings.mainKeyGate)
            settings.Write(QLatin1String(entry.name), Flag(entry.flag));
    }
}

void form_QLXOptions::SaveContextLink() {
    const std::string key = Utf8(kContextKey);
    const std::string command = key + "\\Command";
    if (Check1->isChecked()) {
        g_.registry.WriteValue(key, "", "Quillon Editor", "REG_SZ");
        g_.registry.WriteValue(command, "", Utf8(ContextCommand(g_.applicationPath)), "REG_SZ");
        return;
    }
    // The registry refuses to delete a key that still has subkeys.
    g_.registry.DelKey(command);
    g_.registry.DelKey(key);
}

void form_QLXOptions::SaveFilters() {
    Settings& settings = g_.settings;
    settings.rtfFileFilter = rtfFilter_->Filter();
    settings.Write(QStringLiteral("File Filter"), settings.rtfFileFilter, kRtfKey);
    settings.txtFileFilter = txtFilter_->Filter();
    settings.Write(QStringLiteral("File Filter"), settings.txtFileFilter, kTxtKey);
}

void form_QLXOptions::SaveFont() {
    Settings& settings = g_.settings;
    const QString font = txt_txtfont->text();
    const int size = WholeNumber(txt_txtsize->text()).value_or(settings.txtDefaultSize);
    // Only a font chosen here is stored: the common dialog may hold one another editor chose.
    if (settings.txtKeyGate && fontChosen_) {
        settings.Write(QStringLiteral("Default Font"), font, kTxtKey);
        settings.Write(QStringLiteral("Default Size"), QString::number(size), kTxtKey);
    }
    settings.txtDefaultFont = font;
    settings.txtDefaultSize = size;
}

void form_QLXOptions::ApplyFontToTextWindows() {
    const QFont font(g_.settings.txtDefaultFont, g_.settings.txtDefaultSize);
    for (int slot = 0; slot < Global::kSlots; ++slot) {
        DocumentSlot& entry = g_.Slot(DocType::TXT, slot);
        if (!entry.window || entry.window->Tag.isEmpty())
            continue;
        const bool changed = entry.changed;
        if (auto* pad = qobject_cast<QPlainTextEdit*>(entry.window->widget())) {
            pad->setFont(font);
            pad->moveCursor(QTextCursor::Start);
        }
        // A new font is no edit of the document.
        entry.window->Altered(changed);
    }
}

void form_QLXOptions::SaveDefaultOpenType() {
    g_.settings.Write(QStringLiteral("Default Open Type"), QString::number(opt_DefOpen->checkedId()));
}

void form_QLXOptions::SaveAutoSave() {
    const int minutes = cb_AutoSave->isChecked() ? AutoSaveMinutes(txt_AutoSave->text()).value_or(0) : 0;
    g_.settings.Write(QStringLiteral("AutoSave"), QString::number(minutes));
    autoSave_.SetMinutes(minutes);
}

void form_QLXOptions::reject() {
    close();
}

void form_QLXOptions::closeEvent(QCloseEvent* event) {
    // However the dialog goes (OK has stored its minutes by now, Cancel and the title bar have
    // changed nothing), the timer runs again with the minutes in force.
    autoSave_.SetMinutes(g_.settings.autoSaveMinutes);
    event->accept();
}
