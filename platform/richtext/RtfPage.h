// The page a document was laid out for, as rich text gives it: paper size and margins in twips.
// It stays with the document, so that printing lays the pages out on it and a save writes it back.
#pragma once

class QObject;
class QPageLayout;

struct RtfPage {
    bool given = false; // only a document that gave its page has one
    // What rich text assumes for what a document leaves out: Letter paper.
    int width = 12240;
    int height = 15840;
    int left = 1800;
    int right = 1800;
    int top = 1440;
    int bottom = 1440;

    static RtfPage Of(const QObject& document);
    void SetOn(QObject& document) const;
    QPageLayout Layout() const;
};
