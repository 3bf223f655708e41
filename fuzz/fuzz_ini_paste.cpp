// Text pasted from the clipboard into an INI document: the document then saves and reads back as
// the same tree. Lines pasted into a selected section are all key lines, comments too, as the
// classic editor pasted them; read from the file, a comment is a comment again, so the kinds of
// lines are compared as the file gives them. The input's first byte picks the selected node, its second the answers to
// "Duplicate Section"; up to the first zero byte follows the document, after it the clipboard.
#include "FuzzSupport.h"
#include "IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const QByteArray rest = FuzzSupport::Bytes(data + 2, size - 2);
    const qsizetype split = rest.indexOf('\0');
    const QByteArray file = split < 0 ? QByteArray() : rest.first(split);
    const QString clipboard = QString::fromUtf8(split < 0 ? rest : rest.sliced(split + 1));

    IniDocument document(data[1]);
    document.Open(file);
    document.Paste(clipboard, data[0]);
    IniDocument again;
    again.Read(document.Text());
    QLX_CHECK_EQUAL(again.Dump(), document.Dump(true));
    return 0;
}
