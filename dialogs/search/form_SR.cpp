#include "form_SR.h"

#include "Dialogs.h"
#include "Global.h"
#include "SearchPad.h"
#include "Twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>

namespace {
// The dialog keeps this far (twips) from the top right corner it is placed in.
constexpr int kInset = 200;
const QString kLastSearch = QStringLiteral("Last Search");

// What each way in sets the dialog's texts to; no caption keeps the current one.
struct EntryTexts {
    const char* caption;
    const char* explanation;
    const char* button;
};

EntryTexts TextsOf(SearchEntry entry) {
    switch (entry) {
    case SearchEntry::Find:
        return {"Search", "ENTER = Find Next;  SHFT+ENTER = Hard Return", "Find Next"};
    case SearchEntry::Replace:
        return {"Search / Replace", "ENTER = Replace Next;  SHFT+ENTER = Hard Return", "Replace Next"};
    case SearchEntry::Again:
        break;
    }
    return {nullptr,
            "While searching, use ENTER to Find Next, use SHFT+ENTER to insert a hard return in your document",
            "Find Next"};
}

bool IsEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

Qt::KeyboardModifiers Modifiers(const QKeyEvent& key) {
    return key.modifiers() & ~Qt::KeypadModifier;
}

// The dialog while it is on screen, else nullptr.
form_SR* Shown(Global& global) {
    form_SR* dialog = form_SR::Loaded(global);
    return dialog && dialog->isVisible() ? dialog : nullptr;
}
} // namespace

form_SR::form_SR(Global& global, QWidget* frame) : QDialog(frame), g_(global) {
    setObjectName(QStringLiteral("frm_Search"));
    setWindowTitle(QStringLiteral("frm_Search"));
    setModal(false);
    BuildControls();
}

void form_SR::BuildControls() {
    const auto named = [this](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        widget->installEventFilter(this);
        return widget;
    };
    Label1 = named(new QLabel(QStringLiteral("Search For:"), this), "Label1");
    txt_SearchString = named(new QLineEdit(this), "txt_SearchString");
    lbl_R = named(new QLabel(QStringLiteral("Replace with:"), this), "lbl_R");
    txt_R = named(new QLineEdit(this), "txt_R");
    cb_MatchCase = named(new QCheckBox(QStringLiteral("Match Case"), this), "cb_MatchCase");
    cb_WholeWord = named(new QCheckBox(QStringLiteral("Match Whole Word"), this), "cb_WholeWord");
    cmd_FindNext = named(new QPushButton(QStringLiteral("Find Next"), this), "cmd_FindNext");
    cmd_Cance = named(new QPushButton(QStringLiteral("Cancel"), this), "cmd_Cance");
    Label3 = named(new QLabel(QStringLiteral("While Searching, Remeber that:"), this), "Label3");
    Label2 = named(new QLabel(QStringLiteral("TAB = Returns focus to here; SHFT+TAB = Tab in Document"), this),
                   "Label2");
    lbl_Exp = named(new QLabel(QStringLiteral("NOTE: ENTER = Find Next;  SHFT+ENTER = Hard Return"), this),
                    "lbl_Exp");
    // Room for the longest explanation, which takes two lines.
    lbl_Exp->setWordWrap(true);
    lbl_Exp->setMinimumHeight(2 * lbl_Exp->fontMetrics().lineSpacing());
    auto* line = named(new QFrame(this), "Line1");
    line->setFrameShape(QFrame::HLine);

    // The hidden replacement keeps its place: the dialog looks the same in both modes.
    for (QWidget* replace : std::initializer_list<QWidget*>{lbl_R, txt_R}) {
        QSizePolicy policy = replace->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        replace->setSizePolicy(policy);
    }
    // Enter is handled by the key filter alone: no button may take it as the default.
    for (QPushButton* button : {cmd_FindNext, cmd_Cance})
        button->setAutoDefault(false);
    // Wide enough for the replace mode's caption.
    cmd_FindNext->setMinimumWidth(cmd_FindNext->fontMetrics().horizontalAdvance(QStringLiteral("Replace Next")) +
                                  cmd_FindNext->fontMetrics().averageCharWidth() * 4);
    connect(cmd_FindNext, &QPushButton::clicked, this, &form_SR::cmd_FindNext_Click);
    connect(cmd_Cance, &QPushButton::clicked, this, &form_SR::cmd_Cance_Click);

    auto* options = new QHBoxLayout;
    options->addWidget(cb_MatchCase);
    options->addWidget(cb_WholeWord);
    options->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txt_SearchString, 0, 1);
    grid->addWidget(cmd_FindNext, 0, 2);
    grid->addWidget(lbl_R, 1, 0);
    grid->addWidget(txt_R, 1, 1);
    grid->addWidget(cmd_Cance, 1, 2);
    grid->addLayout(options, 2, 1);
    grid->addWidget(line, 3, 0, 1, 3);
    grid->addWidget(Label3, 4, 0, 1, 3);
    grid->addWidget(Label2, 5, 0, 1, 3);
    grid->addWidget(lbl_Exp, 6, 0, 1, 3);
    grid->setColumnMinimumWidth(1, 220);
    // One size whatever the mode and texts, so that the dialog stays where it was placed.
    setFixedSize(sizeHint());
}

form_SR* form_SR::Loaded(Global& global) {
    return global.searchDialog;
}

form_SR& form_SR::Load(Global& global, const DocumentWindow& window) {
    if (!global.searchDialog)
        global.searchDialog = new form_SR(global, window.window());
    return *global.searchDialog;
}

void form_SR::Unload() {
    // Forgotten at once, so that the next load starts from the design state; deleted later, since
    // this may run inside one of the dialog's own handlers.
    if (g_.searchDialog == this)
        g_.searchDialog.clear();
    hide();
    deleteLater();
}

void form_SR::Serve(Global& global, const DocumentWindow& window, SearchEntry entry) {
    const SearchPad pad(&window);
    if (!pad.IsValid())
        return;
    form_SR& dialog = Load(global, window);
    dialog.Initialize();
    dialog.SetDocument(window.Type(), window.Slot());
    dialog.FollowActivation(window.mdiArea());
    dialog.Enter(entry, pad);
}

void form_SR::Initialize() {
    // The native window knows the frame, so the outer width is right before the first show.
    winId();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int insetX = Twips::ToPixelsX(kInset, *screen);
    const int insetY = Twips::ToPixelsY(kInset, *screen);
    const QWidget* frame = parentWidget();
    const QRect corner = g_.settings.containSRD && frame ? frame->frameGeometry() : screen->geometry();
    move(corner.x() + corner.width() - frameGeometry().width() - insetX, corner.y() + insetY);
}

void form_SR::FollowActivation(const QMdiArea* area) {
    if (!area)
        return;
    connect(area, &QMdiArea::subWindowActivated, this, &form_SR::DocumentActivated, Qt::UniqueConnection);
}

void form_SR::DocumentActivated(QMdiSubWindow* window) {
    // The dialog serves text and rich-text documents only: another kind made active ends it.
    const auto* document = qobject_cast<const DocumentWindow*>(window);
    if (document && document->Type() != DocType::TXT && document->Type() != DocType::RTF)
        cmd_Cance_Click();
}

void form_SR::SetDocument(DocType type, int slot) {
    type_ = type;
    slot_ = slot;
}

bool form_SR::Replacing() const {
    return !txt_R->isHidden();
}

void form_SR::Enter(SearchEntry entry, const SearchPad& pad) {
    const EntryTexts texts = TextsOf(entry);
    const bool replace = entry == SearchEntry::Replace;
    if (texts.caption)
        setWindowTitle(QString::fromLatin1(texts.caption));
    lbl_R->setVisible(replace);
    txt_R->setVisible(replace);
    if (entry != SearchEntry::Again) {
        txt_SearchString->setText(pad.SelectedText());
        txt_SearchString->selectAll();
    }
    if (!replace)
        txt_R->clear();
    lbl_Exp->setText(QString::fromLatin1(texts.explanation));
    cmd_FindNext->setText(QString::fromLatin1(texts.button));
    if (entry == SearchEntry::Again)
        SearchAgain();
    else
        ShowForInput();
}

void form_SR::ShowForInput() {
    show();
    FocusSearchText();
}

void form_SR::FocusSearchText() {
    raise();
    activateWindow();
    txt_SearchString->setFocus();
    txt_SearchString->selectAll();
}

DocumentWindow* form_SR::Served() const {
    if (slot_ < 0 || slot_ > Global::kSlots)
        return nullptr;
    DocumentWindow* window = g_.Slot(type_, slot_).window;
    return window && !window->Tag.isEmpty() ? window : nullptr;
}

std::optional<QString> form_SR::LastSearchKey() const {
    if (type_ == DocType::TXT && g_.settings.txtKeyGate)
        return QStringLiteral("TXT Editor");
    if (type_ == DocType::RTF && g_.settings.rtfKeyGate)
        return QStringLiteral("RTF Editor");
    return std::nullopt;
}

void form_SR::cmd_FindNext_Click() {
    do {
        if (const std::optional<QString> key = LastSearchKey())
            g_.settings.Write(kLastSearch, txt_SearchString->text(), *key);
    } while (Search() == Outcome::Again);
}

void form_SR::cmd_Cance_Click() {
    Unload();
}

void form_SR::reject() {
    cmd_Cance_Click();
}

void form_SR::SearchAgain() {
    const std::optional<QString> key = LastSearchKey();
    txt_SearchString->setText(key ? g_.settings.Read(kLastSearch, *key) : QString());
    if (!isVisible())
        show();
    if (Search() == Outcome::Again)
        cmd_FindNext_Click();
}

form_SR::Outcome form_SR::Search() {
    SearchPad pad(Served());
    const QString text = txt_SearchString->text();
    if (text.isEmpty() || !pad.IsValid())
        return Outcome::Done;
    const SearchPad::Result result = pad.FindNext(
        {text, txt_R->text(), cb_MatchCase->isChecked(), cb_WholeWord->isChecked(), Replacing()});
    pad.Focus();
    if (result != SearchPad::Result::NotFound)
        return Outcome::Done;
    if (Continue()) {
        pad.Select(0, 0);
        return Outcome::Again;
    }
    pad.Focus();
    Unload();
    return Outcome::Done;
}

bool form_SR::Continue() {
    const QString caption = windowTitle();
    const QString question = QStringLiteral("Couldn't find \"") + txt_SearchString->text() +
                             QStringLiteral("\"\r\rContinue ") + caption + QStringLiteral(" from the top?");
    return qlx::MsgBox(question, qlx::vbYesNo + qlx::vbQuestion, caption) == qlx::vbYes;
}

void form_SR::CtrlF() {
    if (DocumentWindow* window = Served())
        window->SearchFind();
}

void form_SR::CtrlH() {
    if (DocumentWindow* window = Served())
        window->SearchReplace();
}

bool form_SR::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && HandleKey(watched, static_cast<const QKeyEvent&>(*event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool form_SR::HandleKey(QObject* watched, const QKeyEvent& key) {
    const bool control = Modifiers(key) == Qt::ControlModifier;
    if (control && key.key() == Qt::Key_F)
        CtrlF();
    else if (control && key.key() == Qt::Key_H)
        CtrlH();
    else if (key.key() == Qt::Key_Escape)
        cmd_Cance_Click();
    else if (IsEnter(key) && (watched == txt_SearchString || watched == txt_R))
        cmd_FindNext_Click();
    else
        return false;
    return true;
}

bool form_SR::PadKeyPress(Global& global, const DocumentWindow& window, const QKeyEvent& key) {
    form_SR* dialog = Shown(global);
    if (!dialog)
        return false;
    const Qt::KeyboardModifiers modifiers = Modifiers(key);
    if (IsEnter(key) && modifiers == Qt::NoModifier) {
        dialog->cmd_FindNext_Click();
        return true;
    }
    if (key.key() == Qt::Key_Tab && modifiers == Qt::NoModifier) {
        dialog->FocusSearchText();
        return true;
    }
    if (key.key() == Qt::Key_Backtab || (key.key() == Qt::Key_Tab && modifiers == Qt::ShiftModifier)) {
        SearchPad(&window).Insert(QStringLiteral("\t"));
        return true;
    }
    // Escape goes on to the pad after the dialog has gone.
    if (key.key() == Qt::Key_Escape)
        dialog->cmd_Cance_Click();
    return false;
}

void form_SR::PadFocusIn(Global& global, const DocumentWindow& window) {
    form_SR* dialog = Shown(global);
    if (dialog && (dialog->type_ != window.Type() || dialog->slot_ != window.Slot()))
        dialog->Unload();
}
