// A registry file opened and saved as the window does: the bytes decoded as a text file (REGEDIT4
// or UTF-16 with its mark), every line imported, the tree written in expanded form. The written
// text fits the file's encoding and imports as the same keys and values, and the regular form,
// which leaves out keys without values, writes the same text from both. The second import reads
// the written text, not its bytes: the writer leaves out comments, and with them may go the bytes
// that told a code page 1252 file from UTF-8 (the text layer's own target checks the bytes).
#include "FuzzSupport.h"
#include "RegTextDocument.h"
#include "TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedText decoded = TextFile::Decode(FuzzSupport::Bytes(data, size));
    const RegTextDocument first(decoded.text);
    const QString saved = first.Text(true);
    QLX_CHECK(TextFile::CanEncode(saved, decoded.format.encoding));
    const RegTextDocument again(saved);
    QLX_CHECK_EQUAL(again.Dumped(true), first.Dumped(true));
    QLX_CHECK_EQUAL(again.Text(false), first.Text(false));
    return 0;
}
