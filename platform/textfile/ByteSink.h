// Where encoded bytes go piece by piece: a file being written or an array being filled. False when
// the piece could not be taken, which ends the writing.
#pragma once

#include <QByteArrayView>

#include <functional>

using ByteSink = std::function<bool(QByteArrayView)>;
