#include "ScriptedResponder.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "DocumentFile.h"
#include "FileBytes.h"
#include "FileStamp.h"
#include "TextFile.h"
#include "TextPieces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <algorithm>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using Encoding = TextFormat::Encoding;
using LineEnd = TextFormat::LineEnd;

Q_DECLARE_METATYPE(Encoding)
Q_DECLARE_METATYPE(LineEnd)

namespace {

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray BytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray EveryByte() {
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i));
    return bytes;
}

QByteArray HighBytes() {
    QByteArray bytes;
    for (int i = 0x80; i < 0x100; ++i)
        bytes.append(char(i));
    return bytes;
}

QString SaveErrorText(const QString& path, const QString& description) {
    return "The request to save:\r" + path + "\rhas generated an error:\r\r" + description +
           "\r\rThe file on disk has not been changed.";
}

QString Text(const char16_t* text) {
    return QStringView(text).toString();
}

bool IsRoot() {
    return ::geteuid() == 0;
}

// The user "nobody".
constexpr uid_t kNobody = 65534;

// Runs the step in a child process that has become the user nobody; true when all went well.
bool AsNobody(const std::function<bool()>& step) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                        ::setresuid(kNobody, kNobody, kNobody) == 0 && step()
                    ? 0
                    : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

struct stat StatOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

int ChangeMode(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path).constData(), mode);
}

const QString kAskUnicode =
    "This document contains characters that its file encoding cannot hold.  Save it as UTF-8 instead?";

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void mixedLineEndsAfterEditing();
    void codePageCharacters();
    void encodeNewDocument();
    void canEncode();
    void largeTextInPieces();
    void readInPieces();
    void readErrors_data();
    void readErrors();
    void readsPastReportedSize();
    void saveAsUnicodeYes_data();
    void saveAsUnicodeYes();
    void saveAsUnicodeNo_data();
    void saveAsUnicodeNo();
    void saveAsksForHalfPairs_data();
    void saveAsksForHalfPairs();
    void failedSave_data();
    void failedSave();
    void saveRefusesReadOnlyFile();
    void saveKeepsModeAndLink();
    void saveInPlaceKeepsLinksOwnerAndMode();
    void saveRemovesOnlyAbandonedCopies();
    void openErrorMessage();
    void stampsWhatWasReadOrWritten();
};

void TestTextFile::roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<LineEnd>("lineEnd");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QByteArray() << Encoding::Cp1252 << false << LineEnd::CRLF << "";
    QTest::newRow("ASCII CR LF") << QByteArray("[boot]\r\nshell=x\r\n") << Encoding::Cp1252 << false
                                 << LineEnd::CRLF << "[boot]\nshell=x\n";
    QTest::newRow("UTF-8 LF") << QByteArray("caf\xC3\xA9\nna\xC3\xAFve\n") << Encoding::Utf8 << false
                              << LineEnd::LF << QString::fromUtf8("café\nnaïve\n");
    QTest::newRow("UTF-8 BOM, no final end")
        << QByteArray("\xEF\xBB\xBF"
                      "a\r\n\xE2\x82\xAC")
        << Encoding::Utf8 << true << LineEnd::CRLF << QString::fromUtf8("a\n€");
    QTest::newRow("UTF-8 BOM alone") << QByteArray("\xEF\xBB\xBF") << Encoding::Utf8 << true << LineEnd::CRLF
                                     << "";
    QTest::newRow("UTF-8 two BOMs") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << Encoding::Utf8 << true
                                    << LineEnd::CRLF << Text(u"\uFEFFx");
    QTest::newRow("UTF-8 with NUL and astral")
        << QByteArray("a\0b\xF0\x9F\x98\x80\r", 8) << Encoding::Utf8 << false << LineEnd::CR
        << QString::fromUtf8(QByteArray("a\0b\xF0\x9F\x98\x80\n", 8));
    QTest::newRow("UTF-16LE BOM CR LF")
        << QByteArray("\xFF\xFE"
                      "a\0\r\0\n\0\xAC\x20\0\0",
                      12)
        << Encoding::Utf16LE << true << LineEnd::CRLF << Text(u"a\n€") + QChar(0);
    QTest::newRow("UTF-16BE BOM CR") << QByteArray("\xFE\xFF\0a\0\r\0b", 8) << Encoding::Utf16BE << true
                                     << LineEnd::CR << "a\nb";
    QTest::newRow("UTF-16LE no BOM") << QByteArray("h\0i\0\n\0", 6) << Encoding::Utf16LE << false
                                     << LineEnd::LF << "hi\n";
    QTest::newRow("UTF-16BE no BOM") << QByteArray("\0h\0\xE9\0\r\0\n", 8) << Encoding::Utf16BE << false
                                     << LineEnd::CRLF << Text(u"h\u00E9\n");
    QTest::newRow("code page high bytes") << HighBytes() + "\r\n"
                                          << Encoding::Cp1252 << false << LineEnd::CRLF << QString();
    QTest::newRow("truncated UTF-8 sequence")
        << QByteArray("ab\xC3") << Encoding::Cp1252 << false << LineEnd::CRLF << Text(u"ab\u00C3");
    QTest::newRow("UTF-8 BOM then invalid") << QByteArray("\xEF\xBB\xBF\xFF") << Encoding::Cp1252 << false
                                            << LineEnd::CRLF << Text(u"\u00EF\u00BB\u00BF\u00FF");
    QTest::newRow("UTF-16 BOM, odd length")
        << QByteArray("\xFF\xFEz\0!", 5) << Encoding::Cp1252 << false << LineEnd::CRLF
        << QString(Text(u"\u00FF\u00FEz")) + QChar(0) + "!";
    QTest::newRow("UTF-16 BOM, lone surrogate")
        << QByteArray("\xFF\xFE\0\xD8\x41\0", 6) << Encoding::Cp1252 << false << LineEnd::CRLF
        << QString(Text(u"\u00FF\u00FE")) + QChar(0) + Text(u"\u00D8A") + QChar(0);
    // Every byte, control characters and both kinds of line end among them.
    QTest::newRow("every byte") << EveryByte() << Encoding::Cp1252 << false << LineEnd::LF << QString();
    QTest::newRow("mixed ends") << QByteArray("a\r\nb\nc\rd\r\r\n") << Encoding::Cp1252 << false
                                << LineEnd::CRLF << "a\nb\nc\nd\n\n";
}

// Opened and saved unchanged, a file is the same byte for byte.
void TestTextFile::roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(Encoding, encoding);
    QFETCH(bool, bom);
    QFETCH(LineEnd, lineEnd);
    QFETCH(QString, text);
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("doc.txt");
    WriteBytes(path, bytes);

    DecodedText decoded;
    QVERIFY(!TextFile::Read(path, &decoded));
    QCOMPARE(decoded.format.encoding, encoding);
    QCOMPARE(decoded.format.bom, bom);
    QCOMPARE(decoded.format.lineEnd, lineEnd);
    if (!text.isNull())
        QCOMPARE(decoded.text, text);
    QCOMPARE(TextFile::Encode(decoded.text, decoded.format), bytes);

    QVERIFY(DocumentFile::Save(path, decoded.text, &decoded.format));
    QCOMPARE(BytesOf(path), bytes);
    QVERIFY(responder.calls().isEmpty());
}

void TestTextFile::mixedLineEndsAfterEditing() {
    DecodedText decoded = TextFile::Decode("a\r\nb\nc\rd");
    QCOMPARE(decoded.format.mixedLineEnds, (std::vector<LineEnd>{LineEnd::CRLF, LineEnd::LF, LineEnd::CR}));
    // A line added past the lines that were read ends in the file's first style.
    decoded.text += "\ne\nf";
    QCOMPARE(TextFile::Encode(decoded.text, decoded.format), QByteArray("a\r\nb\nc\rd\r\ne\r\nf"));
    QVERIFY(TextFile::Decode("a\nb\n").format.mixedLineEnds.empty());
}

void TestTextFile::codePageCharacters() {
    QCOMPARE(TextFile::Decode("\x80\x81\x8A\x9F\xA0\xFF").text,
             Text(u"\u20AC\u0081\u0160\u0178\u00A0\u00FF"));
}

void TestTextFile::encodeNewDocument() {
    TextFormat format;
    QCOMPARE(TextFile::Encode(Text(u"\u20ACx\ny\n"), format), QByteArray("\x80x\r\ny\r\n"));
    format.encoding = Encoding::Utf16BE;
    format.bom = true;
    format.lineEnd = LineEnd::LF;
    QCOMPARE(TextFile::Encode(Text(u"\U0001F600\n"), format), QByteArray("\xFE\xFF\xD8\x3D\xDE\x00\0\n", 8));
}

void TestTextFile::canEncode() {
    QVERIFY(TextFile::CanEncode(Text(u"\u20AC\u0160\u0178\u00FF\u0081\u009D plain"), Encoding::Cp1252));
    QVERIFY(!TextFile::CanEncode(Text(u"a\u0100"), Encoding::Cp1252));
    // 0x80 is the euro sign, so U+0080 has no byte of its own.
    QVERIFY(!TextFile::CanEncode(Text(u"\u0080"), Encoding::Cp1252));
    QVERIFY(!TextFile::CanEncode(Text(u"\U0001F600"), Encoding::Cp1252));
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        QVERIFY(TextFile::CanEncode(Text(u"\u0100\U0001F600"), encoding));
        QVERIFY(!TextFile::CanEncode(QString(QChar(0xD800)) + "a", encoding));
        QVERIFY(!TextFile::CanEncode(QString("a") + QChar(0xDC00), encoding));
        QVERIFY(!TextFile::CanEncode(QString(QChar(0xD800)), encoding));
    }
}

// Long texts are encoded in pieces; no character may be cut at the seams.
void TestTextFile::largeTextInPieces() {
    // One line longer than a piece, with pairs across its seams, then many short lines.
    QString text = QString(300000, u'y');
    for (const qsizetype at : {131071, 262143})
        text.replace(at, 2, Text(u"\U0001F600"));
    while (text.size() < 600000)
        text += Text(u"\nline with \u00E9 and \u20AC\t") + QString(2000, u'x');
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("large.txt");
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        TextFormat format;
        format.encoding = encoding;
        format.bom = true;
        QVERIFY(DocumentFile::Save(path, text, &format));
        DecodedText decoded;
        QVERIFY(!TextFile::Read(path, &decoded));
        QCOMPARE(decoded.format.encoding, encoding);
        QVERIFY(decoded.text == text);
        QCOMPARE(TextFile::Encode(text, format), BytesOf(path));
    }
    const QString latin = QString(text).replace(Text(u"\U0001F600"), "!!");
    TextFormat format;
    QVERIFY(DocumentFile::Save(path, latin, &format));
    QVERIFY(TextFile::Decode(BytesOf(path)).text == latin);
}

// A file read a few bytes at a time gives the text and format of the file read whole, whatever
// the cuts fall between: a character's bytes, a surrogate pair, a CR and its LF, a mark.
void TestTextFile::readInPieces() {
    const QList<QByteArray> inputs = {
        QByteArray(),
        "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\r\nb",
        "a\r\nb\nc\rd\r\r\n\r",
        "\xEF\xBB\xBF\xEF\xBB\xBFx\r\n",
        QByteArray("\xFF\xFE\x3D\xD8\x00\xDE\r\0\n\0z\0", 12),
        QByteArray("\xFE\xFF\xD8\x3D\xDE\x00\0\r", 8),
        QByteArray("h\0i\0\r\0\n\0\x3D\xD8\x00\xDE", 12),
        QByteArray("\xFF\xFE\0\xD8\x41\0", 6),
        QByteArray("\xFF\xFEz\0!", 5),
        "ab\xC3",
        // Well-formed UTF-8 until a byte near the end: the line measured is the code page's.
        "0123456789\n" + QByteArray(15, 'x').replace("x", "\xC3\xA9") + "\r\n\xFF",
        EveryByte(),
    };
    TestEnvironment env;
    const QString path = env.path("pieces.txt");
    for (const QByteArray& bytes : inputs) {
        WriteBytes(path, bytes);
        const DecodedText whole = TextFile::Decode(bytes);
        for (const qsizetype pieceBytes : {1, 2, 3, 5, 4096}) {
            TextPieces pieces(path, pieceBytes);
            QVERIFY(!pieces.Open());
            QCOMPARE(pieces.Size(), bytes.size());
            QString text;
            for (QString piece; pieces.Next(&piece); text += piece)
                QVERIFY(!text.isEmpty() ? text.endsWith(u'\n') : !piece.isEmpty());
            QVERIFY(!pieces.Error());
            QCOMPARE(text, whole.text);
            QCOMPARE(pieces.Format().encoding, whole.format.encoding);
            QCOMPARE(pieces.Format().bom, whole.format.bom);
            QCOMPARE(pieces.Format().lineEnd, whole.format.lineEnd);
            QCOMPARE(pieces.Format().mixedLineEnds, whole.format.mixedLineEnds);
            QCOMPARE(FileStamp::Last(path), FileStamp::Of(bytes));
            qsizetype longest = 0;
            for (const QString& line : whole.text.split(u'\n'))
                longest = std::max(longest, line.size());
            QCOMPARE(pieces.LongestLine(), longest);
        }
    }

    // Grown between the look and the reading.
    TextPieces grown(path, 4);
    QVERIFY(!grown.Open());
    WriteBytes(path, EveryByte() + "more");
    QString piece;
    while (grown.Next(&piece))
        ;
    QCOMPARE(grown.Error()->number, 57);
    TextPieces folder(env.path("."));
    QCOMPARE(folder.Open()->number, 75);
}

void TestTextFile::readErrors_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << "missing" << 53;
    QTest::newRow("folder") << "folder" << 75;
    QTest::newRow("device") << "device" << 75;
    QTest::newRow("FIFO") << "fifo" << 75;
    QTest::newRow("unreadable") << "unreadable" << 70;
}

// None of these may hang or stream without end; each is an error with the classic number.
void TestTextFile::readErrors() {
    QFETCH(QString, kind);
    QFETCH(int, number);
    TestEnvironment env;
    QString path = env.path("x");
    if (kind == "folder")
        QVERIFY(QDir().mkpath(path));
    if (kind == "device")
        path = "/dev/zero";
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (kind == "unreadable") {
        if (IsRoot())
            QSKIP("The superuser reads any file.");
        WriteBytes(path, "secret");
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
    }
    DecodedText decoded;
    decoded.text = "untouched";
    const auto error = TextFile::Read(path, &decoded);
    QVERIFY(error);
    QCOMPARE(error->number, number);
    QVERIFY(!error->description.isEmpty());
    QCOMPARE(decoded.text, "untouched");
}

// Files of the system report no size and still have text.
void TestTextFile::readsPastReportedSize() {
    DecodedText decoded;
    QVERIFY(!TextFile::Read("/proc/self/status", &decoded));
    QVERIFY(decoded.text.contains("VmRSS"));
}

// The text is written in its encoding until a character that does not fit: the rows put it in
// the first piece, and past pieces already handed to the temporary file.
void UnencodableRows() {
    QTest::addColumn<QString>("before");
    QTest::newRow("first piece") << QString();
    QTest::newRow("past a megabyte") << QString(1 << 20, u'a') + "\n";
}

void TestTextFile::saveAsUnicodeYes_data() {
    UnencodableRows();
}

void TestTextFile::saveAsUnicodeYes() {
    QFETCH(QString, before);
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("a.txt");
    WriteBytes(path, "old\r\n");
    TextFormat format = TextFile::Detect("old\r\n");
    responder.expectMsgBox(qlx::vbYes);

    QVERIFY(DocumentFile::Save(path, before + Text(u"\u0100\u20AC\n"), &format));
    QCOMPARE(responder.calls().size(), 1);
    const DialogCall& ask = responder.calls().at(0);
    QCOMPARE(ask.text, kAskUnicode);
    QCOMPARE(ask.title, "Save as Unicode");
    QCOMPARE(ask.buttons, qlx::vbYesNo);
    QCOMPARE(ask.icon, qlx::vbQuestion);
    QCOMPARE(format.encoding, Encoding::Utf8);
    QVERIFY(!format.bom);
    QVERIFY(BytesOf(path) == QString(before).replace("\n", "\r\n").toLatin1() + "\xC4\x80\xE2\x82\xAC\r\n");
    QCOMPARE(QDir(env.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

void TestTextFile::saveAsUnicodeNo_data() {
    UnencodableRows();
}

void TestTextFile::saveAsUnicodeNo() {
    QFETCH(QString, before);
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("a.txt");
    WriteBytes(path, "old");
    TextFormat format;
    responder.expectMsgBox(qlx::vbNo);

    QVERIFY(!DocumentFile::Save(path, before + Text(u"\u0100"), &format));
    QCOMPARE(responder.calls().size(), 1);
    QCOMPARE(responder.calls().at(0).title, "Save as Unicode");
    QCOMPARE(format.encoding, Encoding::Cp1252);
    QCOMPARE(BytesOf(path), QByteArray("old"));
    QCOMPARE(QDir(env.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"});
}

void TestTextFile::saveAsksForHalfPairs_data() {
    QTest::addColumn<Encoding>("encoding");
    QTest::addColumn<QString>("text");
    for (const Encoding encoding : {Encoding::Utf8, Encoding::Utf16LE}) {
        const QByteArray name = encoding == Encoding::Utf8 ? "UTF-8" : "UTF-16LE";
        QTest::newRow(name + ", high half ends a line") << encoding << "a" + QString(QChar(0xD800)) + "\nb";
        QTest::newRow(name + ", low half alone") << encoding << Text(u"\U0001F600") + QChar(0xDC00);
    }
}

void TestTextFile::saveAsksForHalfPairs() {
    QFETCH(Encoding, encoding);
    QFETCH(QString, text);
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("a.txt");
    WriteBytes(path, "old");
    TextFormat format;
    format.encoding = encoding;
    responder.expectMsgBox(qlx::vbNo);

    QVERIFY(!DocumentFile::Save(path, text, &format));
    QCOMPARE(responder.calls().size(), 1);
    QCOMPARE(responder.calls().at(0).title, "Save as Unicode");
    QCOMPARE(BytesOf(path), QByteArray("old"));
}

void TestTextFile::failedSave_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("description");
    QTest::newRow("read-only folder") << "read-only folder" << 70 << "Permission denied";
    QTest::newRow("missing folder") << "missing folder" << 75 << "No such file or directory";
    QTest::newRow("target is a folder") << "target is a folder" << 75 << "Is a directory";
}

// The old file stays whole and the user is told why.
void TestTextFile::failedSave() {
    QFETCH(QString, kind);
    QFETCH(int, number);
    QFETCH(QString, description);
    TestEnvironment env;
    ScriptedResponder responder;
    const QString folder = env.path("docs");
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + "/a.txt";
    if (kind == "read-only folder") {
        if (IsRoot())
            QSKIP("The superuser writes into any folder; the other rows force the failure.");
        WriteBytes(path, "original");
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        // Nor can the old content, which a save in place keeps, go to the user's data folder.
        QVERIFY(QFile::setPermissions(env.path("data"), QFile::ReadOwner | QFile::ExeOwner));
    }
    if (kind == "missing folder")
        path = env.path("gone/a.txt");
    if (kind == "target is a folder")
        QVERIFY(QDir().mkpath(path));
    const QByteArray before = BytesOf(path);
    TextFormat format;

    const auto error = TextFile::Write(path, "new");
    QVERIFY(error);
    QCOMPARE(error->number, number);
    responder.expectMsgBox(qlx::vbOK);
    QVERIFY(!DocumentFile::Save(path, "new", &format));
    QCOMPARE(responder.calls().size(), 1);
    const DialogCall& message = responder.calls().at(0);
    QCOMPARE(message.text, SaveErrorText(path, description));
    QCOMPARE(message.title, "QLX Save Error");
    QCOMPARE(message.buttons, qlx::vbOKOnly);
    QCOMPARE(message.icon, qlx::vbCritical);
    QCOMPARE(BytesOf(path), before);
    for (const QString& changed : {folder, env.path("data")})
        QFile::setPermissions(changed, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A file the user made read-only is not replaced behind its back, whoever runs the program.
void TestTextFile::saveRefusesReadOnlyFile() {
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("locked.txt");
    WriteBytes(path, "original");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    TextFormat format;
    responder.expectMsgBox(qlx::vbOK);

    QVERIFY(!DocumentFile::Save(path, "new", &format));
    QCOMPARE(responder.calls().size(), 1);
    QCOMPARE(responder.calls().at(0).text, SaveErrorText(path, "Permission denied"));
    QCOMPARE(responder.calls().at(0).title, "QLX Save Error");
    QCOMPARE(BytesOf(path), QByteArray("original"));
    QCOMPARE(QDir(env.root()).entryList(QDir::Files), QStringList{"locked.txt"});
}

void TestTextFile::saveKeepsModeAndLink() {
    TestEnvironment env;
    const QString target = env.path("real.txt");
    const QString link = env.path("link.txt");
    WriteBytes(target, "old");
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0645), 0);
    QVERIFY(QFile::link(target, link));
    TextFormat format;

    QVERIFY(DocumentFile::Save(link, "new", &format));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(BytesOf(target), QByteArray("new"));
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(target).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, 0645u);
}

// A file with a second name, or one whose owner and group a replacement could not keep, is written
// in place: every name sees the new text, the file keeps its inode, owner and mode, and the copy of
// its old content is gone once the save is done.
void TestTextFile::saveInPlaceKeepsLinksOwnerAndMode() {
    TestEnvironment env;
    ScriptedResponder responder;
    const QString path = env.path("a.txt");
    WriteBytes(path, "old");
    QCOMPARE(ChangeMode(path, 0640), 0);
    QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(env.path("b.txt")).constData()),
             0);
    const ino_t inode = StatOf(path).st_ino;
    TextFormat format;

    QVERIFY(DocumentFile::Save(path, "new", &format));
    QCOMPARE(BytesOf(env.path("b.txt")), QByteArray("new"));
    QCOMPARE(StatOf(path).st_ino, inode);
    QCOMPARE(StatOf(path).st_mode & 07777, 0640u);
    QCOMPARE(FilesBelow(env.root()), (QStringList{"a.txt", "b.txt"}));
    QVERIFY(responder.calls().isEmpty());

    if (!IsRoot())
        QSKIP("Only the superuser can give files to another user and save as that user.");
    // Files of root that nobody may write. A replacement by nobody would give the file to nobody in
    // nobody's own folder; in a folder like /tmp nobody may not replace it; in root's folder nobody
    // may add no file, and the old content is kept in nobody's data folder.
    QCOMPARE(ChangeMode(env.root(), 0755), 0);
    const QString data = env.path("nobody");
    QVERIFY(QDir().mkpath(data));
    QCOMPARE(::chown(QFile::encodeName(data).constData(), kNobody, kNobody), 0);
    struct Folder {
        QString name;
        mode_t mode;
        uid_t owner;
    };
    QStringList files;
    for (const Folder& folder :
         {Folder{"own", 0755, kNobody}, Folder{"sticky", 01777, 0}, Folder{"closed", 0755, 0}}) {
        QVERIFY(QDir(env.root()).mkdir(folder.name));
        const QString name = env.path(folder.name);
        QCOMPARE(ChangeMode(name, folder.mode), 0);
        QCOMPARE(::chown(QFile::encodeName(name).constData(), folder.owner, folder.owner), 0);
        files << folder.name + "/doc.txt";
        WriteBytes(env.path(files.last()), "old");
        QCOMPARE(ChangeMode(env.path(files.last()), 0646), 0);
    }

    QVERIFY(AsNobody([&] {
        qputenv("XDG_DATA_HOME", QFile::encodeName(data));
        return std::none_of(files.begin(), files.end(), [&](const QString& file) {
            return bool(TextFile::Write(env.path(file), "new"));
        });
    }));
    for (const QString& file : files) {
        QCOMPARE(BytesOf(env.path(file)), QByteArray("new"));
        const struct stat info = StatOf(env.path(file));
        QCOMPARE(info.st_uid, 0u);
        QCOMPARE(info.st_gid, 0u);
        QCOMPARE(info.st_mode & 07777, 0646u);
    }
    files << "a.txt"
          << "b.txt";
    files.sort();
    QCOMPARE(FilesBelow(env.root()), files);
}

// A killed save can leave its finished copy beside the document; the next save removes it, but
// never a copy another save still holds, nor a file that merely looks like one.
void TestTextFile::saveRemovesOnlyAbandonedCopies() {
    TestEnvironment env;
    QDir folder(env.root());
    const QString path = folder.filePath("doc.ini");
    WriteBytes(path, "old");
    const QStringList kept = {".doc.ini.qlx-abc12", ".doc.ini.qlx-abc1234", "doc.ini.qlx-abc123",
                              ".doc.ini.qlx-ab_123", ".other.ini.qlx-abc123"};
    for (const QString& name : kept)
        WriteBytes(folder.filePath(name), "user's");
    WriteBytes(folder.filePath(".doc.ini.qlx-Dead01"), "abandoned");
    WriteBytes(folder.filePath(".doc.ini.qlx-Live01"), "being written");
    const int live = ::open(QFile::encodeName(folder.filePath(".doc.ini.qlx-Live01")).constData(), O_RDONLY);
    QVERIFY(live >= 0);
    QCOMPARE(::flock(live, LOCK_EX), 0);

    QVERIFY(!TextFile::Write(path, "new"));
    ::close(live);

    QStringList expected = kept;
    expected << ".doc.ini.qlx-Live01"
             << "doc.ini";
    expected.sort();
    QStringList left = folder.entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QCOMPARE(left, expected);
    QCOMPARE(BytesOf(path), QByteArray("new"));
}

void TestTextFile::openErrorMessage() {
    ScriptedResponder responder;
    responder.expectMsgBox(qlx::vbOK);
    DocumentFile::ShowOpenError("/home/u/a.txt", FileError{53, "No such file or directory"});
    const DialogCall& message = responder.calls().at(0);
    QCOMPARE(message.text, "The request to open:\r/home/u/a.txt\rhas generated an error:\r\r"
                           "No such file or directory\r\rThe action has been canceled.");
    QCOMPARE(message.title, "QLX Open Error: 53");
    QCOMPARE(message.buttons, qlx::vbOKOnly);
    QCOMPARE(message.icon, qlx::vbCritical);
}

void TestTextFile::stampsWhatWasReadOrWritten() {
    TestEnvironment env;
    const QString path = env.path("doc.txt");
    QVERIFY(!FileStamp::Last(path).exists);
    WriteBytes(path, "one\r\n");
    DecodedText decoded;
    QVERIFY(!TextFile::Read(path, &decoded));
    QCOMPARE(FileStamp::Last(path), FileStamp::Of("one\r\n"));
    QCOMPARE(FileStamp::OnDisk(path, FileStamp::Last(path)), FileStamp::Last(path));

    // Written piece by piece: the stamp is that of the whole new content.
    QVERIFY(!TextFile::WriteLines(
        path, [](const LineSink& sink) { return sink(u"a") && sink(u"b"); }, decoded.format, true));
    QCOMPARE(BytesOf(path), QByteArray("a\r\nb"));
    const FileStamp written = FileStamp::Last(path);
    QCOMPARE(written, FileStamp::Of("a\r\nb"));

    // Another writer: same size, other bytes; then removed. A look records nothing.
    WriteBytes(path, "a\r\nc");
    const FileStamp changed = FileStamp::OnDisk(path, written);
    QVERIFY(changed.exists);
    QVERIFY(!(changed == written));
    QCOMPARE(FileStamp::Last(path), written);
    QVERIFY(QFile::remove(path));
    QVERIFY(!FileStamp::OnDisk(path, written).exists);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
