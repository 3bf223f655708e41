// Registry access through text paths: every settings read and write of the program passes here.
//
// A key path is a root name ("HKEY_CURRENT_USER", in any letter case; short forms such as "HKCU"
// name nothing), a backslash, and the path below the root. Texts are UTF-8 and round-trip
// unchanged. No key stays open between calls.
//
// The changing operations give false and the reading ones the empty text on any failure; nothing
// is thrown, except that EnumKeyCount and EnumValueCount throw std::overflow_error when a key has
// more than 32767 subkeys or values.
#pragma once

#include "Keystone2Export.h"

#include <cstdint>
#include <string>

struct HKEY__;

class KEYSTONE2_EXPORT RegistryFunctions {
public:
    bool AddKey(const std::string& NewKey);
    bool DelKey(const std::string& SubKey);
    bool WriteValue(const std::string& RegHivePath, const std::string& RegName, const std::string& RegValue,
                    const std::string& RegType);
    bool DelValue(const std::string& RegHivePath, const std::string& RegName);
    std::string ReadValue(const std::string& RegHivePath, const std::string& RegName);
    std::string EnumKey(const std::string& RegHivePath, int16_t KeyIndex);
    std::string EnumValue(const std::string& RegHivePath, int16_t KeyIndex);
    int16_t EnumKeyCount(const std::string& ParseKey);
    int16_t EnumValueCount(const std::string& ParseKey);

private:
    // The predefined key of a root name; null for any other text.
    static HKEY__* ParseKey(const std::string& Root);
    // The registry type number of a type name; 0 (REG_NONE) for any other text.
    static std::uint32_t ParseType(const std::string& Type);
    // Splits a key path into its root and the path below it, which then ends in a backslash.
    // False when the path has no backslash or its root name is unknown.
    static bool SplitKeyPath(const std::string& KeyPath, HKEY__*& Root, std::string& Path);
};
