#include "RtfCodePages.h"

#include "CodePage1252.h"

#include <array>

namespace {

struct CharsetCodePage {
    int charset;
    int codePage;
};

// Windows character sets by number. 1 (default) and 3 (the system's) follow the document; so does
// anything not listed.
// clang-format off
constexpr std::array<CharsetCodePage, 25> kCharsets = {{
    {0, 1252}, {2, RtfCodePages::kSymbol}, {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008},
    {81, 10002}, {84, 10006}, {85, 10081}, {89, 10007}, {128, 932}, {129, 949}, {134, 936}, {136, 950},
    {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251},
    {222, 874}, {238, 1250}, {254, 437}, {255, 850}}};
// clang-format on

struct NamedCodePage {
    int codePage;
    const char* name;
};

// Code pages whose converter name is not "windows-N"; the Mac Japanese, Korean, Chinese and
// Thai scripts read through their nearest Windows relatives.
constexpr std::array<NamedCodePage, 15> kNames = {{{437, "IBM437"},
                                                   {850, "IBM850"},
                                                   {852, "IBM852"},
                                                   {866, "IBM866"},
                                                   {10000, "macintosh"},
                                                   {10001, "windows-932"},
                                                   {10002, "windows-950"},
                                                   {10003, "windows-949"},
                                                   {10006, "x-mac-greek"},
                                                   {10007, "x-mac-cyrillic"},
                                                   {10008, "windows-936"},
                                                   {10021, "windows-874"},
                                                   {10029, "x-mac-centraleurroman"},
                                                   {10081, "x-mac-turkish"},
                                                   {65001, "UTF-8"}}};

QByteArray ConverterName(int codePage) {
    for (const NamedCodePage& named : kNames)
        if (named.codePage == codePage)
            return named.name;
    return "windows-" + QByteArray::number(codePage);
}

void DecodeAnsi(QByteArrayView bytes, QString& out) {
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    CodePage1252::Decode(bytes.data(), bytes.size(), reinterpret_cast<char16_t*>(out.data() + start));
}

} // namespace

int RtfCodePages::ForCharset(int charset) {
    for (const CharsetCodePage& entry : kCharsets)
        if (entry.charset == charset)
            return entry.codePage;
    return 0;
}

void RtfCodePages::Decode(int codePage, QByteArrayView bytes, QString& out) {
    if (codePage == kSymbol) {
        for (char byte : bytes)
            out += QChar(0xF000 + static_cast<unsigned char>(byte));
        return;
    }
    QStringDecoder* decoder = codePage == kAnsi ? nullptr : DecoderFor(codePage);
    if (!decoder) {
        DecodeAnsi(bytes, out);
        return;
    }
    QString text = decoder->decode(bytes);
    decoder->resetState();
    // Some converters stand a byte they cannot map for the ASCII substitute control.
    text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    out += text;
}

QStringDecoder* RtfCodePages::DecoderFor(int codePage) {
    auto found = decoders_.find(codePage);
    if (found == decoders_.end()) {
        QStringDecoder decoder(ConverterName(codePage).constData());
        found = decoders_.emplace(codePage, std::move(decoder)).first;
    }
    return found->second.isValid() ? &found->second : nullptr;
}
