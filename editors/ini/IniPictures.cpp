#include "IniPictures.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace {
constexpr int kSize = 16;
const QColor kOutline(64, 64, 64);

QPixmap Draw(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kOutline, 1));
    paint(painter);
    return pixmap;
}

QPixmap ClosedFolder() {
    return Draw([](QPainter& p) {
        p.setBrush(QColor(240, 200, 80));
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}}));
    });
}

QPixmap OpenFolder() {
    return Draw([](QPainter& p) {
        p.setBrush(QColor(220, 170, 50));
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5.5}, {13.5, 5.5}, {13.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(255, 225, 120));
        p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    });
}

QPixmap Key() {
    return Draw([](QPainter& p) {
        p.setBrush(QColor(230, 190, 40));
        p.drawEllipse(QRectF(1.5, 4.5, 6, 6));
        p.drawLine(QPointF(7.5, 7.5), QPointF(14.5, 7.5));
        p.drawLine(QPointF(12.5, 7.5), QPointF(12.5, 10.5));
        p.drawLine(QPointF(14.5, 7.5), QPointF(14.5, 10.5));
    });
}

QPixmap Page() {
    return Draw([](QPainter& p) {
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{2.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {2.5, 14.5}}));
        p.setPen(QPen(QColor(70, 110, 190), 1));
        for (double y : {5.5, 8.5, 11.5})
            p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
    });
}

QPixmap Note() {
    return Draw([](QPainter& p) {
        p.setBrush(QColor(170, 220, 170));
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 2, 2);
        p.drawPolygon(QPolygonF({{4.5, 11.5}, {4.5, 14.5}, {7.5, 11.5}}));
        p.setPen(QPen(kOutline, 1.5));
        p.drawPoint(QPointF(8, 5));
        p.drawLine(QPointF(8, 7.5), QPointF(7, 9.5));
    });
}

QIcon Icon(const QPixmap& normal, const QPixmap& selected) {
    QIcon icon(normal);
    icon.addPixmap(selected, QIcon::Selected);
    return icon;
}
} // namespace

const QIcon& IniPictures::Section() {
    static const QIcon icon = Icon(ClosedFolder(), OpenFolder());
    return icon;
}

const QIcon& IniPictures::KeyLine() {
    static const QIcon icon = Icon(Key(), Key());
    return icon;
}

const QIcon& IniPictures::File() {
    static const QIcon icon = Icon(Page(), Page());
    return icon;
}

const QIcon& IniPictures::Comment() {
    static const QIcon icon = Icon(Note(), Note());
    return icon;
}
