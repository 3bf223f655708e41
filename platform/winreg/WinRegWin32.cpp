// The U forms of the registry calls on Windows: UTF-8 texts over the wide functions of advapi32.
// Names and the data of the string types are converted; the data of every other type passes as it
// is, as the ANSI functions pass it. A text that is not UTF-8 is refused with
// ERROR_NO_UNICODE_TRANSLATION rather than stored changed.
#include "RegBuffers.h"
#include "WinReg.h"

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

using qlx::winreg::CopyData;
using qlx::winreg::CopyName;

namespace {

// Room for the longest key or value name there is, and its terminating zero.
constexpr DWORD kNameRoom = 32768;

bool IsString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// UTF-8 to UTF-16, zeros included; nothing when the text is not UTF-8.
std::optional<std::wstring> Wide(std::string_view text) {
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length == 0 && size > 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

// A name of the caller in UTF-16; a null name is the empty one.
std::optional<std::wstring> WideName(LPCSTR name) {
    return Wide(name ? name : "");
}

// UTF-16 to UTF-8, zeros included. A lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
std::string Narrow(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

// The bytes a value of type is stored with: the data of the string types in UTF-16.
std::optional<std::string> StoredBytes(DWORD type, std::string_view data) {
    if (!IsString(type))
        return std::string(data);
    const std::optional<std::wstring> wide = Wide(data);
    if (!wide)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(wide->data()), wide->size() * sizeof(wchar_t));
}

// The caller's view of stored bytes: the data of the string types in UTF-8.
std::string CallerBytes(DWORD type, const std::string& bytes) {
    if (!IsString(type))
        return bytes;
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * sizeof(wchar_t));
    return Narrow(wide);
}

// The whole data of a value and its type, asked again while the value grows in between.
LONG QueryWide(HKEY key, const std::wstring& name, DWORD& type, std::string& bytes) {
    DWORD size = 0;
    LONG rc = ERROR_MORE_DATA;
    while (rc == ERROR_MORE_DATA) {
        bytes.resize(size);
        rc =
            RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
    }
    bytes.resize(size);
    return rc;
}

// Reports a value's type and data as RegQueryValueExA does, the data converted for the caller.
LONG Query(HKEY key, const std::wstring& name, LPDWORD type, LPBYTE data, LPDWORD size) {
    DWORD storedType = REG_NONE;
    std::string bytes;
    if (const LONG rc = QueryWide(key, name, storedType, bytes); rc != ERROR_SUCCESS)
        return rc;
    if (type)
        *type = storedType;
    return CopyData(CallerBytes(storedType, bytes), data, size);
}

// Hands a name found by a wide call to the caller's buffer.
LONG CopyWideName(const std::wstring& name, DWORD length, LPSTR buffer, LPDWORD room) {
    return CopyName(Narrow(std::wstring_view(name.data(), length)), buffer, room);
}

} // namespace

LONG RegCreateKeyExU(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                     REGSAM samDesired, const LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                     LPDWORD lpdwDisposition) {
    const std::optional<std::wstring> subKey = WideName(lpSubKey);
    std::optional<std::wstring> keyClass = WideName(lpClass);
    if (!subKey || !keyClass)
        return ERROR_NO_UNICODE_TRANSLATION;
    return RegCreateKeyExW(hKey, subKey->c_str(), Reserved, keyClass->data(), dwOptions, samDesired,
                           lpSecurityAttributes, phkResult, lpdwDisposition);
}

LONG RegOpenKeyExU(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult) {
    const std::optional<std::wstring> subKey = WideName(lpSubKey);
    if (!subKey)
        return ERROR_NO_UNICODE_TRANSLATION;
    return RegOpenKeyExW(hKey, subKey->c_str(), ulOptions, samDesired, phkResult);
}

LONG RegSetValueExU(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                    DWORD cbData) {
    if (!lpData && cbData > 0)
        return ERROR_INVALID_PARAMETER;
    const std::optional<std::wstring> name = WideName(lpValueName);
    const std::optional<std::string> bytes =
        StoredBytes(dwType, std::string_view(reinterpret_cast<const char*>(lpData), lpData ? cbData : 0));
    if (!name || !bytes)
        return ERROR_NO_UNICODE_TRANSLATION;
    return RegSetValueExW(hKey, name->c_str(), Reserved, dwType, reinterpret_cast<const BYTE*>(bytes->data()),
                          static_cast<DWORD>(bytes->size()));
}

LONG RegQueryValueExU(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                      LPDWORD lpcbData) {
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    const std::optional<std::wstring> name = WideName(lpValueName);
    return name ? Query(hKey, *name, lpType, lpData, lpcbData) : ERROR_NO_UNICODE_TRANSLATION;
}

LONG RegDeleteKeyU(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    const std::optional<std::wstring> subKey = Wide(lpSubKey);
    return subKey ? RegDeleteKeyW(hKey, subKey->c_str()) : ERROR_NO_UNICODE_TRANSLATION;
}

LONG RegDeleteValueU(HKEY hKey, LPCSTR lpValueName) {
    const std::optional<std::wstring> name = WideName(lpValueName);
    return name ? RegDeleteValueW(hKey, name->c_str()) : ERROR_NO_UNICODE_TRANSLATION;
}

LONG RegEnumKeyExU(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                   LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    const bool wantsClass = lpClass && lpcchClass;
    std::wstring name(kNameRoom, L'\0');
    std::wstring keyClass(wantsClass ? kNameRoom : 0, L'\0');
    DWORD nameLength = kNameRoom;
    DWORD classLength = static_cast<DWORD>(keyClass.size());
    const LONG rc = RegEnumKeyExW(hKey, dwIndex, name.data(), &nameLength, lpReserved,
                                  wantsClass ? keyClass.data() : nullptr, wantsClass ? &classLength : nullptr,
                                  lpftLastWriteTime);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (wantsClass) {
        if (const LONG copied = CopyWideName(keyClass, classLength, lpClass, lpcchClass);
            copied != ERROR_SUCCESS)
            return copied;
    }
    return CopyWideName(name, nameLength, lpName, lpcchName);
}

LONG RegEnumValueU(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                   LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    std::wstring name(kNameRoom, L'\0');
    DWORD nameLength = kNameRoom;
    const LONG rc =
        RegEnumValueW(hKey, dwIndex, name.data(), &nameLength, lpReserved, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (const LONG copied = CopyWideName(name, nameLength, lpValueName, lpcchValueName);
        copied != ERROR_SUCCESS)
        return copied;
    // The data through the query, which converts it as for any other read.
    name.resize(nameLength);
    return lpType || lpcbData ? Query(hKey, name, lpType, lpData, lpcbData) : ERROR_SUCCESS;
}
