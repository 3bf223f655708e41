#include "RtfFontTable.h"

#include "RtfCodePages.h"

void RtfFontTable::Begin(int number) {
    open_ = true;
    number_ = number;
    codePage_ = 0;
    name_.clear();
}

void RtfFontTable::SetCharset(int charset) {
    if (codePage_ == 0)
        codePage_ = RtfCodePages::ForCharset(charset);
}

void RtfFontTable::SetCodePage(int codePage) {
    if (codePage > 0)
        codePage_ = codePage;
}

void RtfFontTable::AddNameBytes(QByteArrayView bytes) {
    if (open_)
        name_.append(bytes);
}

void RtfFontTable::End(RtfCodePages& codePages, int documentCodePage) {
    if (!open_)
        return;
    open_ = false;
    Font& font = fonts_[number_];
    font.codePage = codePage_;
    font.family.clear();
    codePages.Decode(codePage_ > 0 ? codePage_ : documentCodePage, name_, font.family);
    font.family = font.family.trimmed();
}

QString RtfFontTable::Family(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? QString() : found->second.family;
}

int RtfFontTable::CodePage(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? 0 : found->second.codePage;
}
