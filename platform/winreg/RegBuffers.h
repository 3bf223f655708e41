// How the registry functions hand names and data to the caller's buffers, the same on every
// platform.
#pragma once

#include "WinReg.h"

#include <string_view>

namespace qlx::winreg {

// Copies a name and its terminating zero; *length is the room in characters on entry and the
// length without the zero on success. ERROR_MORE_DATA when the name and its zero do not fit.
LONG CopyName(std::string_view name, LPSTR buffer, LPDWORD length);

// Reports a value's data as RegQueryValueExA does: its size in *size, and the bytes when there is
// a buffer with room for them (else ERROR_MORE_DATA). Without size, only success.
LONG CopyData(std::string_view bytes, LPBYTE data, LPDWORD size);

} // namespace qlx::winreg
