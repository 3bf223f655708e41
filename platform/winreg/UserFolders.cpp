#include "UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace qlx::winreg {
namespace {

// The folder a user-dirs.dirs line names: "$HOME/..." or an absolute path, quotes removed.
std::string UserDirValue(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0)
        value = HomeFolder() + value.substr(5);
    return value.rfind('/', 0) == 0 ? value : std::string();
}

std::string XdgDocumentsDir() {
    std::ifstream dirs(ConfigHome() + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(dirs, line);) {
        if (line.rfind(key, 0) == 0)
            return UserDirValue(line.substr(key.size()));
    }
    return {};
}

} // namespace

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* user = getpwuid(getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

std::string ConfigHome() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    return HomeFolder() + "/.config";
}

std::string DocumentsFolder() {
    if (std::string documents = XdgDocumentsDir(); !documents.empty())
        return documents;
    std::string documents = HomeFolder() + "/Documents";
    std::error_code error;
    return std::filesystem::is_directory(documents, error) ? documents : HomeFolder();
}

} // namespace qlx::winreg
