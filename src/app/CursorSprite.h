#pragma once

class Texture;

/*
===============================================================================
CursorSprite: the mouse pointer the application draws itself (the system one
is hidden). The picture hangs down and to the right of the pointer when the hot
spot is (0, picture height). Drawn additively over everything, in window
pixels, only while shown and with a texture.
===============================================================================
*/
class CursorSprite {
  public:
    // Points the sprite at a picture, hot spot at its left and top edges.
    void setTexture(Texture* picture);
    void draw(int x, int y, int clientWidth, int clientHeight) const;

    int hotX = 0;
    int hotY = 0;
    Texture* texture = nullptr;
    bool shown = true;
};
