// The open key handles of the process: which key each names and with which access rights.
#pragma once

#include "WinReg.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace qlx::winreg {

struct RegHandle {
    std::int64_t key;
    REGSAM access;
};

class RegHandles {
public:
    HKEY Issue(std::int64_t key, REGSAM access);
    // The predefined roots are always open, with full access; HKEY_PERFORMANCE_DATA is no key here.
    std::optional<RegHandle> Find(HKEY handle) const;
    // False for a handle that is not open; closing a predefined root does nothing.
    bool Close(HKEY handle);
    void Clear();

private:
    std::unordered_map<std::uintptr_t, RegHandle> open_;
    // Handle values are never reused, so a closed handle stays unknown.
    std::uintptr_t next_ = 0x1000;
};

} // namespace qlx::winreg
