#include "RegEmulator.h"

#include "RegStore.h"
#include "StoreError.h"

#include <new>

#include <sys/stat.h>

namespace qlx::winreg {

RegEmulator& RegEmulator::Instance() {
    static RegEmulator instance;
    return instance;
}

LONG RegEmulator::Run(HKEY handle, REGSAM need, Mode mode, const Operation& operation) {
    const std::lock_guard lock(mutex_);
    for (int attempt = 0;; ++attempt) {
        try {
            return RunOnce(handle, need, mode, operation);
        } catch (const StoreError& error) {
            if (!error.Unusable() || attempt > 0)
                return error.ErrorCode();
            Forget(); // reopening checks the file again and moves it aside
        } catch (const std::bad_alloc&) {
            return ERROR_OUTOFMEMORY;
        } catch (...) {
            return ERROR_REGISTRY_IO_FAILED;
        }
    }
}

LONG RegEmulator::RunOnce(HKEY handle, REGSAM need, Mode mode, const Operation& operation) {
    RegDatabase& db = Store();
    const std::optional<RegHandle> key = handles_.Find(handle);
    if (!key)
        return ERROR_INVALID_HANDLE;
    if ((key->access & need) != need)
        return ERROR_ACCESS_DENIED;
    const auto work = [&] {
        return db.KeyExists(key->key) ? operation(db, *key, handles_) : ERROR_KEY_DELETED;
    };
    return mode == Mode::Write ? db.Write(work) : db.Read(work);
}

LONG RegEmulator::Close(HKEY handle) {
    const std::lock_guard lock(mutex_);
    try {
        if (db_ && db_->Path() != StorePath())
            Forget();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    }
    return handles_.Close(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

RegEmulator::FileIdentity RegEmulator::IdentityOf(const std::string& path) {
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    return {static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino)};
}

RegDatabase& RegEmulator::Store() {
    std::string path = StorePath();
    if (db_ && db_->Path() == path) {
        if (IdentityOf(path) == identity_)
            return *db_;
        // Deleted or replaced while open: every later write would go to the lost file.
        db_->Abandon();
    }
    Forget();
    db_ = std::make_unique<RegDatabase>(path);
    identity_ = IdentityOf(path);
    return *db_;
}

void RegEmulator::Forget() {
    db_.reset();
    handles_.Clear();
}

} // namespace qlx::winreg
