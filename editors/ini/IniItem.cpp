#include "IniItem.h"

#include "IniPictures.h"

namespace {
const QString kTags[] = {QStringLiteral("OPENEDFILE"), QStringLiteral("SECTION"), QStringLiteral("VALUE"),
                         QStringLiteral("COMMENTS")};

const QIcon& Picture(IniItem::Kind kind) {
    switch (kind) {
    case IniItem::Kind::File:
        return IniPictures::File();
    case IniItem::Kind::Section:
        return IniPictures::Section();
    case IniItem::Kind::Value:
        return IniPictures::KeyLine();
    case IniItem::Kind::Comment:
        break;
    }
    return IniPictures::Comment();
}
} // namespace

IniItem::IniItem(Kind kind, const QString& text, const QString& key) : QTreeWidgetItem(UserType) {
    setText(0, text);
    setIcon(0, Picture(kind));
    setData(0, TagRole, Tag(kind));
    if (!key.isNull())
        setData(0, KeyRole, key);
}

QString IniItem::Tag(Kind kind) {
    return kTags[int(kind)];
}

IniItem::Kind IniItem::KindOf(const QTreeWidgetItem* item) {
    const QString tag = item->data(0, TagRole).toString();
    for (int kind = 0; kind < 4; ++kind) {
        if (tag == kTags[kind])
            return Kind(kind);
    }
    return Kind::Value;
}

QString IniItem::KeyName(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    return equals < 0 ? line : line.left(equals);
}

bool IniItem::Less(const QTreeWidgetItem* a, const QTreeWidgetItem* b) {
    return a->text(0).compare(b->text(0), Qt::CaseInsensitive) < 0;
}
