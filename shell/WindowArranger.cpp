#include "WindowArranger.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace {
// The shown windows in the frame, the top of the stack first, as the windows are tiled.
QList<QMdiSubWindow*> ShownWindows(QMdiArea& area, bool minimized) {
    QList<QMdiSubWindow*> windows;
    const QList<QMdiSubWindow*> stack = area.subWindowList(QMdiArea::StackingOrder);
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if ((*it)->isVisible() && (*it)->isMinimized() == minimized)
            windows.append(*it);
    }
    return windows;
}
} // namespace

void WindowArranger::Arrange(QMdiArea& area, int arrangement) {
    switch (arrangement) {
    case Cascade:
        area.cascadeSubWindows();
        break;
    case TileHorizontally:
    case TileVertically:
        Tile(area, arrangement == TileHorizontally);
        break;
    case ArrangeIcons:
        LineUpIcons(area);
        break;
    default:
        break;
    }
}

void WindowArranger::Tile(QMdiArea& area, bool horizontally) {
    const QList<QMdiSubWindow*> windows = ShownWindows(area, false);
    if (windows.isEmpty())
        return;
    QRect free = area.viewport()->rect();
    free.setHeight(free.height() - IconRowHeight(area));
    const int count = int(windows.size());
    const int extent = horizontally ? free.height() : free.width();
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        // Equal shares, rounded so that together they fill the frame exactly.
        const int start = i * extent / count;
        const int size = (i + 1) * extent / count - start;
        window->setGeometry(horizontally ? QRect(free.left(), free.top() + start, free.width(), size)
                                         : QRect(free.left() + start, free.top(), size, free.height()));
    }
}

void WindowArranger::LineUpIcons(QMdiArea& area) {
    const QRect frame = area.viewport()->rect();
    int x = frame.left();
    int bottom = frame.bottom() + 1;
    for (QMdiSubWindow* window : ShownWindows(area, true)) {
        const QSize size = window->size();
        if (x > frame.left() && x + size.width() > frame.right() + 1) {
            x = frame.left();
            bottom -= size.height();
        }
        window->move(x, bottom - size.height());
        x += size.width();
    }
}

int WindowArranger::IconRowHeight(QMdiArea& area) {
    int height = 0;
    for (QMdiSubWindow* window : ShownWindows(area, true))
        height = std::max(height, window->height());
    return height;
}
