#include "RegNodes.h"

#include <QDateTime>

#include <cmath>
#include <vector>

namespace {
// The date and time as the classic whole number: days since 30 December 1899, rounded half to even.
int NowAsWholeNumber() {
    const QDateTime now = QDateTime::currentDateTime();
    const double serial =
        double(QDate(1899, 12, 30).daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
    return int(std::nearbyint(serial));
}
} // namespace

const QStringList& RegNodes::HiveNames() {
    static const QStringList names = {
        QStringLiteral("HKEY_CLASSES_ROOT"),   QStringLiteral("HKEY_CURRENT_USER"),
        QStringLiteral("HKEY_LOCAL_MACHINE"),  QStringLiteral("HKEY_USERS"),
        QStringLiteral("HKEY_CURRENT_CONFIG"), QStringLiteral("HKEY_DYN_DATA")};
    return names;
}

RegNodes::RegNodes(std::function<QString(int)> keyMaker) : keyMaker_(std::move(keyMaker)) {}

QString RegNodes::FreshKey() const {
    return keyMaker_(NowAsWholeNumber());
}

void RegNodes::SetUpFileNode(RegNode* node) {
    node->tag_ = FileTag();
    node->key_ = QStringLiteral("PRIMARY");
    node->id_ = nextId_++;
}

RegNode* RegNodes::Add(RegNode* parent, const QString& text, const QString& tag, const QString& key) {
    RegNode* node = parent->AppendChild(text);
    node->tag_ = tag;
    node->key_ = key;
    node->id_ = nextId_++;
    return node;
}

QString RegNodes::Tag(const RegNode* node) {
    return node->tag_;
}

QString RegNodes::Key(const RegNode* node) const {
    if (node->key_.isEmpty())
        node->key_ = FreshKey();
    return node->key_;
}

int RegNodes::Id(const RegNode* node) {
    return node->id_;
}

bool RegNodes::PathOnly(const RegNode* node) {
    return node->pathOnly_;
}

void RegNodes::SetPathOnly(RegNode* node, bool only) {
    node->pathOnly_ = only;
}

QString RegNodes::FullPath(const RegNode* node) {
    std::vector<const RegNode*> way;
    for (; node; node = node->Parent())
        way.push_back(node);
    return Joined(way);
}

QString RegNodes::KeyPath(const RegNode* node) {
    std::vector<const RegNode*> way;
    for (; node && node->Parent(); node = node->Parent()) {
        // Keys with empty names at the end add nothing, not even their separators.
        if (!way.empty() || !node->Text().isEmpty())
            way.push_back(node);
    }
    return Joined(way);
}

QString RegNodes::Joined(const std::vector<const RegNode*>& way) {
    // Joined top down in one pass: a deep key costs its own length, not that times its depth.
    QString path;
    for (auto node = way.rbegin(); node != way.rend(); ++node) {
        if (node != way.rbegin())
            path += QLatin1Char('\\');
        path += (*node)->Text();
    }
    return path;
}

RegNode* RegNodes::ChildByText(const RegNode* parent, const QString& text) {
    for (int i = 0; i < parent->ChildCount(); ++i) {
        if (parent->Child(i)->Text() == text)
            return parent->Child(i);
    }
    return nullptr;
}
