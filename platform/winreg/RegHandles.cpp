#include "RegHandles.h"

#include "RegRoots.h"

namespace qlx::winreg {

HKEY RegHandles::Issue(std::int64_t key, REGSAM access) {
    next_ += 4;
    open_.emplace(next_, RegHandle{key, access});
    return reinterpret_cast<HKEY>(next_);
}

std::optional<RegHandle> RegHandles::Find(HKEY handle) const {
    // Windows answers performance queries there; it holds no keys or values to open or write.
    if (handle == HKEY_PERFORMANCE_DATA)
        return std::nullopt;
    if (const std::optional<std::int64_t> root = RootKeyId(handle))
        return RegHandle{*root, KEY_ALL_ACCESS};
    const auto open = open_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (open == open_.end())
        return std::nullopt;
    return open->second;
}

bool RegHandles::Close(HKEY handle) {
    return RootKeyId(handle) || open_.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0;
}

void RegHandles::Clear() {
    open_.clear();
}

} // namespace qlx::winreg
