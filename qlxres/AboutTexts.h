// Texts the about box and the licence viewer share.
#pragma once

#include <QString>

namespace AboutTexts {
inline const QString kProduct = QStringLiteral("Quillon Editor");
// Where the maker hears from the users.
inline const QString kFeedback = QStringLiteral("Send feedback through the project's issue tracker");
// The title of the library's own messages.
inline const QString kLibraryTitle = QStringLiteral("QLXRES");
} // namespace AboutTexts
