#include "CopyDataMessage.h"

#include <QtEndian>

#include <algorithm>

namespace {
void AppendWord(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

quint32 WordAt(const QByteArray& bytes, int index) {
    return qFromLittleEndian<quint32>(bytes.constData() + 4 * index);
}
} // namespace

CopyDataMessage CopyDataMessage::FromText(const QByteArray& text, quint32 dwData, quint32 wParam) {
    CopyDataMessage m;
    m.wParam = wParam;
    m.dwData = dwData;
    m.cbData = quint32(text.size()) + 1;
    m.buffer = QByteArray(std::max<qsizetype>(kMinimumBuffer, m.cbData), '\0');
    std::copy(text.begin(), text.end(), m.buffer.begin());
    return m;
}

QByteArray CopyDataMessage::Encode() const {
    QByteArray out;
    out.reserve(kHeaderSize + buffer.size());
    AppendWord(out, message);
    AppendWord(out, wParam);
    AppendWord(out, dwData);
    AppendWord(out, cbData);
    AppendWord(out, quint32(buffer.size()));
    out.append(buffer);
    return out;
}

std::optional<CopyDataMessage> CopyDataMessage::Decode(const QByteArray& bytes, bool* invalid) {
    *invalid = false;
    if (bytes.size() < kHeaderSize)
        return std::nullopt;
    const quint32 bufferSize = WordAt(bytes, 4);
    if (bufferSize > kMaximumBuffer) {
        *invalid = true;
        return std::nullopt;
    }
    if (quint64(bytes.size()) < quint64(kHeaderSize) + bufferSize)
        return std::nullopt;
    CopyDataMessage m;
    m.message = WordAt(bytes, 0);
    m.wParam = WordAt(bytes, 1);
    m.dwData = WordAt(bytes, 2);
    m.cbData = WordAt(bytes, 3);
    m.buffer = bytes.mid(kHeaderSize, bufferSize);
    return m;
}

QByteArray CopyDataMessage::Payload() const {
    return buffer.left(std::min<qsizetype>(cbData, buffer.size()));
}
