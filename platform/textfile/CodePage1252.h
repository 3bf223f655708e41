// The Windows ANSI code page 1252, kept lossless: the five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, so every
// byte of a file survives a read and a write.
#pragma once

#include <QStringView>

class CodePage1252 {
public:
    static char16_t ToUnicode(unsigned char byte);
    // The byte of a character, or -1 when the code page has no place for it.
    static int FromUnicode(char16_t c);

    // Decodes size bytes into out, which has room for size characters.
    static void Decode(const char* bytes, qsizetype size, char16_t* out);
    // Encodes the text into out, one byte for each character; a character without a place
    // becomes "?". False when some character had none.
    static bool Encode(QStringView text, char* out);
    // Whether every character of the text has a place.
    static bool CanEncode(QStringView text);
};
