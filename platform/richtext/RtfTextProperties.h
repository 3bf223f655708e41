// The properties of text that rich text has and the toolkit's formats do not.
#pragma once

#include <QTextFormat>

namespace RtfTextProperties {

// Hidden text (\v): kept in the document and in saves, shown marked.
constexpr int kHidden = QTextFormat::UserProperty + 1;

} // namespace RtfTextProperties
