// The two versions of the document that the saving process writes in turn; of different sizes, so
// that a file torn between them cannot pass for either.
#pragma once

#include <QByteArray>

namespace crash {

inline QByteArray SaveContents(bool newer) {
    const QByteArray line =
        newer ? QByteArray("new line of the saved document\n") : QByteArray("old line of the document\n");
    return line.repeated((newer ? 8 : 6) * 1024 * 1024 / line.size());
}

} // namespace crash
