// The texts of the registry probe: arguments as its scripts write them, results as it prints them.
// A printed text is plain ASCII and the same on every platform, so two runs compare byte for byte.
#pragma once

#include <string>
#include <string_view>

namespace qlx::probe {

// Decodes one script argument: "%HH" is the byte HH and "{text*N}" is text repeated N times (text
// may hold "%HH" itself). Throws std::invalid_argument for a malformed escape or repeat.
std::string DecodeArgument(std::string_view argument);

// Text as printable ASCII: control characters, bytes that are not UTF-8 and the bytes listed in
// also as \xHH, other characters beyond ASCII as \uHHHH (\U00HHHHHH beyond 16 bits).
std::string Escaped(std::string_view text, std::string_view also = {});

// A result text in double quotes, escaped, with runs of one character written as {c*N}; "{",
// "}", the quote and the backslash are escaped so that the result reads without ambiguity.
std::string Quoted(std::string_view text);

} // namespace qlx::probe
