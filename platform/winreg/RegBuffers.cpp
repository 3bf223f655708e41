#include "RegBuffers.h"

#include <cstring>

namespace qlx::winreg {

LONG CopyName(std::string_view name, LPSTR buffer, LPDWORD length) {
    if (name.size() >= *length)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

LONG CopyData(std::string_view bytes, LPBYTE data, LPDWORD size) {
    if (!size)
        return ERROR_SUCCESS;
    const DWORD room = *size;
    *size = static_cast<DWORD>(bytes.size());
    if (!data)
        return ERROR_SUCCESS;
    if (bytes.size() > room)
        return ERROR_MORE_DATA;
    std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

} // namespace qlx::winreg
