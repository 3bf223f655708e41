// The program's entry: the previous-instance test, the hand-off of a second start, and the life of
// the first instance's main window.
#pragma once

#include <QString>
#include <QStringList>

class Opener;

class Startup {
public:
    // One command-line text from the arguments the shell has already split: each made absolute
    // against the folder it was given in (the first instance does not share it), joined by spaces.
    static QString CommandLine(const QStringList& arguments, const QString& workingFolder);

    // Gives each type of document its editor.
    static void RegisterEditors(Opener& opener);

    // Runs the program in an application object that already exists; returns the exit code.
    static int Run(const QStringList& arguments);

private:
    // A second start whose files no running window took says so, rather than dropping them.
    static void ReportNotHandedOver(const QString& commandLine);
};
