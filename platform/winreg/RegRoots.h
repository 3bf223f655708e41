// The predefined root keys. In the store they are the fixed rows 1 to 7, in the order of their
// handle values (HKEY_CLASSES_ROOT first).
#pragma once

#include "WinReg.h"

#include <cstdint>
#include <optional>

namespace qlx::winreg {

constexpr const char* kRootNames[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                                      "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                      "HKEY_DYN_DATA"};
constexpr std::int64_t kRootCount = 7;
constexpr std::int64_t kCurrentUserId = 2;

// The store row of a predefined handle; nothing for any other handle.
inline std::optional<std::int64_t> RootKeyId(HKEY handle) {
    const auto offset =
        reinterpret_cast<std::uintptr_t>(handle) - reinterpret_cast<std::uintptr_t>(HKEY_CLASSES_ROOT);
    if (offset < static_cast<std::uintptr_t>(kRootCount))
        return static_cast<std::int64_t>(offset) + 1;
    return std::nullopt;
}

} // namespace qlx::winreg
