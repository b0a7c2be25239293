#pragma once

struct Colour;
class Texture;

/*
===============================================================================
Immediate-mode helpers of the user interface, all in window pixels of the 2D
view (origin bottom left, y up). They set the state they rely on; texturing is
left enabled, as the text drawing leaves it.
===============================================================================
*/

// Depth test off, projection glOrtho(0, client width, 0, client height, -10, 10),
// identity model-view. Without an application the current viewport gives the size.
void begin2dView();

// The panel's bevel: line strips in the bevel colour darkened and lightened by 0.2.
void drawBevel(int style, int x, int y, int width, int height, const float* colour);

// Filled rectangle between two corners, texturing off while it draws.
void fillRect(int left, int bottom, int right, int top, const float* colour);

// Line loop around a rectangle, texturing off while it draws.
void outlineRect(int left, int bottom, int right, int top, const float* colour);

// Texture coordinate (0, 1) at the bottom-left corner, (1, 0) at the top-right,
// so pictures stored top row first show upright. alpha below 1 fades the picture
// through GL_MODULATE (the texture's own environment is set again at its next bind).
void drawTexturedRect(const Texture* texture, int left, int bottom, int right, int top,
                      float alpha);
