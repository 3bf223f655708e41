// The record a second instance sends to the first: the fields of a WM_COPYDATA message and the
// buffer it points to, as they travel over the hand-off channel.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

struct CopyDataMessage {
    static constexpr quint32 WM_COPYDATA = 74;
    static constexpr int kMinimumBuffer = 255;
    // The receiver refuses a record whose buffer claims more than this.
    static constexpr quint32 kMaximumBuffer = 1u << 20;
    static constexpr int kHeaderSize = 5 * 4;

    quint32 message = WM_COPYDATA;
    quint32 wParam = 0;
    quint32 dwData = 0;
    quint32 cbData = 0;
    QByteArray buffer;

    // The command line's bytes and a terminating zero in a zero-filled buffer of 255 bytes, or
    // larger when the text is longer: a command line is never cut.
    static CopyDataMessage FromText(const QByteArray& text, quint32 dwData, quint32 wParam);

    QByteArray Encode() const;
    // Reads one record from the front of bytes; nullopt while incomplete. *invalid is set when the
    // bytes can never become a record (a buffer above the cap).
    static std::optional<CopyDataMessage> Decode(const QByteArray& bytes, bool* invalid);

    // The bytes the receiver may use: never more than cbData, nor more than the buffer holds.
    QByteArray Payload() const;
};
