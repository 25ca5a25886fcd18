#ifndef VORN_EDIT_ARENABOX_H
#define VORN_EDIT_ARENABOX_H

// An arena of width x height pixels drawn to scale, as large as it fits and centred, in a box of
// the screen; the arena point under a screen pixel and the pixel of an arena point.
class ArenaBox {
  public:
    ArenaBox(int boxX, int boxY, int boxW, int boxH, int arenaWidth, int arenaHeight);

    // The arena's rectangle on the screen.
    int getLeft() const { return left; }
    int getTop() const { return top; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    bool contains(int screenX, int screenY) const;
    // The arena point under the pixel's centre, rounded to whole arena pixels and kept within the
    // arena (0 to its width and height).
    void toArena(int screenX, int screenY, int* arenaX, int* arenaY) const;
    void toScreen(int arenaX, int arenaY, int* screenX, int* screenY) const;

  private:
    int arenaWidth, arenaHeight;
    double scale; // screen pixels per arena pixel
    int left, top, width, height;
};

#endif
