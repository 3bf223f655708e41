#include "RegStore.h"

#include "UserFolders.h"

namespace qlx::winreg {

std::string StorePath() {
    return ConfigHome() + "/QLX/registry.db";
}

} // namespace qlx::winreg
