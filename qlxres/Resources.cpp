#include "Resources.h"

QString Resources::FindNameOnly(const QString& FullName) const {
    const qsizetype cut = std::max(FullName.lastIndexOf(QLatin1Char('\\')), FullName.lastIndexOf(QLatin1Char('/')));
    return FullName.mid(cut + 1);
}
