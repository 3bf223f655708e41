// Splits rich-text bytes into groups, control words, control symbols, text and binary data. Every
// call consumes at least one byte, so a pass over any input ends after as many calls as it has bytes.
#pragma once

#include <QByteArrayView>

struct RtfToken {
    enum Kind { End, GroupOpen, GroupClose, Word, Symbol, Hex, Text, Binary };
    Kind kind = End;
    QByteArrayView name; // Word: the letters; Text and Binary: the bytes
    bool hasParameter = false;
    int parameter = 0; // read as 64 bits and clamped to the int range
    char symbol = 0;   // Symbol: the character after the backslash; Hex: the byte
};

class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView bytes) : bytes_(bytes) {}

    RtfToken Next();
    // How many bytes have been read.
    qsizetype Position() const { return pos_; }

private:
    RtfToken ReadControl();
    RtfToken ReadWord();
    RtfToken ReadHex();
    RtfToken ReadText();
    RtfToken ReadBinary(qint64 count);

    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};
