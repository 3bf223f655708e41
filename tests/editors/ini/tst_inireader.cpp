#include "IniNode.h"
#include "IniReader.h"
#include "IniWriter.h"

#include <QTest>

#include <algorithm>

namespace {
using Kind = IniNode::Kind;

// A document with scripted answers to "Duplicate Section", in no window.
struct Doc {
    IniNode root{Kind::File, "F", IniNode::kPrimary};
    QList<bool> answers;
    int asked = 0;
    int keys = 0;

    explicit Doc(const QString& text = QString(), QList<bool> replies = {}) : answers(std::move(replies)) {
        Reader().ReadFile(IniReader::FileLines(text));
    }
    IniReader Reader() {
        return IniReader(&root, [this] { return QString::number(keys++); }, [this] { return answers.value(asked++); });
    }
    QString Text() const { return IniWriter::Document(&root, u"\n"); }
    // "A" names a section, "A/k=1" a line of it, "" the root.
    IniNode* Item(const QString& path) {
        IniNode* node = &root;
        for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
            const QList<IniNode*>& children = node->Children();
            const auto found = std::find_if(children.begin(), children.end(),
                                            [&part](const IniNode* child) { return child->Text() == part; });
            if (found == children.end())
                return nullptr;
            node = *found;
        }
        return node;
    }
    QStringList Children(const QString& path) {
        QStringList texts;
        for (const IniNode* child : Item(path)->Children())
            texts << child->Text();
        return texts;
    }
};

QString PathOf(const IniNode* node) {
    return node->Parent() && node->Parent()->Parent() ? PathOf(node->Parent()) + "/" + node->Text()
           : node->Parent()                           ? node->Text()
                                                      : QString();
}
} // namespace

class tst_inireader : public QObject {
    Q_OBJECT

private slots:
    void fileIsReadWhole_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("asked");
        QTest::newRow("sorted, blank lines gone") << "[b]\nk=1\n\n\n[A]\nz=2\n\ny=1" << QList<bool>{}
                                                  << "[A]\ny=1\nz=2\n\n[b]\nk=1\n\n" << 0;
        QTest::newRow("lines sorted together without case") << "[A]\nb=1\n;a\nc\nA=2\n" << QList<bool>{}
                                                             << "[A]\n;a\nA=2\nb=1\nc\n\n" << 0;
        QTest::newRow("trailing note") << "[Name] ; note\nk=v\n" << QList<bool>{} << "[Name] ; not]\nk=v\n\n" << 0;
        QTest::newRow("leading space is a key line") << "[A]\n [B]\nk=1\n" << QList<bool>{} << "[A]\n [B]\nk=1\n\n"
                                                     << 0;
        QTest::newRow("lines before the first section") << "x=1\n;c\n\n#h\n[A]\nk\n" << QList<bool>{}
                                                        << "#h\n;c\nx=1\n[A]\nk\n\n" << 0;
        QTest::newRow("lone bracket") << "[\n[A]\n[\n" << QList<bool>{} << "[\n[A]\n[\n\n" << 0;
        QTest::newRow("empty file") << "" << QList<bool>{} << "" << 0;
        QTest::newRow("header at the end, empty name") << "[]\n[A]" << QList<bool>{} << "[]\n\n[A]\n\n" << 0;
        QTest::newRow("case-different sections") << "[boot]\na=1\n[Boot]\nb=2\n" << QList<bool>{}
                                                  << "[boot]\na=1\n\n[Boot]\nb=2\n\n" << 0;
        QTest::newRow("duplicate, Yes keeps the later") << "[A]\nx=1\n[B]\n[A]\ny=2\n[A]\nz=3" << QList<bool>{true, true}
                                                        << "[A]\nz=3\n\n[B]\n\n" << 2;
        QTest::newRow("duplicate, No keeps both") << "[A]\nx=1\n[B]\n[A]\ny=2\n" << QList<bool>{false}
                                                  << "[A]\nx=1\n\n[A]\ny=2\n\n[B]\n\n" << 1;
    }

    void fileIsReadWhole() {
        QFETCH(QString, file);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, written);
        QFETCH(int, asked);
        Doc doc(file, answers);
        QCOMPARE(doc.Text(), written);
        QCOMPARE(doc.asked, asked);
        // Written text reads back the same.
        QCOMPARE(Doc(doc.Text()).Text(), doc.Text());
    }

    void nodesCarryKindsAndKeys() {
        Doc doc(";c\nx=1\n[A]\nk=1\n;d\n");
        QCOMPARE(IniNode::Tag(IniNode::KindOf(&doc.root)), QStringLiteral("OPENEDFILE"));
        QCOMPARE(doc.root.Key(), QStringLiteral("Primary"));
        const QList<std::pair<QString, QString>> tags = {
            {";c", "COMMENTS"}, {"x=1", "VALUE"}, {"A", "SECTION"}, {"A/k=1", "VALUE"}, {"A/;d", "COMMENTS"}};
        for (const auto& [path, tag] : tags)
            QCOMPARE(IniNode::Tag(IniNode::KindOf(doc.Item(path))), tag);
        QCOMPARE(doc.Item("A")->Key(), QStringLiteral("0"));
    }

    void pasteFollowsTheSelection_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<bool>("changed");
        const QString doc = "[A]\n;n\na=1\n\n";
        QTest::newRow("section at the root") << "" << "[S]\r\nk=1" << QList<bool>{} << doc + "[S]\nk=1\n\n" << ""
                                             << true;
        QTest::newRow("lines into a section") << "A" << "b=2\r;c\nd" << QList<bool>{}
                                              << "[A]\n;c\n;n\na=1\nb=2\nd\n\n" << "A" << true;
        QTest::newRow("blank lines make no node in a section") << "A" << "b=2\r\n\r\nd\r\n" << QList<bool>{}
                                                              << "[A]\n;n\na=1\nb=2\nd\n\n" << "A" << true;
        QTest::newRow("comment pastes into its section") << "A/;n" << "b=2" << QList<bool>{}
                                                         << "[A]\n;n\na=1\nb=2\n\n" << "A" << true;
        QTest::newRow("key line selects its section") << "A/a=1" << "[S]\r\nk=1" << QList<bool>{} << doc << "A"
                                                      << false;
        QTest::newRow("key line at the root ends") << "" << "k=1\r\n[S]" << QList<bool>{} << doc << "" << false;
        QTest::newRow("root comment") << "" << ";c\r\n\r\n[S]" << QList<bool>{} << ";c\n" + doc + "[S]\n\n" << ""
                                      << true;
        QTest::newRow("duplicate, No ends") << "" << "[B]\r\nb=1\r\n[A]\r\nx=1\r\n[C]" << QList<bool>{false}
                                            << doc + "[B]\nb=1\n\n" << "" << true;
        QTest::newRow("duplicate, Yes replaces") << "" << "[B]\r\n[A]\r\nx=1\r\n[C]\r\n" << QList<bool>{true}
                                                 << "[A]\nx=1\n\n[B]\n\n[C]\n\n" << "" << true;
        QTest::newRow("replacing the selected section") << "A" << "[A]\nx=1" << QList<bool>{true} << "[A]\nx=1\n\n"
                                                        << "" << true;
    }

    void pasteFollowsTheSelection() {
        QFETCH(QString, selected);
        QFETCH(QString, clipboard);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, written);
        QFETCH(QString, selectedAfter);
        QFETCH(bool, changed);
        Doc doc("[A]\na=1\n;n\n", answers);
        const IniReader::Pasted pasted = doc.Reader().Paste(IniReader::PasteLines(clipboard), doc.Item(selected));
        QCOMPARE(doc.Text(), written);
        QCOMPARE(PathOf(pasted.selected), selectedAfter);
        QCOMPARE(pasted.changed, changed);
        QCOMPARE(doc.asked, answers.size());
    }

    void pastedLinesIntoASectionAreKeyLines() {
        Doc doc("[A]\n");
        doc.Reader().Paste(IniReader::PasteLines(";c"), doc.Item("A"));
        QVERIFY(IniNode::Is(doc.Item("A/;c"), Kind::Value));
    }

    // Sorted in the model itself, a document in no window sorts a paste as the window's does.
    void detachedPasteSortsAsTheWindow() {
        Doc doc("[A]\n[D]\n");
        doc.Reader().Paste(IniReader::PasteLines("C\r\nB"), doc.Item("A"));
        QCOMPARE(doc.Children("A"), QStringList({"B", "C"}));
        doc.Reader().Paste(IniReader::PasteLines("[c]\r\nk=1\r\n[B]"), nullptr);
        QCOMPARE(doc.Children(""), QStringList({"A", "B", "c", "D"}));
    }

    void lineRules() {
        QCOMPARE(IniReader::FileLines(""), QStringList());
        QCOMPARE(IniReader::FileLines("a\n\nb\n"), QStringList({"a", "", "b"}));
        QCOMPARE(IniReader::PasteLines(""), QStringList({""}));
        QCOMPARE(IniReader::PasteLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(IniReader::PasteLines("a\r\n"), QStringList({"a", ""}));
    }

    void writerFormsTheClipboardText() {
        Doc doc(";c\n[B]\nk=1\n[A]\n");
        QCOMPARE(IniWriter::Document(&doc.root, u"\r\n"), QStringLiteral(";c\r\n[A]\r\n\r\n[B]\r\nk=1\r\n\r\n"));
        QCOMPARE(IniWriter::Section(doc.Item("B"), u"\r\n"), QStringLiteral("[B]\r\nk=1\r\n"));
    }
};

QTEST_MAIN(tst_inireader)
#include "tst_inireader.moc"
