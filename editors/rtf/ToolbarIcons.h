// The pictures of the rich-text window's toolbar, drawn rather than shipped so that they stay sharp
// at any scale and match no other program's artwork.
#pragma once

#include <QIcon>
#include <QString>

class ToolbarIcons {
public:
    // The picture of the button with the tag; a null icon for an unknown tag.
    static QIcon ForTag(const QString& tag);
};
