#include "RtfPicture.h"

#include "RtfUnits.h"

#include <algorithm>

namespace {

int NibbleOf(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A side in pixels from the picture's own size, its goal size in twips and its scale in percent;
// absurd values give a side the toolkit can still lay out.
qreal Side(int pixels, int goalTwips, int scale) {
    constexpr qreal kMaxSide = 20000;
    const qreal side = goalTwips > 0 ? RtfUnits::PixelsOfTwips(goalTwips) : qreal(pixels);
    return std::clamp(side * std::clamp(scale, 1, 1000) / 100.0, 1.0, kMaxSide);
}

} // namespace

void RtfPicture::Begin() {
    *this = RtfPicture();
}

void RtfPicture::AddHex(QByteArrayView digits) {
    if (!shown_)
        return;
    for (char c : digits) {
        const int nibble = NibbleOf(c);
        if (nibble < 0)
            continue;
        if (pendingNibble_ < 0) {
            pendingNibble_ = nibble;
        } else {
            data_.append(char(pendingNibble_ * 16 + nibble));
            pendingNibble_ = -1;
        }
    }
}

void RtfPicture::AddBinary(QByteArrayView bytes) {
    if (shown_)
        data_.append(bytes);
}

QImage RtfPicture::Image() const {
    return shown_ ? QImage::fromData(data_) : QImage();
}

QSizeF RtfPicture::DisplaySize(const QImage& image) const {
    return {Side(width_ > 0 ? width_ : image.width(), goalWidth_, scaleX_),
            Side(height_ > 0 ? height_ : image.height(), goalHeight_, scaleY_)};
}
