// Runs the lines of a registry probe script on one RegistryFunctions object.
//
// A line is an operation of the class and its arguments, separated by "|", the arguments written
// as DecodeArgument reads them, an index as a decimal number:
//   WriteValue|HKEY_CURRENT_USER\Software\QLXProbe\A|Name|{x*10000}|REG_SZ
// "Clear|path" deletes the key with everything below it through the class, so that a script can
// start from a known state.
#pragma once

#include "RegistryFunctions.h"

#include <string>
#include <string_view>

namespace qlx::probe {

class ProbeRunner {
public:
    // The result of one line as printed: True or False, a quoted text, a count, "overflow" when the
    // class threw std::overflow_error. Throws std::invalid_argument for a line that names no
    // operation or does not have its arguments.
    std::string Run(std::string_view line);

private:
    RegistryFunctions registry_;
};

} // namespace qlx::probe
