// The pictures of the INI tree: section (closed folder, open while selected), key line, file and
// comment. Drawn once on first use, so the window needs no image files.
#pragma once

#include <QIcon>

class IniPictures {
public:
    // A closed folder; the selected state shows it open.
    static const QIcon& Section();
    static const QIcon& KeyLine();
    static const QIcon& File();
    static const QIcon& Comment();
};
