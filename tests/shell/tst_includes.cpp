// The shell, the editors and the dialogs depend on each other in one direction only: a class
// (its header and source) that reaches another through includes is never reached back.
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <functional>

namespace {
// Each class by its file name without extension, to the classes its header or source includes.
using Graph = QHash<QString, QSet<QString>>;

Graph ReadGraph() {
    Graph graph;
    const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*\"([^\"]+)\\.h\""),
                                     QRegularExpression::MultilineOption);
    for (const char* folder : {"shell", "editors", "dialogs"}) {
        QDirIterator files(QStringLiteral(QLX_SOURCE_DIR "/") + QLatin1String(folder), {"*.h", "*.cpp"},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            file.open(QIODevice::ReadOnly);
            const QString name = QFileInfo(file.fileName()).completeBaseName();
            QSet<QString>& uses = graph[name];
            for (const QRegularExpressionMatch& match : include.globalMatch(QString::fromUtf8(file.readAll())))
                uses.insert(QFileInfo(match.captured(1)).fileName());
        }
    }
    // Only what these folders hold counts: the platform and the libraries lie below all of them.
    for (QSet<QString>& uses : graph) {
        for (auto it = uses.begin(); it != uses.end();)
            it = graph.contains(*it) ? std::next(it) : uses.erase(it);
    }
    return graph;
}

// A chain of classes that leads back to its start, or empty.
QStringList FindCycle(const Graph& graph) {
    enum State { Unseen, OnPath, Done };
    QHash<QString, State> state;
    QStringList path;
    std::function<bool(const QString&)> visit = [&](const QString& name) {
        state[name] = OnPath;
        path.append(name);
        for (const QString& next : graph.value(name)) {
            if (next == name)
                continue;
            if (state.value(next) == OnPath) {
                path = path.mid(path.indexOf(next)) << next;
                return true;
            }
            if (state.value(next) == Unseen && visit(next))
                return true;
        }
        path.removeLast();
        state[name] = Done;
        return false;
    };
    QStringList names = graph.keys();
    names.sort();
    for (const QString& name : names) {
        if (state.value(name) == Unseen && visit(name))
            return path;
    }
    return {};
}
} // namespace

class tst_includes : public QObject {
    Q_OBJECT
private slots:
    void noClassReachesItselfThroughIncludes() {
        const Graph graph = ReadGraph();
        QVERIFY(graph.contains("mdform_QLEditor") && graph.contains("form_INI") && graph.contains("form_SR"));
        const QStringList cycle = FindCycle(graph);
        QVERIFY2(cycle.isEmpty(), qPrintable(cycle.join(QStringLiteral(" -> "))));
    }
};

QTEST_GUILESS_MAIN(tst_includes)
#include "tst_includes.moc"
