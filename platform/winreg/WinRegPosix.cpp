// The registry functions of advapi32 over the store of the current user.
#include "RegBuffers.h"
#include "RegEmulator.h"
#include "RegNames.h"
#include "RegRoots.h"
#include "WinReg.h"

using qlx::winreg::CopyName;
using qlx::winreg::RegDatabase;
using qlx::winreg::RegEmulator;
using qlx::winreg::RegHandle;
using qlx::winreg::RegHandles;
using qlx::winreg::RegValue;
using Mode = RegEmulator::Mode;

namespace {

std::string_view ValueName(LPCSTR name) {
    return name ? name : "";
}

// Reports a value's type and data as RegQueryValueExA does.
LONG CopyValue(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (type)
        *type = value.type;
    return qlx::winreg::CopyData(value.data, data, size);
}

// Opens the key at names below key, or creates the missing chain when create is set.
LONG OpenOrCreate(RegDatabase& db, const RegHandle& key, RegHandles& handles,
                  const std::vector<std::string>& names, bool create, REGSAM access, PHKEY result,
                  LPDWORD disposition) {
    std::optional<RegDatabase::Id> found = db.FindKey(key.key, names);
    const bool isNew = !found;
    if (isNew && !create)
        return ERROR_FILE_NOT_FOUND;
    if (isNew && (key.access & KEY_CREATE_SUB_KEY) == 0)
        return ERROR_ACCESS_DENIED;
    if (isNew)
        found = db.CreateKey(key.key, names);
    *result = handles.Issue(*found, access);
    if (disposition)
        *disposition = isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

} // namespace

LONG RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                     const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::vector<std::string> names;
    if (const LONG rc = qlx::winreg::SplitKeyPath(lpSubKey, names); rc != ERROR_SUCCESS)
        return rc;
    return RegEmulator::Instance().Run(
        hKey, 0, Mode::Write, [&](RegDatabase& db, const RegHandle& key, RegHandles& handles) {
            return OpenOrCreate(db, key, handles, names, true, samDesired, phkResult, lpdwDisposition);
        });
}

LONG RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    std::vector<std::string> names;
    if (const LONG rc = qlx::winreg::SplitKeyPath(lpSubKey, names); rc != ERROR_SUCCESS)
        return rc;
    return RegEmulator::Instance().Run(
        hKey, 0, Mode::Read, [&](RegDatabase& db, const RegHandle& key, RegHandles& handles) {
            return OpenOrCreate(db, key, handles, names, false, samDesired, phkResult, nullptr);
        });
}

LONG RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    const std::string_view name = ValueName(lpValueName);
    if ((!lpData && cbData > 0) || qlx::winreg::NameLength(name) > qlx::winreg::kMaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    const std::string_view data(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0);
    return RegEmulator::Instance().Run(hKey, KEY_SET_VALUE, Mode::Write,
                                       [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
                                           db.SetValue(key.key, name, dwType, data);
                                           return ERROR_SUCCESS;
                                       });
}

LONG RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    return RegEmulator::Instance().Run(
        hKey, KEY_QUERY_VALUE, Mode::Read, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            const std::optional<RegValue> value = db.FindValue(key.key, ValueName(lpValueName));
            return value ? CopyValue(*value, lpType, lpData, lpcbData) : ERROR_FILE_NOT_FOUND;
        });
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    std::vector<std::string> names;
    if (const LONG rc = qlx::winreg::SplitKeyPath(lpSubKey, names); rc != ERROR_SUCCESS)
        return rc;
    return RegEmulator::Instance().Run(
        hKey, 0, Mode::Write, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            // The empty path names the key of the handle itself, as on Windows.
            const std::optional<RegDatabase::Id> target = db.FindKey(key.key, names);
            if (!target)
                return ERROR_FILE_NOT_FOUND;
            if (*target <= qlx::winreg::kRootCount || db.HasSubkeys(*target))
                return ERROR_ACCESS_DENIED;
            db.DeleteKey(*target);
            return ERROR_SUCCESS;
        });
}

LONG RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    return RegEmulator::Instance().Run(
        hKey, KEY_SET_VALUE, Mode::Write, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            return db.DeleteValue(key.key, ValueName(lpValueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
}

LONG RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD, LPSTR lpClass,
                   LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    return RegEmulator::Instance().Run(
        hKey, KEY_ENUMERATE_SUB_KEYS, Mode::Read, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            const std::optional<std::string> name = db.SubkeyAt(key.key, dwIndex);
            if (!name)
                return ERROR_NO_MORE_ITEMS;
            // The store keeps neither classes nor write times: an empty class, a zero time.
            if (lpcchClass) {
                if (lpClass && *lpcchClass > 0)
                    *lpClass = '\0';
                *lpcchClass = 0;
            }
            if (lpftLastWriteTime)
                *lpftLastWriteTime = FILETIME{};
            return CopyName(*name, lpName, lpcchName);
        });
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    return RegEmulator::Instance().Run(
        hKey, KEY_QUERY_VALUE, Mode::Read, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            const std::optional<RegValue> value = db.ValueAt(key.key, dwIndex);
            if (!value)
                return ERROR_NO_MORE_ITEMS;
            const LONG rc = CopyName(value->name, lpValueName, lpcchValueName);
            return rc == ERROR_SUCCESS ? CopyValue(*value, lpType, lpData, lpcbData) : rc;
        });
}

LONG RegCloseKey(HKEY hKey) {
    return RegEmulator::Instance().Close(hKey);
}
