#include "SendToLink.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The characters that must be escaped inside a quoted argument of an Exec key.
const QString kQuotedEscapes = QStringLiteral("\"`$\\");

// One Exec argument, always quoted, with "%" doubled so it is never taken as a field code.
QString QuoteArgument(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (kQuotedEscapes.contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
        if (c == QLatin1Char('%'))
            quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The escapes of a string value, applied to the whole value after the quoting.
QString EscapeValue(const QString& value) {
    QString escaped;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': escaped += QStringLiteral("\\\\"); break;
        case '\n': escaped += QStringLiteral("\\n"); break;
        case '\t': escaped += QStringLiteral("\\t"); break;
        case '\r': escaped += QStringLiteral("\\r"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

QString EntryText(const QString& appFolder) {
    const QString exec = QuoteArgument(appFolder + QStringLiteral("/QLX")) + QStringLiteral(" %F");
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillon Editor\n"
                          "Icon=quillon-editor\n"
                          "Exec=%1\n"
                          "MimeType=text/plain;application/rtf;text/x-ms-regedit;"
                          "application/x-wine-extension-ini;\n"
                          "Terminal=false\n")
        .arg(EscapeValue(exec));
}

} // namespace

QString SendToLink::FilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Thunar/sendto/Quillon Editor.desktop");
}

bool SendToLink::Create(const QString& appFolder) {
    const QString path = FilePath();
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(EntryText(appFolder).toUtf8());
    return file.commit();
}
