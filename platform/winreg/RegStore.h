// Where the emulated registry keeps its data.
#pragma once

#include <string>

namespace qlx::winreg {

// The database file of the current user: $XDG_CONFIG_HOME (else ~/.config) + "/QLX/registry.db".
// The store follows the environment: when this path changes between two calls, the old store is
// closed, its handles become unknown, and the store under the new path is opened.
std::string StorePath();

} // namespace qlx::winreg
