#include "RtfFontTable.h"

#include "RtfCodePages.h"

void RtfFontTable::Begin(int number, int documentCodePage) {
    open_ = true;
    number_ = number;
    documentCodePage_ = documentCodePage;
    codePage_ = 0;
    bytes_.clear();
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
        bytes_.append(bytes);
}

void RtfFontTable::AddNameCharacter(char32_t c) {
    if (!open_)
        return;
    DecodeName();
    name_ += QStringView(QChar::fromUcs4(c));
}

void RtfFontTable::End() {
    if (!open_)
        return;
    open_ = false;
    DecodeName();
    fonts_[number_] = {name_.trimmed(), codePage_};
}

// A symbol font's name is still text.
void RtfFontTable::DecodeName() {
    const int codePage = codePage_ > 0 && codePage_ != RtfCodePages::kSymbol ? codePage_ : documentCodePage_;
    codePages_.Decode(codePage, bytes_, name_);
    bytes_.clear();
}

QString RtfFontTable::Family(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? QString() : found->second.family;
}

int RtfFontTable::CodePage(int number) const {
    const auto found = fonts_.find(number);
    return found == fonts_.end() ? 0 : found->second.codePage;
}
