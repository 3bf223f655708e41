// The naming rules of the registry: how names compare and which key paths are well formed.
#pragma once

#include "WinReg.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qlx::winreg {

constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

// The name upper-cased code point by code point, so that "zürich" and "ZÜRICH" are one name.
// Bytes that are not UTF-8 are kept as they are.
std::string FoldName(std::string_view name);

// The length of a name in UTF-16 units, the unit of the registry's name limits: a character
// beyond the 16-bit range counts two.
std::size_t NameLength(std::string_view name);

// Splits a subkey path ("A\B\C", trailing backslashes allowed) into its names. Gives
// ERROR_BAD_PATHNAME for a leading backslash or an empty name, ERROR_INVALID_PARAMETER for a name
// longer than the registry allows. NULL and "" give no names: the key itself.
LONG SplitKeyPath(LPCSTR path, std::vector<std::string>& names);

} // namespace qlx::winreg
