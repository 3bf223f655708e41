// The settings of the program: text values under one key of the current user's registry, read
// once at start into these members; a few are read afresh each time they are needed.
#pragma once

#include <QString>

class RegistryFunctions;

// Window placement in twips, the unit the main window reports its position and size in.
struct WindowPlacement {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

class Settings {
public:
    static constexpr const char* kMainKey = "HKEY_CURRENT_USER\\SOFTWARE\\Norvale\\QLX";
    static constexpr const char* kShellFolders =
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

    explicit Settings(RegistryFunctions& registry);

    // "Norvale" and the main key; creating the main key gates the window and behaviour settings.
    void CreateMainKeys();
    void CreateKey(const QString& subKey);

    // Reads the window and behaviour settings, the editor defaults and the automatic-save interval,
    // and creates the editor keys on the way, in the order the program has always done it.
    void ReadStartup();

    // Where the main window goes on a screen of the given size (twips): the saved place, or centred
    // at three quarters of the screen when any of the four values is missing.
    WindowPlacement Placement(int screenWidth, int screenHeight) const;
    void WriteGeometry(const WindowPlacement& placement);

    // With a folder: records it as the folder Save dialogs start in, if it exists, and returns the
    // empty text. With the empty text: returns that folder, else the user's documents folder.
    QString LastSaveFolder(const QString& folder);

    QString Read(const QString& name, const QString& subKey = QString()) const;
    bool Write(const QString& name, const QString& value, const QString& subKey = QString());
    // A flag is on only when its text is exactly "1".
    static bool IsOn(const QString& text) { return text == QLatin1String("1"); }
    static QString KeyPath(const QString& subKey);

    bool mainKeyGate = false;
    bool txtKeyGate = false;
    bool rtfKeyGate = false;

    bool supressResults = false;
    bool containSRD = false;
    bool startEditorsMax = false;
    bool multiSelect = false;
    int autoSaveMinutes = 0;

    QString txtDefaultFont = QStringLiteral("Courier");
    int txtDefaultSize = 10;
    QString txtFileFilter = QStringLiteral("*.TXT;*.INF;*.BAT;*.KIX;*.REXX;*.HTM;*.HTML");
    QString rtfFileFilter = QStringLiteral("*.RTF;*.WRI");

private:
    void ReadFlags();
    void ReadEditorDefaults();
    void ReadAutoSave();

    RegistryFunctions& registry_;
    QString mdiTop_, mdiLeft_, mdiWidth_, mdiHeight_;
    bool mdiMax_ = false;
};
