#include "ToolbarIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Drawn on a 32 by 32 grid; the toolbar scales it to its icon size.
constexpr int kGrid = 32;
const QColor kInk(0x20, 0x20, 0x20);

QIcon Drawn(void (*draw)(QPainter&)) {
    QPixmap pixmap(kGrid, kGrid);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(kInk);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

void Letter(QPainter& painter, const QString& letter, const QRect& box, int pixels, bool bold, bool italic) {
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    painter.setFont(font);
    painter.drawText(box, Qt::AlignCenter, letter);
}

void Arrow(QPainter& painter, int x, bool up) {
    QPainterPath path;
    const int tip = up ? 4 : 28;
    const int base = up ? 14 : 18;
    path.moveTo(x, tip);
    path.lineTo(x - 5, base);
    path.lineTo(x + 5, base);
    path.closeSubpath();
    painter.fillPath(path, kInk);
}

void Page(QPainter& painter, const QRect& page) {
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    for (int y = page.top() + 5; y < page.bottom() - 2; y += 4)
        painter.drawLine(page.left() + 3, y, page.right() - 3, y);
}

void Scissors(QPainter& painter) {
    QPen blade(kInk, 2.5);
    painter.setPen(blade);
    painter.drawLine(10, 3, 20, 21);
    painter.drawLine(22, 3, 12, 21);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(9, 25), 4.5, 4.5);
    painter.drawEllipse(QPointF(23, 25), 4.5, 4.5);
}

void Copies(QPainter& painter) {
    Page(painter, QRect(4, 3, 16, 20));
    Page(painter, QRect(12, 9, 16, 20));
}

void Clipboard(QPainter& painter) {
    painter.setBrush(QColor(0xA0, 0x70, 0x40));
    painter.drawRoundedRect(QRect(5, 5, 22, 25), 2, 2);
    Page(painter, QRect(9, 10, 14, 17));
    painter.setBrush(QColor(0x90, 0x90, 0x90));
    painter.drawRoundedRect(QRect(11, 2, 10, 6), 2, 2);
}

void Bullets(QPainter& painter) {
    painter.setBrush(kInk);
    for (int y : {7, 16, 25}) {
        painter.drawEllipse(QPointF(6, y), 2.5, 2.5);
        painter.drawLine(12, y, 28, y);
    }
}

void Bold(QPainter& painter) {
    Letter(painter, QStringLiteral("B"), QRect(0, 0, kGrid, kGrid), 26, true, false);
}

void Italic(QPainter& painter) {
    Letter(painter, QStringLiteral("I"), QRect(0, 0, kGrid, kGrid), 26, false, true);
}

void Underline(QPainter& painter) {
    Letter(painter, QStringLiteral("U"), QRect(0, 0, kGrid, 26), 24, false, false);
    painter.fillRect(QRect(6, 27, 20, 2), kInk);
}

void Colour(QPainter& painter) {
    Letter(painter, QStringLiteral("A"), QRect(0, 0, kGrid, 24), 22, true, false);
    painter.fillRect(QRect(4, 25, 24, 6), QColor(0xD0, 0x20, 0x20));
}

void Smaller(QPainter& painter) {
    Letter(painter, QStringLiteral("A"), QRect(0, 8, 20, 22), 16, true, false);
    Arrow(painter, 25, false);
}

void Larger(QPainter& painter) {
    Letter(painter, QStringLiteral("A"), QRect(0, 2, 22, 30), 26, true, false);
    Arrow(painter, 26, true);
}

struct Picture {
    const char* tag;
    void (*draw)(QPainter&);
};

const Picture kPictures[] = {
    {"bold", Bold},  {"italic", Italic},   {"underline", Underline}, {"color", Colour},  {"FD", Smaller},
    {"FU", Larger},  {"cut", Scissors},    {"copy", Copies},         {"paste", Clipboard}, {"list", Bullets},
};

} // namespace

QIcon ToolbarIcons::ForTag(const QString& tag) {
    for (const Picture& picture : kPictures)
        if (tag == QLatin1String(picture.tag))
            return Drawn(picture.draw);
    return QIcon();
}
