#include "RtfPage.h"

#include <QList>
#include <QMarginsF>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QVariant>

namespace {

// A dynamic property of the document, so that the toolkit's document needs no subclass.
constexpr char kProperty[] = "qlxRtfPage";
constexpr qreal kTwipsPerPoint = 20;

} // namespace

RtfPage RtfPage::Of(const QObject& document) {
    const QList<int> values = document.property(kProperty).value<QList<int>>();
    RtfPage page;
    if (values.size() != 6)
        return page;
    page.given = true;
    page.width = values[0];
    page.height = values[1];
    page.left = values[2];
    page.right = values[3];
    page.top = values[4];
    page.bottom = values[5];
    return page;
}

void RtfPage::SetOn(QObject& document) const {
    document.setProperty(kProperty,
                         given ? QVariant::fromValue(QList<int>{width, height, left, right, top, bottom})
                               : QVariant());
}

QPageLayout RtfPage::Layout() const {
    const QSizeF points(width / kTwipsPerPoint, height / kTwipsPerPoint);
    return QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                       QMarginsF(left / kTwipsPerPoint, top / kTwipsPerPoint, right / kTwipsPerPoint,
                                 bottom / kTwipsPerPoint),
                       QPageLayout::Point);
}
