// The fonts of a document by number: family name and the code page of their \'hh bytes. Entries
// come one at a time, in braces or not, each ended by ";" or by the end of its group.
#pragma once

#include <QByteArray>
#include <QString>

#include <unordered_map>

class RtfCodePages;

class RtfFontTable {
public:
    void Begin(int number);
    void SetCharset(int charset);
    void SetCodePage(int codePage);
    void AddNameBytes(QByteArrayView bytes);
    // Files the entry begun last, its name read in its own code page or the document's.
    void End(RtfCodePages& codePages, int documentCodePage);

    QString Family(int number) const;
    // 0 when the font is unknown or names no code page of its own.
    int CodePage(int number) const;

private:
    struct Font {
        QString family;
        int codePage = 0;
    };

    std::unordered_map<int, Font> fonts_;
    bool open_ = false;
    int number_ = 0;
    int codePage_ = 0;
    QByteArray name_;
};
