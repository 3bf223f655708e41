// The Tools and Help commands the shell carries out itself: the system configuration files, the
// environment variables on the clipboard, the about box with the program's version.
#pragma once

class Global;
class Opener;
class QMdiArea;

class ShellTools {
public:
    ShellTools(Global& global, Opener& opener, QMdiArea& area) : g_(global), opener_(opener), area_(area) {}

    // Closes the changed documents (each offers to save), opens WIN.INI, SYSTEM.INI and
    // PROTOCOL.INI of the Windows folder and AUTOEXEC.BAT and CONFIG.SYS of drive C: where they
    // exist, and cascades the windows.
    void SystemFiles();
    // Puts the environment on the clipboard and says so, unless the results are suppressed.
    void GatherVariables();
    void About();

private:
    void CloseChangedDocuments();

    Global& g_;
    Opener& opener_;
    QMdiArea& area_;
};
