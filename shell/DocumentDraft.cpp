#include "DocumentDraft.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <QUuid>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Long enough that typing does not write a draft per key.
constexpr int kPauseMs = 3000;
const QString kInfo = QStringLiteral(".draft");
const QString kBytes = QStringLiteral(".bytes");

QString StateHome() {
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    return QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
}

// Types by their numbers, as the settings keep them.
std::optional<DocType> TypeOfNumber(int number) {
    if (number < int(DocType::INI) || number > int(DocType::TXT))
        return std::nullopt;
    return DocType(number);
}

QByteArray InfoBytes(const Draft& draft) {
    QJsonObject info;
    info[QStringLiteral("type")] = int(draft.type);
    info[QStringLiteral("path")] = draft.path;
    info[QStringLiteral("title")] = draft.title;
    if (draft.base.exists) {
        info[QStringLiteral("size")] = draft.base.size;
        info[QStringLiteral("hash")] = QString::fromLatin1(draft.base.hash.toHex());
    }
    return QJsonDocument(info).toJson();
}

std::optional<Draft> ReadInfo(const QString& folder, const QString& id) {
    QFile file(folder + QLatin1Char('/') + id + kInfo);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject info = QJsonDocument::fromJson(file.readAll()).object();
    const std::optional<DocType> type = TypeOfNumber(info.value(QStringLiteral("type")).toInt());
    Draft draft;
    draft.id = id;
    draft.bytesPath = folder + QLatin1Char('/') + id + kBytes;
    if (!type || !QFileInfo(draft.bytesPath).isFile())
        return std::nullopt;
    draft.type = *type;
    draft.path = info.value(QStringLiteral("path")).toString();
    draft.title = info.value(QStringLiteral("title")).toString();
    if (info.contains(QStringLiteral("hash"))) {
        draft.base.exists = true;
        draft.base.size = info.value(QStringLiteral("size")).toInteger();
        draft.base.hash = QByteArray::fromHex(info.value(QStringLiteral("hash")).toString().toLatin1());
    }
    return draft;
}
} // namespace

DocumentDraft::DocumentDraft(QObject* parent)
    : QObject(parent), pause_(new QTimer(this)), id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    pause_->setSingleShot(true);
    pause_->setInterval(kPauseMs);
    connect(pause_, &QTimer::timeout, this, &DocumentDraft::due);
}

DocumentDraft::~DocumentDraft() {
    Remove();
}

void DocumentDraft::Due() {
    pause_->start();
}

void DocumentDraft::Remove() {
    pause_->stop();
    if (std::exchange(written_, false))
        RemoveFiles(id_);
}

bool DocumentDraft::Write(const Writer& write, const Draft& info) {
    const QString folder = Folder();
    if (folder.isEmpty())
        return false;
    const QString stem = folder + QLatin1Char('/') + id_;
    // The bytes go first: a draft is whole once its description is there, each file replaced in
    // one step.
    if (!write(stem + kBytes) || TextFile::Write(stem + kInfo, InfoBytes(info)))
        return false;
    written_ = true;
    return true;
}

QString DocumentDraft::Folder() {
    const QString folder = StateHome() + QStringLiteral("/QLX/recovery");
    if (!QDir().mkpath(folder))
        return {};
    const QByteArray name = QFile::encodeName(folder);
    struct stat info {};
    // Another user's folder (a shared or wrongly owned home) takes no drafts of this one.
    if (::stat(name.constData(), &info) != 0 || info.st_uid != ::geteuid() ||
        ::chmod(name.constData(), 0700) != 0)
        return {};
    return folder;
}

QList<Draft> DocumentDraft::Found(QStringList* unreadable) {
    QList<Draft> drafts;
    const QString folder = Folder();
    if (folder.isEmpty())
        return drafts;
    for (const QString& name : QDir(folder).entryList({QLatin1Char('*') + kInfo}, QDir::Files, QDir::Name)) {
        const QString id = name.chopped(kInfo.size());
        if (const std::optional<Draft> draft = ReadInfo(folder, id))
            drafts << *draft;
        else
            *unreadable << folder + QLatin1Char('/') + name;
    }
    return drafts;
}

void DocumentDraft::RemoveFiles(const QString& id) {
    const QString stem = Folder() + QLatin1Char('/') + id;
    QFile::remove(stem + kInfo);
    QFile::remove(stem + kBytes);
}
