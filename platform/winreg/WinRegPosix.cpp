// The registry functions of advapi32 over the store of the current user.
#include "RegEmulator.h"
#include "RegNames.h"
#include "WinReg.h"

#include <cstring>

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

// Copies a name and its terminating zero; *length is the room in characters on entry and the
// length without the zero on success.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD length) {
    if (name.size() >= *length)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Reports a value's type and data as RegQueryValueExA does: without a buffer only the size.
LONG CopyData(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (type)
        *type = value.type;
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = static_cast<DWORD>(value.data.size());
    if (!data)
        return ERROR_SUCCESS;
    if (value.data.size() > room)
        return ERROR_MORE_DATA;
    std::memcpy(data, value.data.data(), value.data.size());
    return ERROR_SUCCESS;
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
            return value ? CopyData(*value, lpType, lpData, lpcbData) : ERROR_FILE_NOT_FOUND;
        });
}

LONG RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    std::vector<std::string> names;
    if (const LONG rc = qlx::winreg::SplitKeyPath(lpSubKey, names); rc != ERROR_SUCCESS)
        return rc;
    if (names.empty()) // never the key of the handle itself, nor a predefined root
        return ERROR_BAD_PATHNAME;
    return RegEmulator::Instance().Run(
        hKey, 0, Mode::Write, [&](RegDatabase& db, const RegHandle& key, RegHandles&) {
            const std::optional<RegDatabase::Id> target = db.FindKey(key.key, names);
            if (!target)
                return ERROR_FILE_NOT_FOUND;
            if (db.HasSubkeys(*target))
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
            return rc == ERROR_SUCCESS ? CopyData(*value, lpType, lpData, lpcbData) : rc;
        });
}

LONG RegCloseKey(HKEY hKey) {
    return RegEmulator::Instance().Close(hKey);
}
