// The user's folders as the freedesktop conventions name them.
#pragma once

#include <string>

namespace qlx::winreg {

// $HOME, else the home folder of the user database.
std::string HomeFolder();

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string ConfigHome();

// The documents folder: XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents when it exists,
// else the home folder. This is what Windows calls the "Personal" shell folder.
std::string DocumentsFolder();

} // namespace qlx::winreg
