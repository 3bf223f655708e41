// Whole documents are scanned a block at a time: a test without branches over a block becomes
// vector code, and only a block that holds a character of interest is looked at closely.
#pragma once

#include <QtGlobal>

#include <algorithm>

namespace BlockScan {

constexpr qsizetype kBlock = 64;

// Whether test holds for any of the first min(kBlock, size) elements.
template <typename T, typename Test> bool AnyInBlock(const T* data, qsizetype size, Test test) {
    const qsizetype count = std::min(kBlock, size);
    unsigned any = 0;
    for (qsizetype i = 0; i < count; ++i)
        any |= unsigned(test(data[i]));
    return any != 0;
}

// The start of the first block from index from on that holds an element for which test holds,
// or size when none does.
template <typename T, typename Test>
qsizetype NextBlockWith(const T* data, qsizetype from, qsizetype size, Test test) {
    for (; from < size; from += kBlock)
        if (AnyInBlock(data + from, size - from, test))
            return from;
    return size;
}

} // namespace BlockScan
