#include "RtfBench.h"

#include "BareToolkit.h"
#include "BenchShell.h"
#include "DocumentWindow.h"
#include "EventQueue.h"

#include <QSaveFile>
#include <QTextDocument>
#include <QTextEdit>

#include <vector>

namespace {

constexpr qint64 kTargetBytes = 5LL * 1024 * 1024;

const char* const kFonts[] = {"Arial", "Times New Roman", "Courier New"};
const char* const kRtfFamilies[] = {"\\fswiss", "\\froman", "\\fmodern"};
const int kSizes[] = {8, 10, 12, 16, 20};
const char* const kColors[] = {"000000", "C00000", "008000", "0000C0"};
// Words with characters inside and beyond code page 1252, each in its own way of escaping.
const char16_t* const kWords[] = {u"settings",   u"caf\u00e9",          u"na\u00efve", u"\u20ac",
                                  u"\u03a9mega", u"\u65e5\u672c",       u"\u2192",     u"file",
                                  u"window",     u"registry",           u"key",        u"value",
                                  u"section",    u"\u00c5ngstr\u00f6m", u"editor",     u"document"};

struct Run {
    QString text;
    int font;
    int size;
    int color;
    bool bold;
    bool italic;
    bool underline;
};

struct Paragraph {
    bool bullet;
    std::vector<Run> runs;
};

// A fixed sequence, so that every run of the bench reads the same document.
class Sequence {
public:
    int Next(int bound) {
        state_ = state_ * 1103515245u + 12345u;
        return int((state_ >> 16) % unsigned(bound));
    }

private:
    unsigned state_ = 1;
};

Paragraph MakeParagraph(Sequence& sequence) {
    Paragraph paragraph{sequence.Next(4) == 0, {}};
    const int runs = 3 + sequence.Next(6);
    for (int r = 0; r < runs; ++r) {
        Run run{{},
                sequence.Next(3),
                sequence.Next(5),
                sequence.Next(4),
                sequence.Next(3) == 0,
                sequence.Next(4) == 0,
                sequence.Next(6) == 0};
        const int words = 2 + sequence.Next(8);
        for (int w = 0; w < words; ++w)
            run.text += QString::fromUtf16(kWords[sequence.Next(16)]) + QLatin1Char(' ');
        paragraph.runs.push_back(run);
    }
    return paragraph;
}

QByteArray RtfText(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            out += char(c.unicode());
        else if (c.unicode() < 0x100)
            out += "\\'" + QByteArray::number(c.unicode(), 16);
        else
            out += "\\u" + QByteArray::number(c.unicode() > 32767 ? c.unicode() - 65536 : c.unicode()) + '?';
    }
    return out;
}

QByteArray RtfHeader() {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int f = 0; f < 3; ++f)
        out += "{\\f" + QByteArray::number(f) + kRtfFamilies[f] + ' ' + kFonts[f] + ";}";
    out += "{\\f3\\fnil\\fcharset2 Symbol;}}\n{\\colortbl;";
    for (const char* color : kColors) {
        const int rgb = QByteArray(color).toInt(nullptr, 16);
        out += "\\red" + QByteArray::number(rgb >> 16) + "\\green" + QByteArray::number((rgb >> 8) & 0xFF) +
               "\\blue" + QByteArray::number(rgb & 0xFF) + ';';
    }
    return out + "}\n";
}

QByteArray RtfParagraph(const Paragraph& paragraph) {
    QByteArray out = "\\pard";
    if (paragraph.bullet)
        out += "\\fi-360\\li720{\\pntext\\f3\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf3\\pnindent0{\\pntxtb\\'b7}}";
    out += '\n';
    for (const Run& run : paragraph.runs) {
        out += "{\\f" + QByteArray::number(run.font) + "\\fs" + QByteArray::number(kSizes[run.size] * 2) +
               "\\cf" + QByteArray::number(run.color + 1);
        out += run.bold ? "\\b" : "";
        out += run.italic ? "\\i" : "";
        out += run.underline ? "\\ul" : "";
        out += ' ' + RtfText(run.text) + "}";
    }
    return out + "\\par\n";
}

QString HtmlParagraph(const Paragraph& paragraph) {
    QString out = paragraph.bullet ? QStringLiteral("<li>") : QStringLiteral("<p>");
    for (const Run& run : paragraph.runs) {
        out += QStringLiteral("<span style=\"font-family:'%1'; font-size:%2pt; color:#%3;")
                   .arg(QLatin1String(kFonts[run.font]))
                   .arg(kSizes[run.size])
                   .arg(QLatin1String(kColors[run.color]));
        if (run.bold)
            out += QStringLiteral(" font-weight:700;");
        if (run.italic)
            out += QStringLiteral(" font-style:italic;");
        if (run.underline)
            out += QStringLiteral(" text-decoration:underline;");
        out += QStringLiteral("\">") + run.text + QStringLiteral("</span>");
    }
    return out + (paragraph.bullet ? QStringLiteral("</li>\n") : QStringLiteral("</p>\n"));
}

// The same paragraphs as rich text and as HTML, until the rich text reaches the target size.
bool WriteInputs(const QString& rtfPath, const QString& htmlPath) {
    QByteArray rtf = RtfHeader();
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body>\n");
    Sequence sequence;
    bool inList = false;
    while (rtf.size() < kTargetBytes) {
        const Paragraph paragraph = MakeParagraph(sequence);
        if (paragraph.bullet != inList)
            html += paragraph.bullet ? QStringLiteral("<ul>\n") : QStringLiteral("</ul>\n");
        inList = paragraph.bullet;
        rtf += RtfParagraph(paragraph);
        html += HtmlParagraph(paragraph);
    }
    rtf += "}\n";
    html += inList ? QStringLiteral("</ul></body></html>\n") : QStringLiteral("</body></html>\n");
    for (const auto& [path, bytes] : {std::pair{rtfPath, rtf}, std::pair{htmlPath, html.toUtf8()}}) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return false;
    }
    return true;
}

} // namespace

RtfBench::RtfBench(const QString& folder) : folder_(folder) {
    ready_ = WriteInputs(RtfPath(), HtmlPath());
}

void RtfBench::Ours(const ChildRun::Record& record) const {
    BenchShell shell(folder_ + "/shell");
    DocumentWindow* window = shell.OpenCopy(RtfPath(), folder_ + "/ours.rtf", DocType::RTF, record);
    record(EventQueue::TimedUntilIdle([&] { window->SaveFile(); }));
}

void RtfBench::Bare(const ChildRun::Record& record) const {
    QTextEdit pad;
    BareToolkit::ShowAsPad(pad);
    record(EventQueue::TimedUntilIdle([&] { pad.document()->setHtml(BareToolkit::Read(HtmlPath())); }));
    record(EventQueue::TimedUntilIdle(
        [&] { BareToolkit::Write(folder_ + "/bare.html", pad.document()->toHtml()); }));
}
