// An INI file opened and saved: the saved text fits the file's encoding and reads back as the same
// tree, and with every "Duplicate Section" answered No no line but a blank one is lost. The second
// reading takes the saved text, not its bytes: without its blank lines a file without a byte-order
// mark may tell its encoding less clearly (the text layer's own target checks the bytes).
#include "FuzzSupport.h"
#include "IniDocument.h"
#include "IniReader.h"
#include "TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedText decoded = TextFile::Decode(FuzzSupport::Bytes(data, size));
    const QString& text = decoded.text;
    IniDocument first;
    first.Read(text);
    const QString saved = first.Text();
    QLX_CHECK(TextFile::CanEncode(saved, decoded.format.encoding));
    IniDocument again;
    again.Read(saved);
    QLX_CHECK_EQUAL(again.Dump(), first.Dump());

    qsizetype lines = 0;
    for (const QString& line : IniReader::FileLines(text))
        lines += !line.isEmpty();
    QLX_CHECK_EQUAL(first.WrittenLines(), lines);
    return 0;
}
