// The code pages of \'hh bytes: the document's (\ansi, \ansicpgN, \mac, \pc, \pca) or a font's
// (\fcharsetN, \cpgN). Code page 1252 comes from the program's own table; the others from the
// toolkit's converters, by name. A code page the toolkit cannot convert reads as 1252.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

class RtfCodePages {
public:
    static constexpr int kAnsi = 1252;
    static constexpr int kMac = 10000;
    static constexpr int kPc = 437;
    static constexpr int kPca = 850;
    // Symbol fonts: a byte stands for the character U+F000 plus the byte, as on Windows, where
    // such fonts map their glyphs there.
    static constexpr int kSymbol = 42;

    // The code page of a font character set, or 0 when the set names none of its own (the
    // document's code page then applies).
    static int ForCharset(int charset);

    // Appends the characters of the bytes to out.
    void Decode(int codePage, QByteArrayView bytes, QString& out);

private:
    QStringDecoder* DecoderFor(int codePage);

    std::map<int, QStringDecoder> decoders_;
};
