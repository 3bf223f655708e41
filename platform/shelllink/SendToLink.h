// The "Quillon Editor" entry of the user's Send To menu. On Windows it is a shortcut in the
// user's SendTo folder; elsewhere a desktop entry in the folder that file managers read their
// Send To menu from ($XDG_DATA_HOME/Thunar/sendto).
#pragma once

#include <QString>

class SendToLink {
public:
    // Where the entry lives.
    static QString FilePath();

    static bool Exists();

    // Writes the entry so that it starts the program file QLX in appFolder with the chosen files.
    // False when it could not be written.
    static bool Create(const QString& appFolder);

    // Removes the entry if there is one. False only when it exists and could not be removed.
    static bool Remove();
};
