// Lengths in a document are in pixels of the toolkit's 96 per inch; rich text counts in twips.
#pragma once

#include <QtGlobal>

class RtfUnits {
public:
    static constexpr int kTwipsPerPixel = 15;
    // The toolkit indents a list level by 40 pixels.
    static constexpr int kListIndentTwips = 40 * kTwipsPerPixel;
    // Rich text's distance between default tab stops, where a document gives none.
    static constexpr int kDefaultTabTwips = 720;

    static qreal PixelsOfTwips(int twips) { return qreal(twips) / kTwipsPerPixel; }
    static int TwipsOfPixels(qreal pixels) { return qRound(pixels * kTwipsPerPixel); }
};
