// A registry file opened and saved as the window does: the bytes decoded as a text file (REGEDIT4
// or UTF-16 with its mark), every line imported, the tree written in expanded form. The written
// text fits the file's encoding and imports as the same keys and values, and the regular form,
// which leaves out keys without values, writes the same text from both. The second import reads
// the written text, not its bytes: the writer leaves out comments, and with them may go the bytes
// that told a code page 1252 file from UTF-8 (the text layer's own target checks the bytes).
#include "FuzzSupport.h"
#include "RegDump.h"
#include "RegImport.h"
#include "RegLines.h"
#include "RegWriter.h"
#include "Resources.h"
#include "TextFile.h"

#include <memory>

namespace {

struct RegDocument {
    Resources resources;
    RegNodes nodes{resources, QIcon(), QIcon()};
    RegValueTable values;
    std::unique_ptr<QTreeWidgetItem> file{nodes.NewFileNode(QStringLiteral("f.reg"))};

    explicit RegDocument(const QString& text) {
        RegImport import(nodes, values, file.get());
        RegLines lines(text);
        QStringView line;
        // The first line goes to the import even when empty, as the window hands it over.
        for (bool first = true; lines.Next(&line); first = false)
            if (first || !line.isEmpty())
                import.Handle(line, lines);
    }

    QString Text(bool expanded) const { return RegWriter::Text(file.get(), values, expanded); }
    QStringList Dump() const { return ::Dump(file.get(), values, true); }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DecodedText decoded = TextFile::Decode(FuzzSupport::Bytes(data, size));
    const RegDocument first(decoded.text);
    const QString saved = first.Text(true);
    QLX_CHECK(TextFile::CanEncode(saved, decoded.format.encoding));
    const RegDocument again(saved);
    QLX_CHECK_EQUAL(again.Dump(), first.Dump());
    QLX_CHECK_EQUAL(again.Text(false), first.Text(false));
    return 0;
}
