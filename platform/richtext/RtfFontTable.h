// The fonts of a document by number: family name and the code page of their \'hh bytes. Entries
// come one at a time, in braces or not, each ended by ";" or by the end of its group. A name's
// bytes read in the font's own code page, or else the document's.
#pragma once

#include <QByteArray>
#include <QString>

#include <unordered_map>

class RtfCodePages;

class RtfFontTable {
public:
    explicit RtfFontTable(RtfCodePages& codePages) : codePages_(codePages) {}

    void Begin(int number, int documentCodePage);
    void SetCharset(int charset);
    void SetCodePage(int codePage);
    void AddNameBytes(QByteArrayView bytes);
    void AddNameCharacter(char32_t c);
    // Files the entry begun last.
    void End();

    QString Family(int number) const;
    // 0 when the font is unknown or names no code page of its own.
    int CodePage(int number) const;

private:
    struct Font {
        QString family;
        int codePage = 0;
    };

    void DecodeName();

    RtfCodePages& codePages_;
    std::unordered_map<int, Font> fonts_;
    bool open_ = false;
    int number_ = 0;
    int documentCodePage_ = 0;
    int codePage_ = 0;
    QByteArray bytes_;
    QString name_;
};
