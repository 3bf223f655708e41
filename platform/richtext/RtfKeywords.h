// The control words the reader acts on; every other word is read and ignored.
#pragma once

#include <QByteArrayView>

// clang-format off
#define QLX_RTF_KEYWORDS(X) \
    /* header and code pages */ \
    X(ansi) X(ansicpg) X(mac) X(pc) X(pca) X(deff) X(uc) X(u) \
    /* destinations shown, read or skipped */ \
    X(fonttbl) X(colortbl) X(pict) X(pntext) X(listtext) X(pn) X(listtable) X(listoverridetable) \
    /* font and colour tables */ \
    X(f) X(fcharset) X(cpg) X(red) X(green) X(blue) \
    /* character format */ \
    X(plain) X(fs) X(b) X(i) X(ul) X(ulnone) X(strike) X(cf) X(cb) X(highlight) X(super) X(sub) \
    X(nosupersub) X(v) X(caps) X(scaps) \
    /* paragraphs */ \
    X(par) X(pard) X(ql) X(qc) X(qr) X(qj) X(li) X(ri) X(fi) X(sa) X(sb) X(cell) \
    X(nestcell) X(sect) X(tx) X(tqr) X(tqc) X(tqdec) \
    /* tables */ \
    X(intbl) X(itap) X(row) X(nestrow) X(nesttableprops) X(trowd) X(trleft) X(trgaph) X(trql) X(trqc) \
    X(trqr) X(cellx) X(clmgf) X(clmrg) X(clvmgf) X(clvmrg) X(clvertalt) X(clvertalc) X(clvertalb) \
    X(clcbpat) X(clbrdrt) X(clbrdrl) X(clbrdrb) X(clbrdrr) X(brdrnone) X(brdrnil) \
    /* the page */ \
    X(paperw) X(paperh) X(margl) X(margr) X(margt) X(margb) X(deftab) \
    /* lists */ \
    X(ls) X(ilvl) X(pnlvlblt) X(pnlvlbody) X(pnlvlcont) X(pnlvl) X(pndec) X(pnucltr) X(pnlcltr) \
    X(pnucrm) X(pnlcrm) X(list) X(listlevel) X(levelnfc) X(listid) X(listoverride) \
    /* pictures */ \
    X(pngblip) X(jpegblip) X(picw) X(pich) X(picwgoal) X(pichgoal) X(picscalex) X(picscaley) \
    /* the automatic number of a footnote */ \
    X(chftn)
// clang-format on

enum class RtfKeyword {
    Unknown,
    Skipped,   // a destination whose content never shows
    Shown,     // a destination whose content is text of the document
    Note,      // a header, footer or footnote, whose text the document keeps after its body
    Wrapper,   // a destination that hides all but its Shown part
    Character, // a word that stands for a character
#define QLX_RTF_ENUM(name) name,
    QLX_RTF_KEYWORDS(QLX_RTF_ENUM)
#undef QLX_RTF_ENUM
};

struct RtfWord {
    RtfKeyword keyword = RtfKeyword::Unknown;
    char16_t character = 0; // of a Character word
};

class RtfKeywords {
public:
    static RtfWord Find(QByteArrayView name);
};
