#include "RegistryFunctions.h"

#include "WinReg.h"

#include <functional>
#include <limits>
#include <memory>
#include <stdexcept>

namespace {

struct RootName {
    const char* name;
    HKEY key;
};

struct TypeName {
    const char* name;
    DWORD type;
};

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OpenKey = std::unique_ptr<HKEY__, KeyCloser>;

// Room for the longest value name (16383 characters) in UTF-8.
constexpr DWORD kMaxNameBuffer = 1 << 16;

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string WithBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path : path + '\\';
}

// The result of work, or the empty result when anything fails inside it.
template <class Result, class Work> Result Guarded(Work work) noexcept {
    try {
        return work();
    } catch (...) {
        return Result{};
    }
}

OpenKey CreateKey(HKEY root, const std::string& path) {
    SECURITY_ATTRIBUTES security{}; // default security, not inherited
    char noClass[] = "";
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG rc = RegCreateKeyExU(root, path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                    &security, &key, &disposition);
    return OpenKey(rc == ERROR_SUCCESS ? key : nullptr);
}

OpenKey OpenExistingKey(HKEY root, const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    return OpenKey(RegOpenKeyExU(root, path.c_str(), 0, access, &key) == ERROR_SUCCESS ? key : nullptr);
}

// The name that enumerate() finds, with a buffer grown until the name fits; empty when none.
std::string EnumName(HKEY root, const std::string& path, REGSAM access,
                     const std::function<LONG(HKEY, LPSTR, LPDWORD)>& enumerate) {
    const OpenKey key = OpenExistingKey(root, path, access);
    if (!key)
        return {};
    for (DWORD room = 256;; room *= 2) {
        std::string name(room, '\0');
        DWORD length = room;
        const LONG rc = enumerate(key.get(), name.data(), &length);
        if (rc == ERROR_SUCCESS)
            return name.substr(0, length);
        if (rc != ERROR_MORE_DATA || room >= kMaxNameBuffer)
            return {};
    }
}

// Counts the names that nameAt() gives from index 0 until the first empty one.
int16_t CountNames(const std::string& path,
                   const std::function<std::string(const std::string&, int16_t)>& nameAt) {
    int16_t count = 0;
    while (!nameAt(path, count).empty()) {
        if (count == std::numeric_limits<int16_t>::max())
            throw std::overflow_error("more than 32767 names under " + path);
        ++count;
    }
    return count;
}

} // namespace

HKEY RegistryFunctions::ParseKey(const std::string& Root) {
    static const RootName roots[] = {{"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
                                     {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                                     {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                                     {"HKEY_USERS", HKEY_USERS},
                                     {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
                                     {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
                                     {"HKEY_DYN_DATA", HKEY_DYN_DATA}};
    const std::string upper = Upper(Root);
    for (const RootName& root : roots) {
        if (upper == root.name)
            return root.key;
    }
    return nullptr;
}

std::uint32_t RegistryFunctions::ParseType(const std::string& Type) {
    static const TypeName types[] = {{"REG_SZ", REG_SZ},
                                     {"REG_EXPAND_SZ", REG_EXPAND_SZ},
                                     {"REG_BINARY", REG_BINARY},
                                     {"REG_DWORD", REG_DWORD},
                                     {"REG_MULTI_SZ", REG_MULTI_SZ},
                                     {"REG_DWORD_LITTLE_ENDIAN", REG_DWORD_LITTLE_ENDIAN},
                                     {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN},
                                     {"REG_LINK", REG_LINK},
                                     {"REG_RESOURCE_LIST", REG_RESOURCE_LIST},
                                     {"REG_FULL_RESOURCE_DESCRIPTOR", REG_FULL_RESOURCE_DESCRIPTOR},
                                     {"REG_RESOURCE_REQUIREMENTS_LIST", REG_RESOURCE_REQUIREMENTS_LIST}};
    const std::string upper = Upper(Type);
    for (const TypeName& type : types) {
        if (upper == type.name)
            return type.type;
    }
    return REG_NONE;
}

bool RegistryFunctions::SplitKeyPath(const std::string& KeyPath, HKEY& Root, std::string& Path) {
    const std::size_t backslash = KeyPath.find('\\');
    if (backslash == std::string::npos)
        return false;
    Root = ParseKey(KeyPath.substr(0, backslash));
    Path = WithBackslash(KeyPath.substr(backslash + 1));
    return Root != nullptr;
}

bool RegistryFunctions::AddKey(const std::string& NewKey) {
    return Guarded<bool>([&] {
        HKEY root = nullptr;
        std::string path;
        return SplitKeyPath(NewKey, root, path) && CreateKey(root, path) != nullptr;
    });
}

bool RegistryFunctions::DelKey(const std::string& SubKey) {
    return Guarded<bool>([&] {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(SubKey, root, path))
            return false;
        path.pop_back(); // the key itself, not a path below it
        const std::size_t last = path.rfind('\\');
        const std::string parent = last == std::string::npos ? std::string() : path.substr(0, last + 1);
        const std::string child = last == std::string::npos ? path : path.substr(last + 1);
        const OpenKey key = CreateKey(root, parent);
        return key && RegDeleteKeyU(key.get(), child.c_str()) == ERROR_SUCCESS;
    });
}

bool RegistryFunctions::WriteValue(const std::string& RegHivePath, const std::string& RegName,
                                   const std::string& RegValue, const std::string& RegType) {
    return Guarded<bool>([&] {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(RegHivePath, root, path))
            return false;
        const DWORD type = ParseType(RegType);
        std::string data = RegValue + '\0';
        if (type == REG_MULTI_SZ)
            data += '\0'; // the list ends in a double zero
        if (data.size() > std::numeric_limits<DWORD>::max())
            return false;
        const OpenKey key = CreateKey(root, path);
        return key &&
               RegSetValueExU(key.get(), RegName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                              static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    });
}

bool RegistryFunctions::DelValue(const std::string& RegHivePath, const std::string& RegName) {
    return Guarded<bool>([&] {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(RegHivePath, root, path))
            return false;
        const OpenKey key = CreateKey(root, path);
        return key && RegDeleteValueU(key.get(), RegName.c_str()) == ERROR_SUCCESS;
    });
}

std::string RegistryFunctions::ReadValue(const std::string& RegHivePath, const std::string& RegName) {
    return Guarded<std::string>([&]() -> std::string {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(RegHivePath, root, path))
            return {};
        const OpenKey key = OpenExistingKey(root, path, KEY_QUERY_VALUE);
        if (!key)
            return {};
        // Asked with no room first, the store tells the size; it is asked again while the value
        // grows in between, so a value of any length reads whole.
        std::string data;
        DWORD size = 0;
        LONG rc = ERROR_MORE_DATA;
        while (rc == ERROR_MORE_DATA) {
            data.resize(size);
            rc = RegQueryValueExU(key.get(), RegName.c_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        }
        if (rc != ERROR_SUCCESS || size == 0)
            return {};
        return data.substr(0, size - 1); // without the terminating zero
    });
}

std::string RegistryFunctions::EnumKey(const std::string& RegHivePath, int16_t KeyIndex) {
    return Guarded<std::string>([&]() -> std::string {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(RegHivePath, root, path))
            return {};
        return EnumName(root, path, KEY_ENUMERATE_SUB_KEYS, [&](HKEY key, LPSTR name, LPDWORD length) {
            return RegEnumKeyExU(key, static_cast<DWORD>(KeyIndex), name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        });
    });
}

std::string RegistryFunctions::EnumValue(const std::string& RegHivePath, int16_t KeyIndex) {
    return Guarded<std::string>([&]() -> std::string {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKeyPath(RegHivePath, root, path))
            return {};
        return EnumName(root, path, KEY_QUERY_VALUE, [&](HKEY key, LPSTR name, LPDWORD length) {
            return RegEnumValueU(key, static_cast<DWORD>(KeyIndex), name, length, nullptr, nullptr, nullptr,
                                 nullptr);
        });
    });
}

int16_t RegistryFunctions::EnumKeyCount(const std::string& ParseKey) {
    return CountNames(WithBackslash(ParseKey),
                      [this](const std::string& path, int16_t index) { return EnumKey(path, index); });
}

int16_t RegistryFunctions::EnumValueCount(const std::string& ParseKey) {
    return CountNames(WithBackslash(ParseKey),
                      [this](const std::string& path, int16_t index) { return EnumValue(path, index); });
}
