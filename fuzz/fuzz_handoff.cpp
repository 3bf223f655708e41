// The record the first instance reads from its hand-off socket, from any bytes: a record is read
// only from bytes that hold all of it, its payload stays within cbData and its buffer, and it
// encodes back to the bytes it was read from.
#include "CopyDataMessage.h"
#include "FuzzSupport.h"

namespace {
quint32 BufferSizeOf(const QByteArray& bytes) {
    return bytes.size() < CopyDataMessage::kHeaderSize
               ? 0
               : quint32(uchar(bytes[16])) | quint32(uchar(bytes[17])) << 8 | quint32(uchar(bytes[18])) << 16 |
                     quint32(uchar(bytes[19])) << 24;
}

bool Same(const CopyDataMessage& a, const CopyDataMessage& b) {
    return a.message == b.message && a.wParam == b.wParam && a.dwData == b.dwData && a.cbData == b.cbData &&
           a.buffer == b.buffer;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    bool invalid = true;
    const std::optional<CopyDataMessage> message = CopyDataMessage::Decode(bytes, &invalid);
    const quint64 whole = quint64(CopyDataMessage::kHeaderSize) + BufferSizeOf(bytes);
    QLX_CHECK(invalid == (size >= std::size_t(CopyDataMessage::kHeaderSize) &&
                          BufferSizeOf(bytes) > CopyDataMessage::kMaximumBuffer));
    QLX_CHECK(message.has_value() == (!invalid && quint64(size) >= whole));
    if (!message)
        return 0;
    QLX_CHECK(quint64(message->buffer.size()) == whole - CopyDataMessage::kHeaderSize);
    const QByteArray payload = message->Payload();
    QLX_CHECK(quint64(payload.size()) <= message->cbData);
    QLX_CHECK(payload.size() <= message->buffer.size());
    QLX_CHECK(message->buffer.startsWith(payload));
    QLX_CHECK_EQUAL(message->Encode(), bytes.first(qsizetype(whole)));

    bool again = true;
    const std::optional<CopyDataMessage> decoded = CopyDataMessage::Decode(message->Encode(), &again);
    QLX_CHECK(!again && decoded && Same(*decoded, *message));
    return 0;
}
