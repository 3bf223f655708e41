// The Window menu's arrangements of the document windows inside the main window's frame.
#pragma once

class QMdiArea;

class WindowArranger {
public:
    enum Arrangement { Cascade = 0, TileHorizontally = 1, TileVertically = 2, ArrangeIcons = 3 };

    // Tiling leaves minimized windows where they are and keeps their row along the bottom free;
    // a maximized window is restored first so that it takes its tile.
    static void Arrange(QMdiArea& area, int arrangement);

private:
    static void Tile(QMdiArea& area, bool horizontally);
    static void LineUpIcons(QMdiArea& area);
    // The height the row of minimized windows along the bottom takes; 0 when there are none.
    static int IconRowHeight(QMdiArea& area);
};
