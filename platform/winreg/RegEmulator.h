// The state behind the emulated registry functions: the store of the current user, the open
// handles, and the lock that lets several threads call the functions at once.
#pragma once

#include "RegDatabase.h"
#include "RegHandles.h"
#include "WinReg.h"

#include <functional>
#include <memory>
#include <mutex>

namespace qlx::winreg {

class RegEmulator {
public:
    enum class Mode { Read, Write };
    using Operation = std::function<LONG(RegDatabase& db, const RegHandle& key, RegHandles& handles)>;

    static RegEmulator& Instance();

    // Runs operation in one transaction on the key of handle, once the handle is found open with
    // the rights in need and its key still exists. A store found corrupt is moved aside and made
    // anew, and the operation is tried once more (which only a predefined root survives).
    // Never throws: every failure is a registry error code.
    LONG Run(HKEY handle, REGSAM need, Mode mode, const Operation& operation);
    LONG Close(HKEY handle);

private:
    LONG RunOnce(HKEY handle, REGSAM need, Mode mode, const Operation& operation);
    // The store of the current environment; a change of environment, or a store file removed or
    // replaced by another, makes the old handles unknown and the store is opened anew.
    RegDatabase& Store();
    void Forget();

    // The file the open store was found in: device and inode.
    struct FileIdentity {
        unsigned long long device = 0;
        unsigned long long inode = 0;
        bool operator==(const FileIdentity&) const = default;
    };
    static FileIdentity IdentityOf(const std::string& path);

    std::mutex mutex_;
    std::unique_ptr<RegDatabase> db_;
    FileIdentity identity_;
    RegHandles handles_;
};

} // namespace qlx::winreg
