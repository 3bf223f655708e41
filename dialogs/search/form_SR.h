// The one find and replace dialog: modeless, owned by the main window, serving the pad of one text
// or rich-text window at a time. It is loaded on demand and unloaded by Cancel, by declining to
// continue from the top, or when another document's pad takes the focus; a new load starts afresh.
#pragma once

#include "DocumentWindow.h"

#include <QDialog>

#include <optional>

class Global;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class SearchPad;

// The document window's three ways into the dialog.
enum class SearchEntry { Find, Replace, Again };

class form_SR : public QDialog {
    Q_OBJECT
public:
    // What a document window's SearchFind, SearchReplace and SearchAgain do: load the dialog, place
    // it, point it at the window and set it up for the entry.
    static void Serve(Global& global, const DocumentWindow& window, SearchEntry entry);
    // A key pressed in a document window's pad. While the dialog is shown, Enter finds the next
    // occurrence, Tab goes back to the search text, Shift+Tab types a tab and Escape cancels. True
    // when the key was used up; Shift+Enter is left to the window.
    static bool PadKeyPress(Global& global, const DocumentWindow& window, const QKeyEvent& key);
    // A document window's pad took the focus: a dialog serving another document goes.
    static void PadFocusIn(Global& global, const DocumentWindow& window);

    // The loaded dialog, or nullptr.
    static form_SR* Loaded(Global& global);
    // Loads the dialog in the frame of the window it is to serve.
    static form_SR& Load(Global& global, const DocumentWindow& window);

    // Places the dialog near the top right corner of the screen, or of the main window when the
    // dialog is contained.
    void Initialize();

    DocType DocumentType() const { return type_; }
    int DocumentSlot() const { return slot_; }
    void SetDocument(DocType type, int slot);
    // Replace mode: the replacement text is shown.
    bool Replacing() const;

    // Stores the search text as the last search, then searches.
    void cmd_FindNext_Click();
    void cmd_Cance_Click();
    // Searches for the last stored text, showing the dialog when it is hidden.
    void SearchAgain();
    // Ctrl+F and Ctrl+H: the served window sets the dialog up again.
    void CtrlF();
    void CtrlH();

    // Closing the window is a Cancel.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Outcome { Done, Again };

    form_SR(Global& global, QWidget* frame);
    void FollowActivation(const QMdiArea* area);
    void DocumentActivated(QMdiSubWindow* window);
    void BuildControls();
    void Enter(SearchEntry entry, const SearchPad& pad);
    void ShowForInput();
    // Activates the dialog with the whole search text selected.
    void FocusSearchText();
    // One search; Again when the user chose to continue from the top.
    Outcome Search();
    bool Continue();
    DocumentWindow* Served() const;
    bool HandleKey(QObject* watched, const QKeyEvent& key);
    // The served editor's settings key when its gate is open.
    std::optional<QString> LastSearchKey() const;
    void Unload();

    Global& g_;
    DocType type_ = DocType::TXT;
    int slot_ = 0;

    QLabel* Label1;
    QLineEdit* txt_SearchString;
    QLabel* lbl_R;
    QLineEdit* txt_R;
    QCheckBox* cb_MatchCase;
    QCheckBox* cb_WholeWord;
    QPushButton* cmd_FindNext;
    QPushButton* cmd_Cance;
    QLabel* Label3;
    QLabel* Label2;
    QLabel* lbl_Exp;
};
