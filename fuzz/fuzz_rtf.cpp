// Rich text read and written again: what was written is 7-bit rich text that reads back as the
// same plain text, and a save of what was read back is the same save.
#include "FuzzSupport.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QTextDocument>

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSupport::StartApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = FuzzSupport::Bytes(data, size);
    QTextDocument first;
    if (!RtfReader::Read(bytes, &first))
        return 0;
    const QByteArray written = RtfWriter::Write(first);
    QLX_CHECK(std::all_of(written.begin(), written.end(), [](char c) { return uchar(c) < 0x80; }));
    QTextDocument again;
    QLX_CHECK(RtfReader::Read(written, &again));
    QLX_CHECK_EQUAL(again.toPlainText(), first.toPlainText());
    QLX_CHECK(RtfWriter::Write(again) == written);
    return 0;
}
