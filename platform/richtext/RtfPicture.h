// A {\pict} group: its kind, sizes and data, as hex digits or \bin bytes. PNG and JPEG pictures
// can be shown; every other kind is read and dropped.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

class RtfPicture {
public:
    void Begin();
    void SetShown() { shown_ = true; }
    void SetWidth(int pixels) { width_ = pixels; }
    void SetHeight(int pixels) { height_ = pixels; }
    void SetGoalWidth(int twips) { goalWidth_ = twips; }
    void SetGoalHeight(int twips) { goalHeight_ = twips; }
    void SetScaleX(int percent) { scaleX_ = percent; }
    void SetScaleY(int percent) { scaleY_ = percent; }
    void AddHex(QByteArrayView digits);
    void AddBinary(QByteArrayView bytes);

    // A null image for a kind that is not shown or data that does not decode.
    QImage Image() const;
    // The size to show the image at, in pixels.
    QSizeF DisplaySize(const QImage& image) const;

private:
    bool shown_ = false;
    int width_ = 0;
    int height_ = 0;
    int goalWidth_ = 0;
    int goalHeight_ = 0;
    int scaleX_ = 100;
    int scaleY_ = 100;
    QByteArray data_;
    int pendingNibble_ = -1;
};
